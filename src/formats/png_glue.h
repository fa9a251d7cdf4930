#pragma once
// The only places that call libpng functions which may report an error by
// longjmp. Each guarded call sets the jump target itself and holds nothing
// that needs destroying, so a jump out of libpng never skips a destructor.
// Callbacks run from inside these calls must likewise hold no such objects
// when they call png_error.
#include <png.h>

#include <cstddef>

namespace veilo {

class ShellNotifications;

// Error pointer of every libpng object we create: libpng's messages go to
// the common error box as "libpng error: %s\n".
struct PngErrorSink {
  ShellNotifications* shell = nullptr;
};

// Creates the libpng objects with our error and warning handlers. Null when libpng cannot allocate them.
png_structp CreatePngReader(PngErrorSink& sink);
png_structp CreatePngWriter(PngErrorSink& sink);

// Feeds one block of file data to the progressive reader. False after a
// libpng error (already shown).
bool GuardedProcessData(png_structp png, png_infop info, png_bytep data, size_t size);

// Sets up the progressive reader: its callbacks and the limits an untrusted
// file must stay within. False after a libpng error (already shown).
bool GuardedStartProgressiveRead(png_structp png, void* context, png_progressive_info_ptr info,
                                 png_progressive_row_ptr row, png_progressive_end_ptr end,
                                 png_uint_32 maxWidth, png_uint_32 maxHeight);

// Everything the header of a written file carries, in the library's types.
// The pointed-to arrays belong to the caller and outlive the write.
struct PngHeaderPlan {
  png_uint_32 width = 0, height = 0;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB;
  bool interlace = false;
  const png_color* palette = nullptr;
  int paletteEntries = 0;
  const png_byte* transAlpha = nullptr;  // palette transparency table
  int transEntries = 0;
  const png_color_16* transColour = nullptr;  // gray or truecolour transparent value
  const png_text* texts = nullptr;
  int textCount = 0;
  bool blueFirst = false;  // rows are handed over as blue, green, red
};

// Sets the output function, compression level 9, the header, palette,
// transparency and text chunks, writes them and enables packing of
// sub-byte pixels. False after a libpng error (already shown).
bool GuardedWriteHeader(png_structp png, png_infop info, const PngHeaderPlan& plan, void* ioContext,
                        png_rw_ptr write, png_flush_ptr flush);
bool GuardedWriteImage(png_structp png, png_infop info, png_bytepp rows);  // and the end
bool GuardedWriteRow(png_structp png, png_const_bytep row);
bool GuardedWriteEnd(png_structp png, png_infop info);

}  // namespace veilo
