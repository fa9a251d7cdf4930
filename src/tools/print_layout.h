#pragma once
// Placing a picture on a printed page: margins in device pixels, the quarter
// turn when the picture's orientation differs from the printable area's, and
// the fit into that area.
#include <cstdint>
#include <optional>

#include "doc/packed_dib.h"
#include "masks/rotation.h"
#include "tools/slide_fit.h"

namespace veilo {

// Page margins in hundredths of a millimetre.
struct PageMargins {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

// What the printer reports: the printable size in pixels and its width in
// millimetres.
struct PrinterPage {
  int32_t widthPixels = 0;   // HORZRES
  int32_t heightPixels = 0;  // VERTRES
  int32_t widthMm = 0;       // HORZSIZE
};

struct PrintPlacement {
  bool turn = false;  // print the picture turned a quarter clockwise
  FitRect output;     // in device pixels, the margins included
};

// A margin in device pixels: whole pixels per millimetre (HORZRES /
// HORZSIZE) times the margin, truncated. 0 when the printer reports no width.
int32_t MarginPixels(const PrinterPage& page, int32_t hundredthsMm);

// Whether the picture is turned: the area is wider than high and the picture
// higher than wide, or the other way round. Square ones never are.
bool ShouldTurnForPrint(int32_t areaWidth, int32_t areaHeight, int32_t pictureWidth, int32_t pictureHeight);

// The placement of a picture on the page; nullopt when the margins leave no
// printable area or the picture is empty (nothing is printed).
std::optional<PrintPlacement> PlacePrint(const PrinterPage& page, const PageMargins& margins,
                                         int32_t pictureWidth, int32_t pictureHeight);

// A canonical 24-bit copy of a canonical 24-bit picture turned a quarter
// clockwise: pixel (x, y) goes to (h - 1 - y, x). Empty when the picture is
// not canonical 24-bit or the copy finds no memory.
PackedDib TurnedForPrint(const PackedDib& picture, TurnedDibAllocator allocate = PackedDib::Canonical24);

}  // namespace veilo
