#pragma once
// The marker of the middle-button auto-scroll (class "mmouse"): a 32 by 32
// child of the document window at the point where the auto-scroll began,
// showing the marker icon over the picture while the view scrolls under it.
#include <windows.h>

namespace veilo {

struct App;
class DocumentWindow;

inline constexpr wchar_t kPanMarkerClass[] = L"mmouse";

bool RegisterPanMarkerClass(HINSTANCE instance);

// Starts the auto-scroll the document has just been set up for (anchor,
// cursor position, window rectangle): the neutral pan cursor, the marker at
// the anchor, its handle in panWindow. Destroying the marker ends it: the
// cursor comes back and panWindow is cleared. False when the marker could not
// be made; nothing is left changed then.
bool StartPanMarker(App& app, DocumentWindow& window);

}  // namespace veilo
