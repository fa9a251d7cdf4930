#pragma once
// The document window's mouse: selecting, moving and resizing the area,
// double-click detection, edge scrolling and the middle-button auto-scroll.
#include <windows.h>

namespace veilo {

struct App;
class DocumentWindow;

// A mouse message of the document window; true when it was handled.
bool RouteMouseToSelection(App& app, DocumentWindow& window, UINT msg, WPARAM wp, LPARAM lp);
// Shift pressed or released over the window.
void SelectionShiftKey(App& app, DocumentWindow& window, bool down);
// The toolbar's one-pixel moves of the area.
void MoveAreaByButton(App& app, DocumentWindow& window, int dx, int dy);
// The frame's 100 ms tick, forwarded: edge scrolling and auto-scroll steps.
void AutoScrollTick(App& app, DocumentWindow& window);
// Ends a running middle-button auto-scroll (most commands and messages do).
void EndAutoScroll(App& app, DocumentWindow& window);
// The area options dialog, at the pointer or at its own place.
void ShowAreaOptions(App& app, DocumentWindow& window, bool atPointer);

}  // namespace veilo
