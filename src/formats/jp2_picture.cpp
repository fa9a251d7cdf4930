#include "formats/jp2_picture.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/checked_math.h"

namespace veilo {
namespace {

uint32_t CeilDiv(uint32_t a, uint32_t b) { return static_cast<uint32_t>((uint64_t{a} + b - 1) / b); }

// Samples a component holds along one axis of the image area [from, to).
uint32_t ComponentExtent(uint32_t from, uint32_t to, uint32_t step) { return CeilDiv(to, step) - CeilDiv(from, step); }

// The component sample for each image column (or row) of the area: samples
// are repeated over the step they cover.
std::vector<uint32_t> SampleIndex(uint32_t from, uint32_t count, uint32_t step, uint32_t samples) {
  std::vector<uint32_t> index(count);
  const uint32_t first = CeilDiv(from, step);
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t at = (from + i) / step;
    index[i] = std::min(at > first ? at - first : 0, samples - 1);
  }
  return index;
}

// Maps a component's samples to 0..255: signed samples are offset to
// unsigned, out-of-range values clamped, other precisions scaled.
struct SampleScale {
  int64_t offset = 0;
  int64_t max = 255;
  uint8_t operator()(int32_t sample) const {
    const int64_t v = std::clamp<int64_t>(int64_t{sample} + offset, 0, max);
    return static_cast<uint8_t>(max == 255 ? v : (v * 255 + max / 2) / max);
  }
};

SampleScale ScaleOf(const opj_image_comp_t& comp) {
  SampleScale scale;
  scale.max = (int64_t{1} << comp.prec) - 1;
  if (comp.sgnd) scale.offset = int64_t{1} << (comp.prec - 1);
  return scale;
}

uint8_t ClampByte(double v) { return static_cast<uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); }

// ITU-R BT.601 full-range YCbCr (sYCC) to RGB, in place on b, g, r bytes
// holding Cr, Cb, Y.
void YccToRgb(uint8_t* pixel) {
  const double y = pixel[2];
  const double cb = pixel[1] - 128.0;
  const double cr = pixel[0] - 128.0;
  pixel[2] = ClampByte(y + 1.402 * cr);
  pixel[1] = ClampByte(y - 0.344136 * cb - 0.714136 * cr);
  pixel[0] = ClampByte(y + 1.772 * cb);
}

struct Area {
  uint32_t x0, y0, width, height;
};

// Writes one component into byte `channel` (0 blue, 1 green, 2 red) of every
// pixel.
bool FillChannel(const opj_image_comp_t& comp, const Area& area, PackedDib& picture, int channel) {
  const uint32_t cols = ComponentExtent(area.x0, area.x0 + area.width, comp.dx);
  const uint32_t rows = ComponentExtent(area.y0, area.y0 + area.height, comp.dy);
  // What the library decoded must cover what the header promised.
  if (comp.data == nullptr || cols == 0 || rows == 0 || comp.w < cols || comp.h < rows) return false;
  const std::vector<uint32_t> colIndex = SampleIndex(area.x0, area.width, comp.dx, cols);
  const std::vector<uint32_t> rowIndex = SampleIndex(area.y0, area.height, comp.dy, rows);
  const SampleScale scale = ScaleOf(comp);
  const size_t stride = RowStride24(area.width);
  uint8_t* const bottom = picture.data() + kInfoHeaderSize + size_t{area.height - 1} * stride;
  for (uint32_t y = 0; y < area.height; ++y) {
    const OPJ_INT32* in = comp.data + size_t{rowIndex[y]} * comp.w;
    uint8_t* out = bottom - size_t{y} * stride + channel;
    for (uint32_t x = 0; x < area.width; ++x, out += 3) *out = scale(in[colIndex[x]]);
  }
  return true;
}

}  // namespace

