#include "dialog_shot_win.h"

#include "app_fixture_win.h"
#include "platform/dpi_win.h"

namespace veilo::testing {

void SaveShot(HWND dialog, const std::string& name) {
  RECT r{};
  GetWindowRect(dialog, &r);
  SaveScreenShot(r, "dialog-" + name + "-" + std::to_string(WindowDpi(dialog)) + "dpi.png");
}

}  // namespace veilo::testing
