// The rules behind the JPEG, JPEG 2000 and BMP option dialogs: what a typed
// field stores, what OK accepts, what each dialog offers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formats/bmp_save.h"
#include "formats/jp2_options.h"
#include "formats/jpeg_options.h"

namespace veilo {
namespace {

TEST(JpegOptionFields, TypedTextIsReadLikePercentDAndBroughtIntoRange) {
  struct Case {
    const char* text;
    int32_t quality;    // stored from the quality field, starting at 55
    int32_t smoothing;  // stored from the factor field, starting at 7
  };
  const Case cases[] = {
      {"150", 100, 100}, {"-5", 0, 1},     {"0", 0, 1},          {"100", 100, 100}, {"99", 99, 99},
      {"1", 1, 1},       {"  42", 42, 42}, {"+3", 3, 3},         {"12ab", 12, 12},  {"999", 100, 100},
      {"-0", 0, 1},      {"", 55, 7},      {"abc", 55, 7},       {"-", 55, 7},      {" ", 55, 7},
      {"99999999999999999999999", 100, 100}, {"-99999999999999999999999", 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JpegQualityFromText(c.text, 55), c.quality) << '"' << c.text << '"';
    EXPECT_EQ(JpegSmoothingFromText(c.text, 7), c.smoothing) << '"' << c.text << '"';
  }
}

TEST(JpegOptionFields, AKeptValueIsStillBroughtIntoRange) {
  // A value from an edited settings file, and text without a number.
  EXPECT_EQ(JpegQualityFromText("", 250), 100);
  EXPECT_EQ(JpegSmoothingFromText("", 0), 1);
}

TEST(Jp2OptionRules, TheRateFieldIsReadLikeAtof) {
  struct Case {
    const char* text;
    float rate;
  };
  const Case cases[] = {{"0.5", 0.5f}, {" .25", 0.25f}, {"1", 1.0f}, {"0", 0.0f}, {"", 0.0f},
                        {"rate", 0.0f}, {"0.3x", 0.3f}, {"5e-2", 0.05f}, {"-0.5", -0.5f}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(Jp2RateFromText(c.text), c.rate) << '"' << c.text << '"';
}

TEST(Jp2OptionRules, OkAcceptsOnlyRatesStrictlyBetweenZeroAndOne) {
  const Jp2WriteOptions stored{true, 0.1f};
  struct Case {
    bool lossless;
    float rate;
    bool accepted;
    float kept;
  };
  const Case cases[] = {
      {false, 0.5f, true, 0.5f},   {false, 0.999f, true, 0.999f}, {false, 1.0f, false, 0},
      {false, 0.0f, false, 0},     {false, -0.5f, false, 0},      {false, 7.0f, false, 0},
      {true, 5.0f, true, 0.1f},  // lossless: the typed rate is neither checked nor stored
      {false, std::numeric_limits<float>::quiet_NaN(), false, 0},
      {false, std::numeric_limits<float>::infinity(), false, 0},
  };
  for (const Case& c : cases) {
    const auto accepted = AcceptJp2Choice(stored, c.lossless, c.rate);
    ASSERT_EQ(accepted.has_value(), c.accepted) << c.lossless << " " << c.rate;
    if (!accepted) continue;
    EXPECT_EQ(accepted->lossless, c.lossless);
    EXPECT_FLOAT_EQ(accepted->rate, c.kept);
  }
}

TEST(Jp2OptionRules, TheRateIsShownWithPercentG) {
  EXPECT_EQ(Jp2RateText(0.1f), "0.1");
  EXPECT_EQ(Jp2RateText(0.5f), "0.5");
  EXPECT_EQ(Jp2RateText(0.0125f), "0.0125");
  // What is shown reads back as the same rate.
  for (const float rate : {0.1f, 0.333f, 0.0001f}) EXPECT_EQ(Jp2RateFromText(Jp2RateText(rate)), rate);
}

TEST(Jp2OptionRules, TheDialogNamesTheLibraryInUseWithItsVersion) {
  const std::string text = Jp2LibraryText();
  EXPECT_EQ(text.rfind("OpenJPEG 2.", 0), 0u) << text;
}

TEST(BmpOptionRules, TwoHundredFiftySixIsOfferedOnlyAboveIt) {
  struct Case {
    uint32_t colours;
    int option;
    bool offered;
    int shown;
  };
  const Case cases[] = {{17, 256, false, 0},   {200, 256, false, 0}, {256, 256, false, 0},
                        {257, 256, true, 256}, {300, 256, true, 256}, {200, 16, false, 16},
                        {200, 0, false, 0},    {300, 16, true, 16}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsBmp256Offered(c.colours), c.offered) << c.colours;
    EXPECT_EQ(OfferedBmpReduction(c.colours, c.option), c.shown) << c.colours << " " << c.option;
  }
}

}  // namespace
}  // namespace veilo
