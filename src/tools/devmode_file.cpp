#include "tools/devmode_file.h"

#include <algorithm>
#include <cstring>

#include "platform/file_io.h"
#include "platform/le_bytes.h"

namespace veilo {

namespace {

constexpr size_t kSizeOffset = kPrinterNameBytes;
constexpr size_t kDevModeOffset = kSizeOffset + 4;
constexpr size_t kMarginsBytes = 16;

// Cut at most `limit` bytes without splitting a UTF-8 sequence.
size_t Utf8PrefixLength(const std::string& text, size_t limit) {
  if (text.size() <= limit) return text.size();
  size_t n = limit;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

int32_t GetLeSigned32(const uint8_t* p) { return static_cast<int32_t>(GetLe32(p)); }

}  // namespace

bool DevModeFitsItsBlock(std::span<const uint8_t> devMode, DevModeLayout layout) {
  const size_t at = layout == DevModeLayout::kAnsi ? 36 : 68;
  if (devMode.size() < at + 4) return false;
  const size_t fixed = GetLe16(devMode.data() + at), extra = GetLe16(devMode.data() + at + 2);
  return fixed >= at + 4 && fixed + extra <= devMode.size();
}

std::vector<uint8_t> EncodePrinterSettings(const PrinterSettings& settings) {
  if (settings.devMode.empty() || settings.devMode.size() > static_cast<size_t>(kMaxDevModeBytes)) return {};
  const size_t n = settings.devMode.size();
  std::vector<uint8_t> bytes(kDevModeOffset + n + kMarginsBytes, 0);
  std::memcpy(bytes.data(), settings.printerName.data(),
              Utf8PrefixLength(settings.printerName, kPrinterNameBytes - 1));
  PutLe32(bytes.data() + kSizeOffset, static_cast<uint32_t>(n));
  std::memcpy(bytes.data() + kDevModeOffset, settings.devMode.data(), n);
  uint8_t* margins = bytes.data() + kDevModeOffset + n;
  const PageMargins& m = settings.margins;
  for (const int32_t v : {m.left, m.top, m.right, m.bottom}) {
    PutLe32(margins, static_cast<uint32_t>(v));
    margins += 4;
  }
  return bytes;
}

std::optional<PrinterSettings> DecodePrinterSettings(std::span<const uint8_t> bytes, DevModeLayout layout) {
  if (bytes.size() < kDevModeOffset + kMarginsBytes) return std::nullopt;
  const uint8_t* name = bytes.data();
  const auto* end = static_cast<const uint8_t*>(std::memchr(name, 0, kPrinterNameBytes));
  if (!end) return std::nullopt;
  const int32_t n = GetLeSigned32(bytes.data() + kSizeOffset);
  if (n <= 0 || n > kMaxDevModeBytes) return std::nullopt;
  // Sizes checked before any offset is formed from them.
  if (bytes.size() != kDevModeOffset + static_cast<size_t>(n) + kMarginsBytes) return std::nullopt;
  const std::span<const uint8_t> devMode = bytes.subspan(kDevModeOffset, static_cast<size_t>(n));
  if (!DevModeFitsItsBlock(devMode, layout)) return std::nullopt;
  PrinterSettings settings;
  settings.printerName.assign(reinterpret_cast<const char*>(name), static_cast<size_t>(end - name));
  settings.devMode.assign(devMode.begin(), devMode.end());
  const uint8_t* m = bytes.data() + kDevModeOffset + static_cast<size_t>(n);
  settings.margins = {GetLeSigned32(m), GetLeSigned32(m + 4), GetLeSigned32(m + 8), GetLeSigned32(m + 12)};
  return settings;
}

bool LoadPrinterSettings(const std::string& path, PrinterSettings& settings, DevModeLayout layout) {
  const std::optional<std::vector<uint8_t>> bytes =
      ReadWholeFile(path, kDevModeOffset + static_cast<size_t>(kMaxDevModeBytes) + kMarginsBytes);
  if (!bytes) return false;
  std::optional<PrinterSettings> read = DecodePrinterSettings(*bytes, layout);
  if (!read) return false;
  settings = std::move(*read);
  return true;
}

bool SavePrinterSettings(const std::string& path, const PrinterSettings& settings) {
  const std::vector<uint8_t> bytes = EncodePrinterSettings(settings);
  if (bytes.empty()) return false;
  SafeFileWriter writer(path);
  return writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

}  // namespace veilo
