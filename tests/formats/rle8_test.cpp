#include <gtest/gtest.h>

#include <vector>

#include "formats/rle8.h"

namespace veilo {
namespace {

constexpr uint8_t kCanary = 0xEE;

struct RleCase {
  const char* what;
  std::vector<uint8_t> encoded;
  size_t stride;
  size_t rows;
  std::vector<uint8_t> expected;  // stride * rows bytes, bottom row first
};

// Decodes into a buffer with canaries behind the pixel area, so that any
// write past its end shows.
std::vector<uint8_t> Decode(const RleCase& c) {
  std::vector<uint8_t> buffer(c.stride * c.rows + 16, kCanary);
  std::fill(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(c.stride * c.rows), 0);
  DecodeRle8(c.encoded, std::span<uint8_t>(buffer.data(), c.stride * c.rows), c.stride);
  for (size_t i = c.stride * c.rows; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], kCanary) << c.what;
  buffer.resize(c.stride * c.rows);
  return buffer;
}

TEST(DecodeRle8, Cases) {
  const RleCase cases[] = {
      {"encoded runs and end of line", {3, 7, 0, 0, 2, 9, 0, 1}, 4, 2, {7, 7, 7, 0, 9, 9, 0, 0}},
      {"odd absolute run skips its padding byte", {0, 3, 1, 2, 3, 0xAA, 1, 5, 0, 1}, 4, 2,
       {1, 2, 3, 5, 0, 0, 0, 0}},
      {"even absolute run has no padding", {0, 4, 1, 2, 3, 4, 1, 5, 0, 1}, 8, 1, {1, 2, 3, 4, 5, 0, 0, 0}},
      {"delta moves right and up", {1, 1, 0, 2, 2, 1, 1, 8, 0, 1}, 4, 2, {1, 0, 0, 0, 0, 0, 0, 8}},
      {"end of picture stops", {1, 4, 0, 1, 3, 9}, 4, 1, {4, 0, 0, 0}},
      {"run longer than the area stops at its end", {255, 6}, 4, 2, {6, 6, 6, 6, 6, 6, 6, 6}},
      {"absolute run past the area stops at its end", {2, 1, 0, 8, 1, 2, 3, 4, 5, 6, 7, 8}, 4, 1, {1, 1, 1, 2}},
      {"absolute run cut by the data's end", {0, 5, 1, 2}, 8, 1, {1, 2, 0, 0, 0, 0, 0, 0}},
      {"delta beyond the top stops", {1, 3, 0, 2, 0, 200, 1, 9}, 4, 2, {3, 0, 0, 0, 0, 0, 0, 0}},
      {"end of line beyond the top stops", {1, 3, 0, 0, 0, 0, 1, 9}, 4, 2, {3, 0, 0, 0, 0, 0, 0, 0}},
      {"delta cut by the data's end", {1, 3, 0, 2, 1}, 4, 1, {3, 0, 0, 0}},
      {"odd trailing byte ignored", {2, 5, 7}, 4, 1, {5, 5, 0, 0}},
      {"empty stream leaves the rows", {}, 4, 1, {0, 0, 0, 0}},
  };
  for (const RleCase& c : cases) EXPECT_EQ(Decode(c), c.expected) << c.what;
}

}  // namespace
}  // namespace veilo
