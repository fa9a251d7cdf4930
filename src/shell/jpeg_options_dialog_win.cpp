// JPEGOPTION (to come: until then the options are taken as they are).
#include "shell/app_win.h"
#include "shell/save_option_dialogs_win.h"

namespace veilo {

bool ShowJpegOptions(App&, HWND) { return true; }

}  // namespace veilo
