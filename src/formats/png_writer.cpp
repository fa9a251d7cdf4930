#include "formats/png_writer.h"

#include <png.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "doc/image_doc.h"
#include "formats/png_colour_mode.h"
#include "formats/png_glue.h"
#include "formats/png_messages.h"
#include "formats/png_reduction.h"
#include "formats/png_text_compression.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

struct PngWriteObjects {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngWriteObjects() {
    if (png != nullptr) png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
  }
};

// libpng's output function: may leave by png_error, holds nothing to destroy.
void WriteToFile(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<SafeFileWriter*>(png_get_io_ptr(png));
  if (!out->Write(data, length)) png_error(png, "Write Error");
}
void FlushNothing(png_structp) {}  // the writer flushes on Commit

// What the file's rows and header hold, settled before libpng is set up.
struct PngRowPlan {
  PngColourMode mode = PngColourMode::kTrueColour;
  int bitDepth = 8;
  std::optional<PngReducedPicture> reduced;
  std::vector<RgbColour> palette;   // as written; empty for gray and RGB
  std::vector<uint8_t> writtenIndex;  // exact palette: first-appearance position -> written index
  bool transparent = false;
  RgbColour transparentColour{};
};

int ColourTypeOf(const PngRowPlan& plan) {
  if (!plan.palette.empty()) return PNG_COLOR_TYPE_PALETTE;
  return plan.mode == PngColourMode::kGray8Bit ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB;
}

bool NeedsReduction(PngColourMode mode, int reduction) {
  if (reduction == 0) return false;
  return mode == PngColourMode::kTrueColour || (mode == PngColourMode::kPalette8Bit && reduction != 256);
}

// Decides mode, palette and index rows; reduces the colours when asked to.
// nullopt when the reduction runs out of memory.
std::optional<PngRowPlan> PlanRows(const PixelBuffer& pixels, const PngColourCount& counted,
                                   const PngSaveOptions& options) {
  PngRowPlan plan;
  plan.mode = counted.mode;
  plan.bitDepth = PngBitDepth(counted.mode);  // kept when reduced: 8 bits
  plan.transparent = options.transparent;
  plan.transparentColour = options.transparentColour;

  const int reduction = EffectivePngReduction(options.reduction, counted);
  if (NeedsReduction(counted.mode, reduction)) {
    plan.reduced = ReducePngColours(pixels, reduction,
                                    options.transparent ? std::optional<RgbColour>(options.transparentColour)
                                                        : std::nullopt);
    if (!plan.reduced) return std::nullopt;
    plan.mode = reduction > 16 ? PngColourMode::kPalette8Bit : PngColourMode::kPalette4Bit;
    plan.palette = plan.reduced->palette;
    if (options.transparent) plan.transparentColour = plan.reduced->transparentColour;
    return plan;
  }
  if (!counted.HasExactPalette()) return plan;

  const auto& colours = counted.colours.colours();
  plan.palette.assign(PngPaletteEntries(counted.mode, counted.count), RgbColour{});
  for (size_t i = 0; i < colours.size(); ++i)
    plan.palette[i] = {static_cast<uint8_t>(colours[i] >> 16), static_cast<uint8_t>(colours[i] >> 8),
                       static_cast<uint8_t>(colours[i])};
  plan.writtenIndex.resize(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) plan.writtenIndex[i] = static_cast<uint8_t>(i);
  if (options.transparent) {
    // The transparent colour takes entry 0, so that its transparency table is one entry long.
    const auto& t = options.transparentColour;
    const int at = counted.colours.Find(PackRgb(t[0], t[1], t[2]));
    if (at > 0) {
      std::swap(plan.palette[0], plan.palette[static_cast<size_t>(at)]);
      std::swap(plan.writtenIndex[0], plan.writtenIndex[static_cast<size_t>(at)]);
    }
  }
  return plan;
}

// Transparency chunk contents for the header.
struct PngTransparency {
  std::vector<png_byte> alpha;  // palette pictures
  png_color_16 value{};         // gray and RGB pictures
  bool hasValue = false;
};

PngTransparency TransparencyOf(const PngRowPlan& plan) {
  PngTransparency t;
  if (!plan.transparent) return t;
  const RgbColour& c = plan.transparentColour;
  if (!plan.palette.empty()) {
    // Opaque entries up to the first one of the transparent colour; none
    // when the palette lacks it.
    const auto at = std::find(plan.palette.begin(), plan.palette.end(), c);
    if (at != plan.palette.end()) {
      t.alpha.assign(static_cast<size_t>(at - plan.palette.begin()) + 1, 255);
      t.alpha.back() = 0;
    }
  } else if (plan.mode == PngColourMode::kGray8Bit) {
    t.value.gray = c[0];
    t.hasValue = true;
  } else {
    t.value.red = c[0];
    t.value.green = c[1];
    t.value.blue = c[2];
    t.hasValue = true;
  }
  return t;
}

std::vector<png_text> TextChunks(const std::vector<PngTextEntry>& list) {
  std::vector<png_text> chunks;
  for (const PngTextEntry& e : list) {
    png_text t{};
    t.compression = TextCompressionPays(e.text) ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE;
    t.key = const_cast<char*>(e.key.c_str());
    t.text = const_cast<char*>(e.text.c_str());
    t.text_length = e.text.size();
    chunks.push_back(t);
  }
  return chunks;
}

// Rows in the file's form, top row first. Reduced and RGB pictures hand out
// their own rows; gray and exact palette rows are converted into `scratch`.
class RowSource {
 public:
  RowSource(const PixelBuffer& pixels, const PngRowPlan& plan, const PngColourCount& counted)
      : pixels_(pixels), plan_(plan), counted_(counted) {}

