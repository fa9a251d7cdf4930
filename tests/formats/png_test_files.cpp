#include "png_test_files.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace veilo::testing {

std::optional<PpmPicture> ReadReferencePng(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  PpmPicture picture{static_cast<int32_t>(image.width), static_cast<int32_t>(image.height),
                     std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return picture;
}

namespace {

int ChannelsOf(int colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

std::vector<uint8_t> PackRow(const PngSpec& spec, uint32_t y) {
  const int channels = ChannelsOf(spec.colourType);
  const size_t values = size_t{spec.width} * static_cast<size_t>(channels);
  const uint16_t* v = spec.samples.data() + y * values;
  std::vector<uint8_t> row((values * static_cast<size_t>(spec.bitDepth) + 7) / 8, 0);
  for (size_t i = 0; i < values; ++i) {
    if (spec.bitDepth == 16) {
      row[2 * i] = static_cast<uint8_t>(v[i] >> 8);
      row[2 * i + 1] = static_cast<uint8_t>(v[i]);
    } else if (spec.bitDepth == 8) {
      row[i] = static_cast<uint8_t>(v[i]);
    } else {
      const size_t bit = i * static_cast<size_t>(spec.bitDepth);
      row[bit / 8] |= static_cast<uint8_t>(v[i] << (8 - spec.bitDepth - static_cast<int>(bit % 8)));
    }
  }
  return row;
}

void AppendBytes(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Ignore(png_structp, png_const_charp) {}

// Holds nothing that needs destroying: libpng may jump out of it.
bool EncodeGuarded(png_structp png, png_infop info, const PngSpec& spec, png_bytepp rows, const png_color* palette,
                   const png_color_16* trans, const png_color_16* bkgd, const png_text* texts) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, png_get_io_ptr(png), AppendBytes, nullptr);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (palette != nullptr) png_set_PLTE(png, info, palette, static_cast<int>(spec.palette.size()));
  if (!spec.paletteAlpha.empty())
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()), nullptr);
  if (trans != nullptr) png_set_tRNS(png, info, nullptr, 0, trans);
  if (bkgd != nullptr) png_set_bKGD(png, info, bkgd);
  if (spec.gamma) png_set_gAMA(png, info, *spec.gamma);
  if (!spec.textsAfterImage && !spec.texts.empty()) png_set_text(png, info, texts, static_cast<int>(spec.texts.size()));
  png_write_info(png, info);
  png_write_image(png, rows);
  if (spec.textsAfterImage && !spec.texts.empty()) png_set_text(png, info, texts, static_cast<int>(spec.texts.size()));
  png_write_end(png, info);
  return true;
}

bool InspectGuarded(png_structp png, png_infop info, std::FILE* file, PngFacts& facts, std::vector<uint8_t>& image,
                    std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_read_info(png, info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, type = 0, interlace = 0;
  png_get_IHDR(png, info, &w, &h, &depth, &type, &interlace, nullptr, nullptr);
  facts.width = w;
  facts.height = h;
  facts.bitDepth = depth;
  facts.colourType = type;
  facts.interlaced = interlace != PNG_INTERLACE_NONE;
  png_colorp palette = nullptr;
  int entries = 0;
  if (png_get_PLTE(png, info, &palette, &entries) != 0)
    for (int i = 0; i < entries; ++i) facts.palette.push_back({palette[i].red, palette[i].green, palette[i].blue});
  png_bytep alpha = nullptr;
  int alphaEntries = 0;
  png_color_16p value = nullptr;
  if (png_get_tRNS(png, info, &alpha, &alphaEntries, &value) != 0) {
    if (type == PNG_COLOR_TYPE_PALETTE)
      facts.paletteAlpha.assign(alpha, alpha + alphaEntries);
    else if (type == PNG_COLOR_TYPE_GRAY)
      facts.transparentValue = std::array<uint16_t, 3>{value->gray, 0, 0};
    else
      facts.transparentValue = std::array<uint16_t, 3>{value->red, value->green, value->blue};
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  image.assign(rowBytes * h, 0);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = image.data() + y * rowBytes;
  png_read_image(png, rows.data());
  png_read_end(png, info);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngSpec& spec) {
  std::vector<uint8_t> out;
  std::vector<std::vector<uint8_t>> packed;
  std::vector<png_bytep> rows;
  for (uint32_t y = 0; y < spec.height; ++y) packed.push_back(PackRow(spec, y));
  for (auto& r : packed) rows.push_back(r.data());
  std::vector<png_color> palette;
  for (const auto& c : spec.palette) palette.push_back({c[0], c[1], c[2]});
  png_color_16 trans{}, bkgd{};
  if (spec.transparentValue) {
    trans.gray = trans.red = (*spec.transparentValue)[0];
    trans.green = (*spec.transparentValue)[1];
    trans.blue = (*spec.transparentValue)[2];
  }
  if (spec.background) {
    bkgd.index = static_cast<png_byte>((*spec.background)[0]);
    bkgd.gray = bkgd.red = (*spec.background)[0];
    bkgd.green = (*spec.background)[1];
    bkgd.blue = (*spec.background)[2];
  }
  std::vector<png_text> texts;
  for (const auto& t : spec.texts) {
    png_text chunk{};
    chunk.compression = t.compressed ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE;
    chunk.key = const_cast<char*>(t.key.c_str());
    chunk.text = const_cast<char*>(t.text.c_str());
    chunk.text_length = t.text.size();
    texts.push_back(chunk);
  }

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Ignore);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  const bool ok = EncodeGuarded(png, info, spec, rows.data(), palette.empty() ? nullptr : palette.data(),
                                spec.transparentValue ? &trans : nullptr, spec.background ? &bkgd : nullptr,
                                texts.data());
  png_destroy_write_struct(&png, &info);
  if (!ok) out.clear();
  return out;
}

std::optional<PngFacts> InspectPng(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  PngFacts facts;
  std::vector<uint8_t> image;
  std::vector<png_bytep> rows;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Ignore);
  png_infop info = png_create_info_struct(png);
  const bool ok = InspectGuarded(png, info, file, facts, image, rows);
  if (ok) {
    png_textp texts = nullptr;
    const int count = png_get_text(png, info, &texts, nullptr);
    for (int i = 0; i < count; ++i)
      facts.texts.push_back({texts[i].key, std::string(texts[i].text, texts[i].text_length),
                             texts[i].compression == PNG_TEXT_COMPRESSION_zTXt});
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  if (!ok) return std::nullopt;

  facts.channels = ChannelsOf(facts.colourType);
  const size_t values = size_t{facts.width} * static_cast<size_t>(facts.channels);
  const size_t rowBytes = (values * static_cast<size_t>(facts.bitDepth) + 7) / 8;
  for (uint32_t y = 0; y < facts.height; ++y) {
    const uint8_t* row = image.data() + y * rowBytes;
    for (size_t i = 0; i < values; ++i) {
      if (facts.bitDepth == 16) {
        facts.samples.push_back(static_cast<uint16_t>(row[2 * i] << 8 | row[2 * i + 1]));
      } else {
        const size_t bit = i * static_cast<size_t>(facts.bitDepth);
        facts.samples.push_back(static_cast<uint16_t>((row[bit / 8] >> (8 - facts.bitDepth - static_cast<int>(bit % 8))) &
                                                      ((1 << facts.bitDepth) - 1)));
      }
    }
  }
  return facts;
}

}  // namespace veilo::testing
