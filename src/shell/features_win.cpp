#include "shell/features_win.h"

#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/option_dialogs_win.h"
#include "shell/print_win.h"
#include "shell/save_option_dialogs_win.h"
#include "shell/slide_window_win.h"
#include "shell/tool_dialogs_win.h"
#include "shell/twain_win.h"
#include "view/quick_zoom_win.h"

namespace veilo {

void RunFrameFeature(App& app, FrameAction action) {
  switch (action) {
    case FrameAction::kToggleQuickZoom: ToggleQuickZoom(app); return;
    case FrameAction::kQ0Options: ShowQ0Options(app, app.frameWindow); return;
    case FrameAction::kRgbOptions: ShowRgbOptions(app, app.frameWindow); return;
    case FrameAction::kJpegOptions: ShowJpegOptions(app, app.frameWindow); return;
    case FrameAction::kSlideShow: StartSlideShowFromMenu(app); return;
    case FrameAction::kPageSetup: PageSetup(app, app.frameWindow); return;
    case FrameAction::kTwainAcquire: AcquireFromTwain(app); return;
    case FrameAction::kTwainSelect: SelectTwainSource(app); return;
    default: return;  // not a command of this kind
  }
}

void RunDocumentFeature(App& app, DocumentWindow& window, DocAction action) {
  switch (action) {
    case DocAction::kProperties: ShowProperties(app, window); return;
    case DocAction::kResizePaste: ResizePasteCommand(app, window); return;
    case DocAction::kPrint: PrintDocument(app, window); return;
    default: return;  // not a command of this kind
  }
}

void StartSlideShow(App& app, std::string_view commandLine) { StartSlideShowFromCommandLine(app, commandLine); }

}  // namespace veilo
