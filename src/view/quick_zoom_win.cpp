#include "view/quick_zoom_win.h"

#include "shell/app_win.h"

namespace veilo {

bool RegisterQuickZoomClass(HINSTANCE) { return true; }
bool QuickZoomShown(const App&) { return false; }
void ToggleQuickZoom(App&) {}
void QuickZoomShow(App&, DocumentWindow&) {}
void QuickZoomForget(App&, DocumentWindow&) {}
void QuickZoomRefresh(App&, DocumentWindow&) {}
void QuickZoomVisibleRect(App&, DocumentWindow&, const PixelRect&) {}
void QuickZoomBoxSize(const App& app, int32_t& width, int32_t& height) {
  width = app.options.quickZoomWidth;
  height = app.options.quickZoomHeight;
}

}  // namespace veilo
