#include "view/selection_win.h"

#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"

namespace veilo {

bool RouteMouseToSelection(App& app, DocumentWindow& window, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN || msg == WM_MBUTTONDOWN) SetFocus(window.hwnd());
  if (msg == WM_MOUSEMOVE && app.frame && !window.doc().areaSelected) {
    const ImageDoc& doc = window.doc();
    const int32_t z = doc.zoomPercent > 0 ? doc.zoomPercent : 100;
    const int32_t x = (std::max<int32_t>(static_cast<int16_t>(LOWORD(lp)), 0) + doc.hScrollPos) * 100 / z;
    const int32_t y = (std::max<int32_t>(static_cast<int16_t>(HIWORD(lp)), 0) + doc.vScrollPos) * 100 / z;
    app.frame->ShowPointer(std::min(x, doc.width), std::min(y, doc.height));
  }
  return false;
}

void SelectionShiftKey(App&, DocumentWindow&, bool) {}
void MoveAreaByButton(App&, DocumentWindow&, int, int) {}
void AutoScrollTick(App&, DocumentWindow&) {}
void EndAutoScroll(App&, DocumentWindow&) {}
void ShowAreaOptions(App&, DocumentWindow&, bool) {}

}  // namespace veilo
