#pragma once
// Between OpenJPEG's component images and the document's 24-bit picture.
#include <openjpeg.h>

#include "formats/jp2_codec.h"
#include "doc/packed_dib.h"
#include "doc/picture_limits.h"

namespace veilo {

// True when the image whose header has been read may be decoded: a non-empty
// area no larger than a document holds, whose 24-bit picture and decoded
// components stay within the picture size limit, with sample precisions of
// 1 to 31 bits and non-zero sub-sampling steps. Checked before the library
// allocates its component buffers. `tooLarge`, when given, receives the size
// of a sound header that this build cannot hold.
bool Jp2HeaderWithinLimits(const opj_image_t& header, PictureSize* tooLarge = nullptr);

// The decoded image as a canonical 24-bit picture: the colour components
// (those not marked as opacity) in their order give red, green and blue; one
// or two of them give gray (equal channels). Samples are brought to 8 bits
// (signed ones offset to unsigned first), sub-sampled components are
// repeated over the image area, and YCbCr images are converted to RGB.
// Empty when there is no colour component or memory runs out.
PackedDib Jp2ImageToDib(const opj_image_t& image);

// A one-component (sGray, when every pixel is gray) or three-component (sRGB)
// 8-bit image of the picture, or null when memory runs out.
OpjImagePtr DibToJp2Image(const uint8_t* block);

}  // namespace veilo
