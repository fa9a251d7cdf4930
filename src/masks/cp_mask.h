#pragma once
// The CP mask: 8x8 blocks exchanged in pairs chosen by a typed code.
#include <string>
#include <string_view>
#include <vector>

#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

inline constexpr int32_t kCpBlockSize = 8;

int32_t CpLetterWeight(char upperLetter);
// R: N block numbers; code is the normalised code (1..16 upper-case letters).
std::vector<int32_t> CpPermutation(int32_t n, std::string_view code);
// Transposes the square block whose top-left pixel is (x, y).
void TransposeBlock(const PixelBuffer& px, int32_t x, int32_t y, int32_t size);

// Result of checking the dialog's text when OK is pressed.
enum class CpCodeError { kNone, kBadCharacter, kTooLong, kEmpty };
struct CpCodeCheck {
  CpCodeError error = CpCodeError::kNone;
  int32_t badIndex = -1;  // kBadCharacter: position of the character to select
  char badChar = 0;
};
CpCodeCheck CheckCpCode(std::string_view typed);
// Letters only, upper-cased.
std::string NormaliseCpCode(std::string_view typed);
// Enters a normalised code into the document's three remembered slots.
void RememberCpCode(ImageDoc& doc, std::string_view code);
void ClearCpCodes(ImageDoc& doc);

// Applies the mask with a normalised code to the selection.
void CpLive(MaskContext& ctx, ImageDoc& doc, std::string_view code);
void ReplayCp(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
