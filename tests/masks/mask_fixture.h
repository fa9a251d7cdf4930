#pragma once
// A document context for mask tests: options, macro buffer and a recording shell.
#include <gtest/gtest.h>

#include "masks/mask_context.h"
#include "masks/mask_log.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo::testing {

struct MaskFixture {
  RecordingShell shell;
  MaskOptions options;
  MacroBuffer macro;
  MaskContext ctx{shell, options, macro};
};

// Pixels of a document, for before/after comparisons of whole pictures.
inline ImageDoc Copy(const ImageDoc& doc) {
  ImageDoc copy;
  SetDocPicture(copy, doc.dib.Clone());
  return copy;
}

inline ::testing::AssertionResult SamePixels(ImageDoc& a, ImageDoc& b) {
  const std::string diff = DescribePixelDifference(a, b);
  if (diff.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << diff;
}

}  // namespace veilo::testing

namespace veilo::testing {

// A picture whose every pixel tells where it came from: red and green hold
// x and y, blue the high bits of both.
inline Rgb PositionColour(int32_t x, int32_t y) {
  return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>((x >> 8) | ((y >> 8) << 4))};
}

inline ImageDoc MakePositionDoc(int32_t width, int32_t height) {
  return MakeDoc(width, height, PositionColour);
}

}  // namespace veilo::testing
