#pragma once
// Reduction of a 24-bit picture to at most 256 colours: a histogram of the
// rows, a median-cut palette, and mapping with Floyd-Steinberg error
// diffusion through an inverse colour map that is filled on demand.
//
// Rows are blue, green, red byte triples. Usage: Create, AddRow for every row,
// BuildPalette, then for each mapping pass BeginMapping and MapRow per row.
#include <cstdint>
#include <memory>
#include <optional>

#include "doc/pixel_buffer.h"
#include "formats/colour_histogram.h"

namespace veilo {

class ColourQuantiser {
 public:
  // A quantiser for rows of `width` pixels reducing to at most `colours`
  // (1..256). nullptr when an argument is out of range or memory runs out.
  static std::unique_ptr<ColourQuantiser> Create(uint32_t width, int colours);

  void AddRow(const uint8_t* bgr);
  // Runs the median cut; the histogram becomes the inverse-map cache.
  void BuildPalette();
  // Starts a mapping pass: no carried errors, first row left to right.
  void BeginMapping();
  // Maps one row to palette indices, rows alternating in direction.
  void MapRow(const uint8_t* bgr, uint8_t* indices);
  const QuantPalette& palette() const { return palette_; }

 private:
  ColourQuantiser(uint32_t width, int colours, std::unique_ptr<int16_t[]> errors);
  uint8_t LookUp(size_t cell);
  void FillBlock(size_t cell);

  uint32_t width_;
  int colours_;
  std::unique_ptr<int16_t[]> errors_;  // (width + 2) x {red, green, blue}
  bool leftToRight_ = true;
  QuantPalette palette_;
  // Counts while the histogram is built; afterwards 0 = not yet mapped,
  // otherwise palette index + 1.
  ColourHistogram cells_{};
};

// One-shot form: quantises the whole picture (rows fed top row first) to at
// most `colours` colours, writing width x height indices, top row first, to
// indicesOut. nullopt when memory runs out or `colours` is outside 1..256.
std::optional<QuantPalette> QuantiseImage(const PixelBuffer& pixels, int colours, uint8_t* indicesOut);

}  // namespace veilo