  bool NeedsScratch() const { return !plan_.reduced && plan_.mode != PngColourMode::kTrueColour; }

  png_bytep Row(int32_t y, uint8_t* scratch) const {
    const size_t width = static_cast<size_t>(pixels_.width);
    if (plan_.reduced) return plan_.reduced->indices.get() + static_cast<size_t>(y) * width;
    const uint8_t* p = pixels_.Row(y);
    if (plan_.mode == PngColourMode::kTrueColour) return const_cast<uint8_t*>(p);
    if (plan_.mode == PngColourMode::kGray8Bit) {
      for (size_t x = 0; x < width; ++x, p += 3) scratch[x] = p[kBlue];
    } else {
      for (size_t x = 0; x < width; ++x, p += 3) {
        const int at = counted_.colours.Find(PackRgb(p[kRed], p[kGreen], p[kBlue]));
        scratch[x] = plan_.writtenIndex[static_cast<size_t>(at)];
      }
    }
    return scratch;
  }

 private:
  const PixelBuffer& pixels_;
  const PngRowPlan& plan_;
  const PngColourCount& counted_;
};

bool WriteInterlaced(ShellNotifications& shell, const PngWriteObjects& o, const PixelBuffer& pixels,
                     const RowSource& source) {
  const size_t width = static_cast<size_t>(pixels.width), height = static_cast<size_t>(pixels.height);
  std::unique_ptr<uint8_t[]> image;
  std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[height]);
  if (source.NeedsScratch()) image.reset(new (std::nothrow) uint8_t[width * height]);
  if (!rows || (source.NeedsScratch() && !image)) {
    shell.ShowError(kPngImageMemoryText);
    return false;
  }
  for (size_t y = 0; y < height; ++y)
    rows[y] = source.Row(static_cast<int32_t>(y), image ? image.get() + y * width : nullptr);
  if (!GuardedWriteImage(o.png, o.info, rows.get())) {
    shell.ShowError(kPngImageLongjmpText);
    return false;
  }
  return true;
}

bool WriteRowByRow(ShellNotifications& shell, const PngWriteObjects& o, const PixelBuffer& pixels,
                   const RowSource& source) {
  std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[static_cast<size_t>(pixels.width)]);
  if (!scratch) {
    shell.ShowError(kPngRowMemoryText);
    return false;
  }
  for (int32_t y = 0; y < pixels.height; ++y) {
    if (!GuardedWriteRow(o.png, source.Row(y, scratch.get()))) {
      shell.ShowError(kPngRowLongjmpText);
      return false;
    }
  }
  if (!GuardedWriteEnd(o.png, o.info)) {
    shell.ShowError(kPngFinalCallText);
    return false;
  }
  return true;
}

bool WritePng(ShellNotifications& shell, SafeFileWriter& out, const PixelBuffer& pixels, const PngRowPlan& plan,
              const PngColourCount& counted, const std::vector<PngTextEntry>& texts, bool interlace) {
  PngErrorSink sink{&shell};
  PngWriteObjects objects;
  objects.png = CreatePngWriter(sink);
  if (objects.png != nullptr) objects.info = png_create_info_struct(objects.png);
  if (objects.png == nullptr || objects.info == nullptr) {
    shell.ShowError(kPngInsufficientMemoryText);
    return false;
  }

  std::vector<png_color> palette;
  for (const RgbColour& c : plan.palette) palette.push_back({c[0], c[1], c[2]});
  const PngTransparency transparency = TransparencyOf(plan);
  const std::vector<png_text> textChunks = TextChunks(texts);

  PngHeaderPlan header;
  header.width = static_cast<png_uint_32>(pixels.width);
  header.height = static_cast<png_uint_32>(pixels.height);
  header.bitDepth = plan.bitDepth;
  header.colourType = ColourTypeOf(plan);
  header.interlace = interlace;
  header.palette = palette.empty() ? nullptr : palette.data();
  header.paletteEntries = static_cast<int>(palette.size());
  header.transAlpha = transparency.alpha.empty() ? nullptr : transparency.alpha.data();
  header.transEntries = static_cast<int>(transparency.alpha.size());
  header.transColour = transparency.hasValue ? &transparency.value : nullptr;
  header.texts = textChunks.data();
  header.textCount = static_cast<int>(textChunks.size());
  header.blueFirst = header.colourType == PNG_COLOR_TYPE_RGB;
  if (!GuardedWriteHeader(objects.png, objects.info, header, &out, WriteToFile, FlushNothing)) {
    shell.ShowError(kPngWriteInitLongjmpText);
    return false;
  }

  const RowSource source(pixels, plan, counted);
  return interlace ? WriteInterlaced(shell, objects, pixels, source) : WriteRowByRow(shell, objects, pixels, source);
}

}  // namespace

int WritePngFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc,
                 const PngSaveOptions& options) {
  if (!doc.HasPicture() || doc.bitCount != 24) return 0;
  const PixelBuffer pixels = DocPixels(doc);
  const PngColourCount counted = CountColours(pixels);

  WaitCursor wait(shell);
  doc.useTransparent = options.transparent ? 1 : 0;
  doc.transparentColor = options.transparentColour;

  SafeFileWriter out(utf8Path);
  if (!out.ok()) {
    shell.ShowError(kPngWriteOpenErrorText);
    return 0;
  }
  const std::optional<PngRowPlan> plan = PlanRows(pixels, counted, options);
  if (!plan) return 0;
  if (!WritePng(shell, out, pixels, *plan, counted, doc.pngTextList, options.interlace)) return 0;
  return out.Commit() ? 1 : 0;
}

}  // namespace veilo
