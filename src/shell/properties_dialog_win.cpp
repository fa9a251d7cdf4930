// PROP_DLG (to come).
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/tool_dialogs_win.h"

namespace veilo {

void ShowProperties(App&, DocumentWindow&) {}

}  // namespace veilo
