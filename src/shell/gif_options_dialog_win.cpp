// The GIF option dialog 102 (to come: until then the options are taken as they are).
#include "shell/app_win.h"
#include "shell/save_option_dialogs_win.h"

namespace veilo {

bool AskGifOptions(App&, HWND, ImageDoc&, GifSaveOptions&) { return true; }

}  // namespace veilo
