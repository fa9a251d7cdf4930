#include "view/frame_drawing_win.h"

namespace veilo {

void DrawFrame(HWND, const ImageDoc&, int32_t, int32_t, int32_t, int32_t) {}

void DrawFramePart(HDC, const ImageDoc&, int32_t, int32_t, int32_t, int32_t) {}

}  // namespace veilo
