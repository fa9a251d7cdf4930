#pragma once
// The Quick Zoom window ("View"): the active picture reduced, the visible part
// outlined; clicks move the view, a right-button band zooms to it.
#include <windows.h>

#include "doc/pixel_buffer.h"

namespace veilo {

struct App;
class DocumentWindow;

inline constexpr wchar_t kQuickZoomClass[] = L"View";

bool RegisterQuickZoomClass(HINSTANCE instance);
bool QuickZoomShown(const App& app);
// The window, or null while it is closed.
HWND QuickZoomHandle(const App& app);
// Creates the window unless it is open (the frame does at its creation).
void OpenQuickZoom(App& app);
// Creates the window when it is closed, closes it when it is open.
void ToggleQuickZoom(App& app);
// The document activated (or its picture replaced).
void QuickZoomShow(App& app, DocumentWindow& window);
// The document closes.
void QuickZoomForget(App& app, DocumentWindow& window);
// The picture changed: the reduced copy is new.
void QuickZoomRefresh(App& app, DocumentWindow& window);
// The visible part of the picture moved or changed size.
void QuickZoomVisibleRect(App& app, DocumentWindow& window, const PixelRect& visible);
// The box size the reduced copies are made for: the window's client size, or
// while it is closed the size it last had.
void QuickZoomBoxSize(const App& app, int32_t& width, int32_t& height);

}  // namespace veilo
