// PNG_OPT (to come: until then the options are taken as they are).
#include "shell/app_win.h"
#include "shell/save_option_dialogs_win.h"

namespace veilo {

bool AskPngOptions(App&, HWND, ImageDoc&, const PngColourCount&, PngSaveOptions&) { return true; }

}  // namespace veilo
