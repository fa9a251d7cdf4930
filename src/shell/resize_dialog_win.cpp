// RESIZE_DLG (to come).
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/tool_dialogs_win.h"

namespace veilo {

void ResizePasteCommand(App&, DocumentWindow&) {}

}  // namespace veilo
