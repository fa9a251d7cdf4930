// BMP_OPT (to come: until then the options are taken as they are).
#include "shell/app_win.h"
#include "shell/save_option_dialogs_win.h"

namespace veilo {

bool AskBmpOptions(App&, HWND, uint32_t, int&) { return true; }

}  // namespace veilo
