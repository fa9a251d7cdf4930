#pragma once
// Conversion of any packed DIB (1, 4, 8, 16, 24 or 32 bits, core or info
// header) to the canonical 24-bit form documents hold.
#include <cstdint>

#include "doc/packed_dib.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// A new canonical 24-bit copy of `dib`. Empty when the block is inconsistent
// (shorter than its size rules demand, compressed, or of an unsupported bit
// count) or memory runs out. Palette indices beyond the colour table give
// black; a zero bit-field mask gives 0 in that channel; 32-bit pixels lose
// their fourth byte.
PackedDib ConvertDibTo24(const PackedDib& dib);
// The same, consuming the source: a source already in canonical form is
// returned as it is, otherwise it is released whether or not conversion
// succeeded.
PackedDib ConvertDibTo24(PackedDib&& dib);

// Replaces the document's picture by its canonical 24-bit form unless it is
// canonical already. 0 = success; 1 = conversion failed (out of memory or an
// inconsistent block), and the document then holds no picture. No message.
int ConvertDocTo24(ShellNotifications& shell, ImageDoc& doc);

}  // namespace veilo
