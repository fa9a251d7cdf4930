#include "tools/print_settings.h"

#include <algorithm>

#include "platform/le_bytes.h"
#include "platform/utf.h"

namespace veilo {

std::vector<uint8_t> HeldDevModeCopy(std::span<const uint8_t> dialogDevMode, int32_t reportedSize,
                                     int32_t fallbackSize) {
  // A size past any device mode's is not believed (the file could not keep it either).
  const int32_t size = std::min(reportedSize == -1 ? fallbackSize : reportedSize, kMaxDevModeBytes);
  std::vector<uint8_t> block(std::max(static_cast<size_t>(std::max(size, 0)), dialogDevMode.size()), 0);
  std::copy(dialogDevMode.begin(), dialogDevMode.end(), block.begin());
  return block;
}

void TakeDialogDevMode(PrinterSettings& settings, std::string printerName,
                       std::span<const uint8_t> dialogDevMode, int32_t reportedSize, int32_t fallbackSize) {
  settings.printerName = std::move(printerName);
  settings.devMode = HeldDevModeCopy(dialogDevMode, reportedSize, fallbackSize);
}

std::string DevNamesDevice(std::span<const uint8_t> devNames) {
  // DEVNAMES: four 16-bit offsets (driver, device, output, default flag).
  if (devNames.size() < 8) return {};
  const size_t start = size_t{GetLe16(devNames.data() + 2)} * 2;
  if (start < 8) return {};  // the names follow the offsets
  std::u16string name;
  for (size_t at = start; at + 1 < devNames.size(); at += 2) {
    const char16_t c = static_cast<char16_t>(GetLe16(devNames.data() + at));
    if (c == 0) return Utf16ToUtf8(name);
    name.push_back(c);
  }
  return {};
}

DialogDevMode ClassifyDialogDevMode(bool returned, bool held, bool sameHandle, std::string_view heldPrinter,
                                    std::string_view dialogPrinter) {
  if (!returned) return DialogDevMode::kNone;
  if (!held || !sameHandle) return DialogDevMode::kOther;
  if (!dialogPrinter.empty() && dialogPrinter != heldPrinter) return DialogDevMode::kOther;
  return DialogDevMode::kHeldEdited;
}

DevModeUpdate AfterPrintDialog(bool confirmed, DialogDevMode returned) {
  DevModeUpdate update;
  update.take = returned == DialogDevMode::kOther;
  update.keepEdits = confirmed && returned == DialogDevMode::kHeldEdited;
  return update;
}

PageSetupOutcome DecidePageSetup(bool confirmed, bool otherDevModeReturned, const PageMargins& held,
                                 const PageMargins& chosen) {
  PageSetupOutcome outcome;
  if (!confirmed) return outcome;
  outcome.save = true;
  if (!otherDevModeReturned && held == chosen) return outcome;
  outcome.replaceDevMode = otherDevModeReturned;
  outcome.storeMargins = true;
  return outcome;
}

}  // namespace veilo
