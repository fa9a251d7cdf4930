#include "shell/window_classes_win.h"

#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "shell/slide_window_win.h"
#include "view/pan_marker_win.h"
#include "view/quick_zoom_win.h"
#include "view/spoit_view_win.h"
#include "view/spoit_win.h"

namespace veilo {

bool RegisterWindowClasses(HINSTANCE instance) {
  // A class left from an earlier start in the same process (the in-process tests) is kept.
  const auto registered = [instance](const wchar_t* name) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExW(instance, name, &existing) != 0;
  };
  return (registered(kFrameClass) || FrameWindow::RegisterClass(instance)) &&
         (registered(kDocumentClass) || DocumentWindow::RegisterClass(instance)) &&
         (registered(kPanMarkerClass) || RegisterPanMarkerClass(instance)) &&
         (registered(kQuickZoomClass) || RegisterQuickZoomClass(instance)) &&
         (registered(kSpoitPickerClass) || RegisterSpoitPickerClass(instance)) &&
         (registered(kSpoitViewClass) || RegisterSpoitViewClass(instance)) &&
         (registered(kSlideClass) || RegisterSlideClass(instance));
}

}  // namespace veilo
