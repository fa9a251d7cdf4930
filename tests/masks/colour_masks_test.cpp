#include "masks/colour_masks.h"

#include <gtest/gtest.h>

#include "mask_fixture.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeDoc;
using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::PixelOf;
using testing::Rgb;
using testing::SamePixels;
using testing::SelectArea;

enum class Live { kNegPos, kXor, kExchange };

struct ColourCase {
  const char* name;
  Live live;
  uint8_t negChannels, xorChannels, exchangeMode;
  Rgb before, after;
};

class ColourLive : public ::testing::TestWithParam<ColourCase> {};

void RunLive(MaskContext& ctx, ImageDoc& doc, Live live) {
  switch (live) {
    case Live::kNegPos: NegPosLive(ctx, doc); break;
    case Live::kXor: XorLive(ctx, doc); break;
    case Live::kExchange: ExchangeLive(ctx, doc); break;
  }
}

TEST_P(ColourLive, ChangesOnlyTheChosenChannelsOfTheArea) {
  const ColourCase& c = GetParam();
  MaskFixture f;
  f.options.rgbNegChannels = c.negChannels;
  f.options.rgbXorChannels = c.xorChannels;
  f.options.rgbExchangeMode = c.exchangeMode;
  ImageDoc doc = MakeDoc(3, 3, [&](int32_t, int32_t) { return c.before; });
  SelectArea(doc, 2, 2, 1, 1);  // drawn from bottom-right to top-left
  RunLive(f.ctx, doc, c.live);
  EXPECT_EQ(PixelOf(doc, 1, 1), c.after);
  EXPECT_EQ(PixelOf(doc, 0, 1), c.before);
  EXPECT_EQ(PixelOf(doc, 1, 2), c.before);
  ASSERT_EQ(doc.undoCount(), 1);
  const MaskRecord& rec = doc.undoList[0];
  EXPECT_EQ((PixelRect{rec.left, rec.top, rec.right, rec.bottom}), (PixelRect{1, 1, 2, 2}));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ColourLive,
    ::testing::Values(
        ColourCase{"NegAll", Live::kNegPos, 7, 7, 0, {10, 20, 30}, {245, 235, 225}},
        ColourCase{"NegRedOnly", Live::kNegPos, 1, 7, 0, {10, 20, 30}, {245, 20, 30}},
        ColourCase{"NegGreenBlue", Live::kNegPos, 6, 7, 0, {10, 20, 30}, {10, 235, 225}},
        ColourCase{"NegNone", Live::kNegPos, 0, 7, 0, {10, 20, 30}, {10, 20, 30}},
        ColourCase{"XorBlueLow", Live::kXor, 7, 4, 0, {1, 2, 0x10}, {1, 2, 0x90}},
        ColourCase{"XorBlueHigh", Live::kXor, 7, 4, 0, {1, 2, 0x90}, {1, 2, 0x10}},
        ColourCase{"XorAll", Live::kXor, 7, 7, 0, {0, 0x80, 0xFF}, {0x80, 0, 0x7F}},
        ColourCase{"RotateChannels", Live::kExchange, 7, 7, 0, {1, 2, 3}, {3, 1, 2}},
        ColourCase{"SwapRedGreen", Live::kExchange, 7, 7, 1, {1, 2, 3}, {2, 1, 3}},
        ColourCase{"SwapGreenBlue", Live::kExchange, 7, 7, 2, {1, 2, 3}, {1, 3, 2}},
        ColourCase{"SwapRedBlue", Live::kExchange, 7, 7, 3, {1, 2, 3}, {3, 2, 1}},
        ColourCase{"LargeModeSwapsRedBlue", Live::kExchange, 7, 7, 9, {1, 2, 3}, {3, 2, 1}}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(ColourMasks, LogTheOptionsInUse) {
  MaskFixture f;
  f.options = {.rgbNegChannels = 5, .rgbXorChannels = 3, .rgbExchangeMode = 2};
  ImageDoc doc = MakeNoiseDoc(8, 8);
  SelectArea(doc, 1, 2, 5, 6);
  NegPosLive(f.ctx, doc);
  XorLive(f.ctx, doc);
  ExchangeLive(f.ctx, doc);
  ASSERT_EQ(doc.undoCount(), 3);
  MaskRecord neg = MakeRecord(kOpNegPos, {1, 2, 5, 6});
  neg.p[0] = 5;
  MaskRecord xr = MakeRecord(kOpXor, {1, 2, 5, 6});
  xr.p[0] = 3;
  MaskRecord ex = MakeRecord(kOpExchange, {1, 2, 5, 6});
  ex.p[1] = 2;
  EXPECT_EQ(doc.undoList[0], neg);
  EXPECT_EQ(doc.undoList[1], xr);
  EXPECT_EQ(doc.undoList[2], ex);
  EXPECT_EQ(f.shell.invalidated.size(), 3u);
  EXPECT_EQ(f.shell.overviewRefreshes, 3);
}

TEST(ColourMasks, NothingWithoutASelection) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(4, 4);
  ImageDoc original = Copy(doc);
  NegPosLive(f.ctx, doc);
  XorLive(f.ctx, doc);
  ExchangeLive(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_TRUE(f.shell.invalidated.empty());
  EXPECT_TRUE(f.shell.undoStates.empty());
}

// Replaying each record inversely restores the picture, for every mode and
// channel set, on areas of odd widths where row ends are not word aligned.
TEST(ColourMasks, InverseReplayRestoresEveryModeAndChannelSet) {
  for (int32_t width : {1, 5, 17, 33}) {
    for (int32_t mode = 0; mode < 4; ++mode) {
      for (uint8_t channels = 0; channels < 8; ++channels) {
        MaskFixture f;
        f.options.rgbNegChannels = channels;
        f.options.rgbXorChannels = static_cast<uint8_t>(7 - channels);
        f.options.rgbExchangeMode = static_cast<uint8_t>(mode);
        ImageDoc doc = MakeNoiseDoc(width + 3, 5, static_cast<uint32_t>(width + mode));
        ImageDoc original = Copy(doc);
        SelectArea(doc, 1, 1, 1 + width, 4);
        NegPosLive(f.ctx, doc);
        XorLive(f.ctx, doc);
        ExchangeLive(f.ctx, doc);
        ReplayExchange(f.ctx, doc, doc.undoList[2], Direction::kInverse);
        ReplayXor(f.ctx, doc, doc.undoList[1], Direction::kInverse);
        ReplayNegPos(f.ctx, doc, doc.undoList[0], Direction::kInverse);
        EXPECT_TRUE(SamePixels(doc, original)) << "width " << width << " mode " << mode << " channels "
                                               << int{channels};
      }
    }
  }
}

TEST(ColourMasks, ExchangeReplayForwardRepeatsTheLoggedDirection) {
  MaskFixture f;
  ImageDoc doc = MakeDoc(1, 1, [](int32_t, int32_t) { return Rgb{1, 2, 3}; });
  SelectArea(doc, 0, 0, 1, 1);
  ExchangeLive(f.ctx, doc);
  MaskRecord rec = doc.undoList[0];
  f.options.rgbExchangeMode = 1;  // later option changes do not matter
  ReplayExchange(f.ctx, doc, rec, Direction::kInverse);
  EXPECT_EQ(PixelOf(doc, 0, 0), (Rgb{1, 2, 3}));
  ReplayExchange(f.ctx, doc, rec, Direction::kForward);
  EXPECT_EQ(PixelOf(doc, 0, 0), (Rgb{3, 1, 2}));
}

TEST(ColourMasks, AreaBeyondThePictureIsClipped) {
  ImageDoc doc = MakeDoc(4, 3, [](int32_t, int32_t) { return Rgb{0, 0, 0}; });
  NegateArea(DocPixels(doc), {-5, -5, 100, 100}, 7);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(PixelOf(doc, x, y), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace veilo
