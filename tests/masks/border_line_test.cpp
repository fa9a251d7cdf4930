#include "masks/border_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_pictures.h"

namespace veilo {
namespace {

// Answers from the counted line must equal the pair-by-pair rule for every run
// length, whatever the pattern of misses.
TEST(BorderLine, CountedLineAgreesWithPairByPairChecks) {
  constexpr int32_t kLength = 400;
  for (const uint32_t missesPer100 : {0u, 5u, 15u, 19u, 20u, 21u, 25u, 50u, 100u}) {
    for (const uint32_t seed : {1u, 2u, 3u}) {
      uint32_t state = seed * 977u + missesPer100;
      // Row 1 differs from the black row 0 except where a miss is drawn.
      ImageDoc doc = testing::MakeDoc(kLength, 2, [&](int32_t, int32_t y) {
        if (y == 0) return testing::Rgb{};
        state = state * 1664525u + 1013904223u;
        const bool miss = (state >> 8) % 100 < missesPer100;
        return miss ? testing::Rgb{0, 0, 40} : testing::Rgb{0, 41, 0};
      });
      const PixelBuffer pic = DocPixels(doc);
      const ptrdiff_t up = static_cast<ptrdiff_t>(pic.stride);
      // Runs ending at the right end (read leftward) and at the left end.
      for (const bool fromLeft : {false, true}) {
        SCOPED_TRACE(::testing::Message() << missesPer100 << "% misses, seed " << seed << (fromLeft ? ", left end" : ""));
        const uint8_t* end = fromLeft ? pic.At(0, 1) : pic.At(kLength - 1, 1);
        const ptrdiff_t step = fromLeft ? 3 : -3;
        BorderLine line(kLength);
        line.Reset(end, up, step, kLength);
        line.CountLine();
        EXPECT_FALSE(line.Passes(0));
        for (int32_t n = 1; n <= kLength; ++n) {
          int32_t examined = 0;
          const bool expected = BorderPasses(end + (n - 1) * step, up, -step, n, examined);
          ASSERT_EQ(line.Passes(n), expected) << "run of " << n;
        }
      }
    }
  }
}

}  // namespace
}  // namespace veilo
