#pragma once
// The option dialogs in front of the writers: GIF (102), PNG_OPT, BMP_OPT and
// JP2_OPT, shown by a save before it writes, and JPEGOPTION, shown from the
// Options menu. Each returns false for Cancel.
#include <windows.h>

#include <cstdint>

#include "formats/image_dispatch.h"

namespace veilo {

struct App;
struct ImageDoc;

bool AskGifOptions(App& app, HWND owner, ImageDoc& doc, GifSaveOptions& options);
bool AskPngOptions(App& app, HWND owner, ImageDoc& doc, const PngColourCount& count, PngSaveOptions& options);
bool AskBmpOptions(App& app, HWND owner, uint32_t colourCount, int& option);
bool AskJp2Options(App& app, HWND owner, Jp2WriteOptions& options);
// JPEGOPTION: the JPEG reading and writing options of app.options.
bool ShowJpegOptions(App& app, HWND owner);

}  // namespace veilo
