#pragma once
// What the print and page-setup dialogs change in the printer settings
// kept between runs.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
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

// The device name of a DEVNAMES block, in UTF-8: the zero-terminated UTF-16
// text at its device-name offset (counted in characters from the block's
// start). Empty when the offset or the text runs past the block.
std::string DevNamesDevice(std::span<const uint8_t> devNames);

// What a print or page-setup dialog handed back for the held device mode.
enum class DialogDevMode : uint8_t {
  kNone,        // no device mode at all
  kHeldEdited,  // the held block, possibly changed in place (orientation, paper)
  kOther,       // another printer's or a first one: it replaces the held one
};
// A block counts as another one when none was held, when it comes at another
// handle, or when it names another printer than the held one: a dialog that
// frees the held block and allocates the next one may get the same handle.
DialogDevMode ClassifyDialogDevMode(bool returned, bool held, bool sameHandle, std::string_view heldPrinter,
                                    std::string_view dialogPrinter);

struct DevModeUpdate {
  bool take = false;       // TakeDialogDevMode
  bool keepEdits = false;  // copy the returned block's bytes into the held one
  friend bool operator==(const DevModeUpdate&, const DevModeUpdate&) = default;
};
// After the print dialog: another device mode is taken even when the dialog
// was cancelled; changes made in place in the held block only when confirmed.
DevModeUpdate AfterPrintDialog(bool confirmed, DialogDevMode returned);

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
