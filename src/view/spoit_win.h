#pragma once
// The colour spoit ("MSpoitWin"): a picture shown magnified over its owner,
// which stays disabled until a colour is picked or the picking is given up.
#include <windows.h>

#include "doc/image_doc.h"
#include "view/colour_pick_target.h"

namespace veilo {

inline constexpr wchar_t kSpoitPickerClass[] = L"MSpoitWin";

bool RegisterSpoitPickerClass(HINSTANCE instance);
bool RegisterSpoitViewClass(HINSTANCE instance);

// Runs the spoit over target's picture until it closes: 1 when a colour was
// picked (it is then in target.colour, and target.colourChosen is set), else 0.
// 0 at once while another spoit is open. The owner is disabled meanwhile and
// enabled and focused again afterwards. When the application quits during the
// picking, the quit message is left for the outer loop.
int PickColour(HWND owner, ColourPickTarget& target);

// The spoit over a document's picture, as the save option dialogs run it over
// theirs: target starts from the document's picture and transparent colour.
int PickColourFromDocument(HWND owner, ImageDoc& doc, ColourPickTarget& target);

// A document's picture goes (its window closes, another file replaces it): a
// spoit open on it closes first, so that it never reads freed pixels.
void SpoitForgetPicture(const ImageDoc& doc);

}  // namespace veilo
