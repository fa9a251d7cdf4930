#include "shell/option_dialogs_win.h"

namespace veilo {

void ShowQ0Options(App&, HWND) {}
void ShowRgbOptions(App&, HWND) {}
bool AskCpCode(App&, DocumentWindow&, std::string&) { return false; }

}  // namespace veilo