bool Jp2HeaderWithinLimits(const opj_image_t& header, PictureSize* tooLarge) {
  if (header.x1 <= header.x0 || header.y1 <= header.y0 || header.numcomps == 0 || header.comps == nullptr)
    return false;
  const uint32_t width = header.x1 - header.x0;
  const uint32_t height = header.y1 - header.y0;
  if (width > 0xFFFF || height > 0xFFFF) return false;  // documents hold 16-bit sizes
  size_t decoded = 0;  // bytes of the library's 32-bit component buffers
  for (uint32_t i = 0; i < header.numcomps; ++i) {
    const opj_image_comp_t& comp = header.comps[i];
    if (comp.dx == 0 || comp.dy == 0 || comp.prec == 0 || comp.prec > 31) return false;
    const auto bytes = CheckedMul(size_t{ComponentExtent(header.x0, header.x1, comp.dx)} *
                                      ComponentExtent(header.y0, header.y1, comp.dy),
                                  sizeof(OPJ_INT32));
    const auto total = bytes ? CheckedAdd(decoded, *bytes) : std::nullopt;
    decoded = total.value_or(SIZE_MAX);
  }
  // The component buffers are held while the picture is filled from them.
  const size_t pixels = size_t{width} * height;
  if (decoded == SIZE_MAX || !CanHoldPicture(width, height, (decoded + pixels - 1) / pixels)) {
    if (tooLarge != nullptr) *tooLarge = {width, height};
    return false;
  }
  return true;
}

PackedDib Jp2ImageToDib(const opj_image_t& image) {
  if (!Jp2HeaderWithinLimits(image)) return {};
  std::vector<const opj_image_comp_t*> colour;
  for (uint32_t i = 0; i < image.numcomps && colour.size() < 3; ++i)
    if (image.comps[i].alpha == 0) colour.push_back(&image.comps[i]);
  if (colour.empty()) return {};
  const Area area{image.x0, image.y0, image.x1 - image.x0, image.y1 - image.y0};
  PackedDib picture = PackedDib::Canonical24(area.width, area.height);
  if (!picture) return {};
  const bool rgb = colour.size() == 3;
  // Red, green, blue from the first three colour components; gray repeats
  // the first one.
  for (int channel = 0; channel < 3; ++channel)
    if (!FillChannel(*colour[rgb ? 2 - channel : 0], area, picture, channel)) return {};
  if (rgb && image.color_space == OPJ_CLRSPC_SYCC) {
    const size_t stride = RowStride24(area.width);
    for (uint32_t y = 0; y < area.height; ++y) {
      uint8_t* row = picture.data() + kInfoHeaderSize + size_t{y} * stride;
      for (uint32_t x = 0; x < area.width; ++x) YccToRgb(row + size_t{x} * 3);
    }
  }
  return picture;
}

OpjImagePtr DibToJp2Image(const uint8_t* block) {
  const DibHeader h = ReadDibHeader(block);
  const size_t stride = RowStride24(h.width);
  const uint8_t* const bottom = block + kInfoHeaderSize + size_t{h.height - 1} * stride;
  bool gray = true;
  for (uint32_t y = 0; y < h.height && gray; ++y) {
    const uint8_t* row = bottom - size_t{y} * stride;
    for (uint32_t x = 0; x < h.width && gray; ++x, row += 3) gray = row[0] == row[1] && row[1] == row[2];
  }
  const uint32_t count = gray ? 1 : 3;
  std::array<opj_image_cmptparm_t, 3> params{};
  for (opj_image_cmptparm_t& p : params) {
    p.dx = p.dy = 1;
    p.w = h.width;
    p.h = h.height;
    p.prec = 8;
    p.sgnd = 0;
  }
  OpjImagePtr image(opj_image_create(count, params.data(), gray ? OPJ_CLRSPC_GRAY : OPJ_CLRSPC_SRGB));
  if (!image) return nullptr;
  image->x0 = image->y0 = 0;
  image->x1 = h.width;
  image->y1 = h.height;
  for (uint32_t c = 0; c < count; ++c) {
    OPJ_INT32* out = image->comps[c].data;
    if (out == nullptr) return nullptr;
    // Components are red, green, blue; the picture's bytes blue, green, red.
    const uint32_t byte = gray ? 2 : 2 - c;
    for (uint32_t y = 0; y < h.height; ++y) {
      const uint8_t* row = bottom - size_t{y} * stride + byte;
      for (uint32_t x = 0; x < h.width; ++x) *out++ = row[size_t{x} * 3];
    }
  }
  return image;
}

}  // namespace veilo
