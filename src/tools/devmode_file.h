#pragma once
// The printer settings kept between runs in "devmode.prt" next to the
// program: the printer's name, its device-mode block as the printer driver
// made it (opaque bytes) and the page margins. Little-endian, no header:
//   0    260  printer name, zero-terminated
//   260  4    device-mode size n (signed)
//   264  n    device-mode bytes
//   264+n 16  margins left, top, right, bottom (signed, hundredths of a millimetre)
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/print_layout.h"

namespace veilo {

inline constexpr char kPrinterSettingsFileName[] = "devmode.prt";
inline constexpr size_t kPrinterNameBytes = 260;
// A device-mode block is a few kilobytes; a larger size names no printer's.
inline constexpr int32_t kMaxDevModeBytes = 1 << 20;

struct PrinterSettings {
  std::string printerName;       // at most 259 bytes are kept
  std::vector<uint8_t> devMode;  // empty while no device mode is held
  PageMargins margins;
};

// Where a device-mode block keeps its own size fields (dmSize, then
// dmDriverExtra): after a 32-character device name, in bytes or in UTF-16.
enum class DevModeLayout : uint8_t { kAnsi, kWide };

// Whether the block's own sizes (fixed part plus driver part) lie within the
// block, so that whoever reads it by them stays inside it.
bool DevModeFitsItsBlock(std::span<const uint8_t> devMode, DevModeLayout layout);

// The file's bytes; empty when no device mode is held (nothing is written).
std::vector<uint8_t> EncodePrinterSettings(const PrinterSettings& settings);

// The settings a file holds; nullopt for a file that is not one written by
// EncodePrinterSettings: too short for what its size field promises, longer
// than that, an unterminated name, a size that is not positive, or a device
// mode whose own sizes run past it.
std::optional<PrinterSettings> DecodePrinterSettings(std::span<const uint8_t> bytes,
                                                     DevModeLayout layout = DevModeLayout::kAnsi);

// Reads the file and replaces `settings` with what it holds; a missing,
// truncated or foreign file leaves them as they are (false).
bool LoadPrinterSettings(const std::string& path, PrinterSettings& settings,
                         DevModeLayout layout = DevModeLayout::kAnsi);
// Writes the file (through a temporary file, so a failed write keeps the old
// one) when a device mode is held; false when nothing was written.
bool SavePrinterSettings(const std::string& path, const PrinterSettings& settings);

}  // namespace veilo
