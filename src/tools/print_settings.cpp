#include "tools/print_settings.h"

#include <algorithm>

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
