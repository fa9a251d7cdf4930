// The document window's commands: masks and the logs, rotation, zoom, copy.
// Saving and stepping through the folder are in doc_files_win.cpp.
#include <windows.h>

#include "masks/mask_log.h"
#include "shell/app_win.h"
#include "shell/doc_actions.h"
#include "shell/doc_window_win.h"
#include "shell/features_win.h"
#include "shell/frame_win.h"
#include "shell/option_dialogs_win.h"
#include "view/paint_win.h"
#include "view/clipboard_win.h"
#include "view/selection_win.h"
#include "view/zoom.h"

namespace veilo {

LRESULT DocumentWindow::OnCommand(WPARAM wp, LPARAM lp) {
  const DocumentDispatch dispatch = DispatchDocumentCommand(LOWORD(wp));
  if (dispatch.action == DocAction::kNone) return DefaultHandling(WM_COMMAND, wp, lp);
  if (dispatch.fromButton) SetFocus(hwnd());
  if (dispatch.endsAutoScroll) EndAutoScroll(app_, *this);
  const HWND self = hwnd();
  RunAction(dispatch.action);
  // A command may close the window (a failed switch never does, but a modal loop might).
  if (IsWindow(self) && app_.FindDocument(self) && app_.frame) app_.frame->RefreshControls();
  return 0;
}

void DocumentWindow::RunAction(DocAction action) {
  MaskContext ctx = app_.MaskContextFor(shell_);
  switch (action) {
    case DocAction::kSave: Save(); return;
    case DocAction::kSaveAs: SaveAs(); return;
    case DocAction::kCopy: CopyToClipboard(); return;
    case DocAction::kZoomIn:
    case DocAction::kZoomOut: ZoomBy(action); return;
    case DocAction::kActualSize: ApplyZoom(100); return;
    case DocAction::kFitWholeImage: FitWhole(); return;
    case DocAction::kCpMask: RunCpMask(); return;
    case DocAction::kAreaOptions: ShowAreaOptions(app_, *this, false); return;
    case DocAction::kAreaUp: MoveAreaByButton(app_, *this, 0, -1); return;
    case DocAction::kAreaDown: MoveAreaByButton(app_, *this, 0, 1); return;
    case DocAction::kAreaLeft: MoveAreaByButton(app_, *this, -1, 0); return;
    case DocAction::kAreaRight: MoveAreaByButton(app_, *this, 1, 0); return;
    case DocAction::kProperties:
    case DocAction::kPrint:
    case DocAction::kResizePaste: RunDocumentFeature(app_, *this, action); return;
    default: break;
  }
  // A turned picture asks for its zoom again itself (ranges, full repaint, recentred).
  WaitCursor wait(shell_);
  RunEditAction(ctx, *doc_, action);
}

void DocumentWindow::ZoomBy(DocAction action) {
  const int32_t zoom = doc_->zoomPercent;
  if (action == DocAction::kZoomIn && CanZoomIn(zoom)) ApplyZoom(ZoomInStep(zoom));
  if (action == DocAction::kZoomOut && CanZoomOut(zoom)) ApplyZoom(ZoomOutStep(zoom));
}

void DocumentWindow::FitWhole() {
  FitWholeImage(*doc_, SystemScrollBarMetrics(hwnd()));
  ApplyZoom(doc_->zoomPercent);
}

void DocumentWindow::RunCpMask() {
  std::string code;
  if (!AskCpCode(app_, *this, code)) return;
  MaskContext ctx = app_.MaskContextFor(shell_);
  WaitCursor wait(shell_);
  ApplyCpCode(ctx, *doc_, code);
}

void DocumentWindow::CopyToClipboard() {
  if (!CopyPictureToClipboard(hwnd(), *doc_)) MessageBeep(0);
}

}  // namespace veilo
