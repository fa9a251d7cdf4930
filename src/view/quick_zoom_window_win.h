#pragma once
// The Quick Zoom window's object, shared by its three files: quick_zoom_win.cpp
// (the program's one window and the seams the documents call),
// quick_zoom_window_win.cpp (the box and the copy painted in it) and
// quick_zoom_mouse_win.cpp (moving and zooming the document from the box).
#include <windows.h>

#include "platform/window_win.h"
#include "view/quick_zoom.h"

namespace veilo {

struct App;
class DocumentWindow;

inline constexpr char kQuickZoomNoDocumentCaption[] = "Quick Zoom";

class QuickZoomWindow : public Window {
 public:
  explicit QuickZoomWindow(App& app) : app_(app) {}
  bool Create();

  QuickZoomState& state() { return qz_; }
  // The document whose picture is shown; null when none is (or it has gone).
  DocumentWindow* Shown() const;
  // Draws the outlines of these rectangles with the inverting pen.
  void Draw(const BoxInversions& rectangles) const;
  // The caption names the shown document's title, or no document.
  void SyncCaption() const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnFinalMessage() override;

 private:
  // The box and the copy.
  LRESULT OnCreate();
  LRESULT OnDestroy();
  LRESULT OnSize(int width, int height);
  LRESULT OnMove();
  LRESULT OnPaint();
  LRESULT OnDpiChanged(const RECT* suggested);
  LRESULT OnMouseActivate(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnTimer(UINT_PTR id);
  void RebuildCopies();

  // The mouse.
  LRESULT OnLeftDown(int x, int y);
  LRESULT OnLeftUp();
  LRESULT OnMouseMove(WPARAM keys, int x, int y);
  LRESULT OnRightDown(int x, int y);
  LRESULT OnRightUp(int x, int y);
  LRESULT OnCaptureChanged();
  void CentreDocumentOn(int x, int y);
  void ZoomDocument(DocumentWindow& window, const BandZoom& zoom);
  void FocusDocument() const;

  App& app_;
  QuickZoomState qz_;
  bool hiddenWithFrame_ = false;  // hidden by OnTimer while the frame is minimised
};

}  // namespace veilo
