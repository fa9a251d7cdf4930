#pragma once
// What the print and page-setup dialogs change in the printer settings
// kept between runs.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/devmode_file.h"
#include "tools/print_layout.h"

namespace veilo {

inline constexpr char kPrintJobName[] = "Veilo:print";
// The device-mode size taken when the driver reports none (-1): after the
// print dialog, and after the page-setup dialog.
inline constexpr int32_t kPrintDialogDevModeSize = 7800;
inline constexpr int32_t kPageSetupDevModeSize = 1560;

// The block kept for the device mode a dialog returned: zero-filled, of the
// size the driver reports (the fallback when it reports none), but never
// smaller than the dialog's own block, which is copied whole, so that the
// block always holds everything its own size fields promise.
std::vector<uint8_t> HeldDevModeCopy(std::span<const uint8_t> dialogDevMode, int32_t reportedSize,
                                     int32_t fallbackSize);

// A dialog returned a device mode other than the one held: its printer's
// name and a copy of the block replace the held ones.
void TakeDialogDevMode(PrinterSettings& settings, std::string printerName,
                       std::span<const uint8_t> dialogDevMode, int32_t reportedSize, int32_t fallbackSize);

struct PageSetupOutcome {
  bool replaceDevMode = false;  // TakeDialogDevMode with kPageSetupDevModeSize
  bool storeMargins = false;
  bool save = false;  // SavePrinterSettings
  friend bool operator==(const PageSetupOutcome&, const PageSetupOutcome&) = default;
};

// After the page-setup dialog: nothing when it was cancelled; only a save
// when neither the device mode nor the margins changed; otherwise the new
// device mode (if one came back) and the margins are taken, then saved.
PageSetupOutcome DecidePageSetup(bool confirmed, bool otherDevModeReturned, const PageMargins& held,
                                 const PageMargins& chosen);

}  // namespace veilo
