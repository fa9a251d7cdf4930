// The mouse over the Quick Zoom window: the left button moves the document's
// view to the point, a right-button band zooms the document to the band.
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "view/quick_zoom_window_win.h"
#include "view/scrolling.h"
#include "view/selection_win.h"

namespace veilo {

LRESULT QuickZoomWindow::OnLeftDown(int x, int y) {
  if (!Shown()) return 0;
  SetCapture(hwnd());
  CentreDocumentOn(x, y);
  return 0;
}

LRESULT QuickZoomWindow::OnLeftUp() {
  if (GetCapture() == hwnd()) ReleaseCapture();
  FocusDocument();
  return 0;
}

LRESULT QuickZoomWindow::OnMouseMove(WPARAM keys, int x, int y) {
  DocumentWindow* shown = Shown();
  if (!shown) return 0;
  if (keys & MK_LBUTTON)
    CentreDocumentOn(x, y);
  else if (keys & MK_RBUTTON)
    Draw(QuickZoomRightDrag(qz_, shown->doc(), x, y));
  else
    Draw(QuickZoomHover(qz_));
  return 0;
}

LRESULT QuickZoomWindow::OnRightDown(int x, int y) {
  DocumentWindow* shown = Shown();
  if (!shown) return 0;
  Draw(QuickZoomRightDown(qz_, shown->doc(), x, y));
  SetCapture(hwnd());
  return 0;
}

LRESULT QuickZoomWindow::OnRightUp(int x, int y) {
  DocumentWindow* shown = Shown();
  if (!shown) {
    if (GetCapture() == hwnd()) ReleaseCapture();
    return 0;
  }
  const BandRelease release = QuickZoomRightUp(qz_, shown->doc(), x, y);
  Draw(release.inversions);
  // Released only now: losing the capture mid-band would cancel the band.
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (release.zoom) ZoomDocument(*shown, *release.zoom);
  return 0;
}

// The capture went elsewhere (another window took it) while a band ran: the
// band goes, the outline comes back.
LRESULT QuickZoomWindow::OnCaptureChanged() {
  if (qz_.bandTracking) Draw(QuickZoomHover(qz_));
  return 0;
}

void QuickZoomWindow::CentreDocumentOn(int x, int y) {
  DocumentWindow* shown = Shown();
  if (!shown) return;
  ImageDoc& doc = shown->doc();
  const std::optional<ViewMove> move = CentreViewOn(doc, QuickZoomLayout(qz_, doc), x, y);
  if (!move || (!move->hChanged && !move->vChanged)) return;
  if (move->smallMove) {
    if (move->hChanged) shown->Scroll(ScrollBarKind::kHorizontal, kScrollThumbTrack, move->hScrollPos);
    if (move->vChanged) shown->Scroll(ScrollBarKind::kVertical, kScrollThumbTrack, move->vScrollPos);
    return;
  }
  EndAutoScroll(app_, *shown);
  doc.hScrollPos = move->hScrollPos;
  doc.vScrollPos = move->vScrollPos;
  shown->UpdateRanges();
  InvalidateRect(shown->hwnd(), nullptr, TRUE);
  UpdateWindow(shown->hwnd());
}

void QuickZoomWindow::ZoomDocument(DocumentWindow& window, const BandZoom& zoom) {
  EndAutoScroll(app_, window);
  ImageDoc& doc = window.doc();
  doc.zoomPercent = zoom.zoomPercent;
  doc.hScrollPos = zoom.hScrollPos;
  doc.vScrollPos = zoom.vScrollPos;
  window.UpdateRanges();
  InvalidateRect(window.hwnd(), nullptr, TRUE);
  UpdateWindow(window.hwnd());
  if (app_.frame) {
    app_.frame->ShowZoom(doc.zoomPercent);
    app_.frame->RefreshControls();
  }
  SetFocus(window.hwnd());
}

void QuickZoomWindow::FocusDocument() const {
  if (const DocumentWindow* shown = Shown()) SetFocus(shown->hwnd());
}

}  // namespace veilo
