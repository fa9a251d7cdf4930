// The properties dialog's facts: the colour count's form and the exact-count
// button, the size line.
#include <gtest/gtest.h>

#include "doc/image_doc.h"
#include "recording_shell.h"
#include "test_pictures.h"
#include "tools/picture_properties.h"

namespace veilo {
namespace {

using testing::Rgb;

// A picture of exactly `colours` distinct colours (and more pixels than that).
ImageDoc PictureOfColours(uint32_t colours) {
  return testing::MakeDoc(100, 60, [colours](int32_t x, int32_t y) {
    const uint32_t i = static_cast<uint32_t>(y * 100 + x) % colours;
    return Rgb{static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>(i >> 8), 9};
  });
}

TEST(PictureProperties, TheFirstCountStopsAtAThousandAndTheButtonCountsTheRest) {
  struct Case {
    uint32_t colours;
    ColourCountDisplay first, exact;
  };
  const Case cases[] = {
      {1, {ColourCountForm::kCount, 1, false}, {ColourCountForm::kExact, 1, false}},
      {256, {ColourCountForm::kCount, 256, false}, {ColourCountForm::kExact, 256, false}},
      {257, {ColourCountForm::kOrMore, 257, true}, {ColourCountForm::kExact, 257, false}},
      {300, {ColourCountForm::kOrMore, 300, true}, {ColourCountForm::kExact, 300, false}},
      {5000, {ColourCountForm::kOrMore, 1000, true}, {ColourCountForm::kExact, 5000, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colours);
    ImageDoc doc = PictureOfColours(c.colours);
    testing::RecordingShell shell;
    EXPECT_EQ(CountColoursFirst(shell, DocPixels(doc)), c.first);
    EXPECT_EQ(CountColoursExactly(shell, DocPixels(doc)), c.exact);
    EXPECT_EQ(shell.waitDepth, 0);
    EXPECT_GT(shell.waitEntries, 0) << "the wait cursor shows while counting";
  }
}

TEST(PictureProperties, NoCountLeavesTheButtonUsable) {
  EXPECT_EQ(FirstColourCountDisplay(0), (ColourCountDisplay{ColourCountForm::kNotCounted, 0, true}));
  EXPECT_EQ(ExactColourCountDisplay(0), (ColourCountDisplay{ColourCountForm::kNotCounted, 0, true}));
  testing::RecordingShell shell;
  ImageDoc empty;
  EXPECT_EQ(CountColoursFirst(shell, DocPixels(empty)).form, ColourCountForm::kNotCounted);
}

TEST(PictureProperties, SizeLine) {
  EXPECT_EQ(PictureSizeText(200, 100), "Size 200 x 100");
  EXPECT_EQ(PictureSizeText(65535, 1), "Size 65535 x 1");
}

}  // namespace
}  // namespace veilo
