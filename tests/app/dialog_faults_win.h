#pragma once
// What is wrong with a dialog's layout as it is on the screen: a control that
// reaches outside the dialog, a text that does not fit its control, a dialog
// larger than the screen.
#include <windows.h>

#include <string>
#include <vector>

namespace veilo::testing {

struct Fault {
  std::string what;
};

std::vector<Fault> LayoutFaults(HWND dialog);

}  // namespace veilo::testing
