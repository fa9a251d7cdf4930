#include "formats/tiff_reader.h"

#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "formats/read_progress.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "doc/image_doc.h"
#include "platform/checked_math.h"
#include "doc/packed_dib.h"
#include "formats/tiff_file.h"
#include "platform/file_io.h"

namespace veilo {
namespace {

// Width and height of the first directory when a picture of that size may be
// held (its 24-bit block and the 32-bit raster both within the limit);
// `tooLarge` is set when only the size stands in the way.
bool ReadCheckedSize(TIFF* tif, uint32_t& width, uint32_t& height, bool& tooLarge) {
  if (TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) != 1 || TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) != 1)
    return false;
  // Documents hold 16-bit sizes.
  if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF) return false;
  const auto raster = CheckedMul(size_t{width} * height, sizeof(uint32_t));
  tooLarge = !raster || *raster > MaxPictureBlockBytes() || !CanHoldPicture(width, height, sizeof(uint32_t));
  return !tooLarge;
}

// Raster rows run bottom-up like the picture's rows; each pixel holds red in
// bits 0-7, green 8-15, blue 16-23 and alpha 24-31, which is dropped.
void RasterToDib(const uint32_t* raster, uint32_t width, uint32_t height, PackedDib& picture) {
  const size_t stride = RowStride24(width);
  uint8_t* rows = picture.data() + kInfoHeaderSize;
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* in = raster + size_t{y} * width;
    uint8_t* out = rows + size_t{y} * stride;
    for (uint32_t x = 0; x < width; ++x, out += 3) {
      const uint32_t p = in[x];
      out[0] = static_cast<uint8_t>(p >> 16);
      out[1] = static_cast<uint8_t>(p >> 8);
      out[2] = static_cast<uint8_t>(p);
    }
  }
}

// The rows read per call: whole strips (or rows of tiles), so that no strip
// is decoded twice, and about a tenth of the picture, so that the progress
// moves in steps the status pane shows.
uint32_t BandRows(TIFF* tif, uint32_t height) {
  uint32_t unit = 0;
  if (TIFFIsTiled(tif) != 0)
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &unit);
  else
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &unit);
  if (unit == 0 || unit >= height) return height;
  const uint32_t tenth = (height + 9) / 10;
  return (tenth + unit - 1) / unit * unit;
}

// Reads the picture into `raster` (bottom-up rows) band by band, reporting
// the rows done. Like a single read, a band that fails fails the picture;
// stop = 0: a damaged strip leaves its rows as they are instead of failing
// the whole picture.
bool ReadRasterInBands(TIFF* tif, uint32_t width, uint32_t height, uint32_t* raster, ReadProgress& progress) {
  char message[1024];
  TIFFRGBAImage image{};
  if (TIFFRGBAImageOK(tif, message) == 0 || TIFFRGBAImageBegin(&image, tif, 0, message) == 0) return false;
  image.req_orientation = ORIENTATION_BOTLEFT;
  const uint32_t band = BandRows(tif, height);
  bool ok = true;
  progress.Done(0, height);
  for (uint32_t top = 0; ok && top < height; top += band) {
    const uint32_t rows = std::min(band, height - top);
    // Rows top .. top + rows - 1 counted from the top land, bottom-up, just
    // above the rows still to come.
    image.row_offset = static_cast<int>(top);
    ok = TIFFRGBAImageGet(&image, raster + size_t{height - top - rows} * width, width, rows) == 1;
    progress.Done(top + rows, height);
  }
  TIFFRGBAImageEnd(&image);
  return ok;
}

PackedDib DecodeTiff(std::FILE* file, PictureSize& tooLarge, ReadProgress& progress) {
  const TiffPtr tif = OpenTiffStream(file);
  if (!tif) return {};
  uint32_t width = 0;
  uint32_t height = 0;
  bool refused = false;
  if (!ReadCheckedSize(tif.get(), width, height, refused)) {
    if (refused) tooLarge = {width, height};
    return {};
  }
  std::unique_ptr<uint32_t[]> raster(new (std::nothrow) uint32_t[size_t{width} * height]);
  if (!raster) return {};
  if (!ReadRasterInBands(tif.get(), width, height, raster.get(), progress)) return {};
  PackedDib picture = PackedDib::Canonical24(width, height);
  if (picture) RasterToDib(raster.get(), width, height, picture);
  return picture;
}

}  // namespace

int ReadTiffFile(ShellNotifications& shell, ImageDoc& doc) {
  PackedDib picture;
  PictureSize tooLarge;
  ReadProgress progress(shell, "TIFF");
  if (FilePtr file = OpenFile(doc.path, "rb")) picture = DecodeTiff(file.get(), tooLarge, progress);
  if (tooLarge.width != 0) ReportPictureTooLarge(shell, tooLarge.width, tooLarge.height);
  SetDocPicture(doc, std::move(picture));
  if (!doc.HasPicture()) return 0;
  doc.fileHeader = {};
  doc.fileHeader[0] = 'B';
  doc.fileHeader[1] = 'M';
  return 1;
}

}  // namespace veilo
