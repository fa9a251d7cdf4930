#pragma once
// The document window's mouse: selecting, moving and resizing the area,
// double-click detection, edge scrolling and the middle-button auto-scroll.
#include <windows.h>

#include "view/selection_effects.h"

namespace veilo {

struct App;
class DocumentWindow;

// A mouse message of the document window; true when it was handled (the
// non-client ones also go on to the default handling).
bool RouteMouseToSelection(App& app, DocumentWindow& window, UINT msg, WPARAM wp, LPARAM lp);
// Carries out what a selection or auto-scroll handler asked for, in order.
void ApplySelectionEffects(App& app, DocumentWindow& window, const SelectionEffects& effects);
// Shift pressed or released over the window.
void SelectionShiftKey(App& app, DocumentWindow& window, bool down);
// The toolbar's one-pixel moves of the area.
void MoveAreaByButton(App& app, DocumentWindow& window, int dx, int dy);
// The frame's 100 ms tick, forwarded: edge scrolling and auto-scroll steps.
void AutoScrollTick(App& app, DocumentWindow& window);
// Ends a running middle-button auto-scroll (most commands and messages do).
void EndAutoScroll(App& app, DocumentWindow& window);
// The window is going: no auto-scroll, capture, drag or edge scroll outlives it.
void EndSelectionMouse(App& app, DocumentWindow& window);
// The area options dialog, at the pointer or at its own place.
void ShowAreaOptions(App& app, DocumentWindow& window, bool atPointer);

}  // namespace veilo
