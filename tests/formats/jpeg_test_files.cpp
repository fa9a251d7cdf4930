#include "jpeg_test_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <jpeglib.h>

namespace veilo::testing {

std::vector<uint8_t> EncodeFourComponentJpeg(int32_t width, int32_t height,
                                             const std::function<Cmyk(int32_t, int32_t)>& sample,
                                             FourComponentStorage storage, bool adobeMarker) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // valid input only: the default exit() never runs
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, storage == FourComponentStorage::kYcck ? JCS_YCCK : JCS_CMYK);
  for (int c = 0; c < 4; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  jpeg_set_quality(&info, 100, TRUE);
  info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 4);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const Cmyk s = sample(x, y);
      for (int c = 0; c < 4; ++c) row[static_cast<size_t>(x) * 4 + static_cast<size_t>(c)] = s[static_cast<size_t>(c)];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

JpegLayout ParseJpegLayout(const std::vector<uint8_t>& file) {
  JpegLayout layout;
  size_t pos = 2;  // after SOI
  while (pos + 2 <= file.size()) {
    if (file[pos] != 0xFF) break;
    const int marker = file[pos + 1];
    if (marker == 0xD9) {
      layout.eoiOffset = pos;
      break;
    }
    if (pos + 4 > file.size()) break;
    const size_t length = size_t{file[pos + 2]} << 8 | file[pos + 3];
    const uint8_t* body = file.data() + pos + 4;
    if (marker == 0xE0 && layout.app0Length == 0) layout.app0Length = static_cast<int>(length);
    if (marker == 0xDB && layout.firstLuminanceQuant == 0 && (body[0] & 0x0F) == 0)
      layout.firstLuminanceQuant = (body[0] >> 4) == 0 ? body[1] : (body[1] << 8 | body[2]);
    if (marker == 0xEE && length >= 7 && std::equal(body, body + 5, "Adobe")) layout.hasAdobe = true;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      layout.sofMarker = marker;
      layout.precision = body[0];
      layout.height = body[1] << 8 | body[2];
      layout.width = body[3] << 8 | body[4];
      for (int c = 0; c < body[5]; ++c)
        layout.components.push_back({body[6 + 3 * c], body[7 + 3 * c] >> 4, body[7 + 3 * c] & 15});
    }
    pos += 2 + length;
    if (marker == 0xDA) {
      ++layout.scans;
      layout.scanOffsets.push_back(pos - 2 - length);
      // Entropy-coded data runs to the next marker other than a stuffed zero or a restart.
      while (pos + 1 < file.size() &&
             !(file[pos] == 0xFF && file[pos + 1] != 0 && !(file[pos + 1] >= 0xD0 && file[pos + 1] <= 0xD7)))
        ++pos;
    }
  }
  return layout;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace veilo::testing
