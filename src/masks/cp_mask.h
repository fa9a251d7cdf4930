#pragma once
// The CP mask: 8x8 blocks exchanged in pairs chosen by a typed code.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "doc/image_doc.h"
#include "masks/block_mask_result.h"
#include "masks/mask_context.h"

namespace veilo {

inline constexpr int32_t kCpBlockSize = 8;

// Weight of a letter; 0 for anything that is not a letter.
int32_t CpLetterWeight(char upperLetter);
// A normalised code: 1..16 letters A-Z.
bool IsValidCpCode(std::string_view code);
// R: N block numbers; code is the normalised code (1..16 upper-case letters).
// Empty when n < 1 or the code is not valid.
std::vector<int32_t> CpPermutation(int32_t n, std::string_view code);
// The same R written into r (N = its size), for callers that keep it in
// memory of their own. False, with r unspecified, when r is empty or the
// code is not valid.
bool FillCpPermutation(std::string_view code, std::span<int32_t> r);
// Transposes the square block whose top-left pixel is (x, y).
void TransposeBlock(const PixelBuffer& px, int32_t x, int32_t y, int32_t size);
// The pixel work of the mask on area (clipped to the picture). Nothing
// changes unless the result is kApplied.
BlockMaskResult ApplyCpMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize, std::string_view code);

// The dialog's field takes at most this many characters.
inline constexpr int32_t kCpTypedMaxLength = 79;

// Result of checking the dialog's text when OK is pressed.
// kBadCharacter wins over kTooLong (the scan stops at the first bad
// character); kTooLong selects the whole text, kEmpty only returns the focus.
enum class CpCodeError { kNone, kBadCharacter, kTooLong, kEmpty };
struct CpCodeCheck {
  CpCodeError error = CpCodeError::kNone;
  // kBadCharacter: position of the character to select. Only ASCII comes
  // before it, so bytes, characters and the edit field's units agree.
  int32_t badIndex = -1;
  char badChar = 0;          // its first byte
  std::string badCharacter;  // the whole character, UTF-8
  // Where the dialog then puts the selection in the edit field, in the
  // edit field's units (EM_SETSEL: an end of -1 selects to the end); a start
  // of -1 leaves the selection alone and only returns the focus.
  int32_t selectStart = -1, selectEnd = -1;
};
// typed is the edit field's text, UTF-8.
CpCodeCheck CheckCpCode(std::string_view typed);
// The dialog's built-in message for a refused code (the character filled
// in); empty for kNone.
std::string CpCodeErrorText(const CpCodeCheck& check);
// Letters only, upper-cased.
std::string NormaliseCpCode(std::string_view typed);
// Enters a normalised code into the document's three remembered slots
// (ignored unless it is 1..16 upper-case letters).
void RememberCpCode(ImageDoc& doc, std::string_view code);
// The code held by one of the document's slots; empty for an empty slot.
std::string_view CpSlotText(const CpCode& slot);
void ClearCpCodes(ImageDoc& doc);

// Applies the mask with a normalised code to the selection.
void CpLive(MaskContext& ctx, ImageDoc& doc, std::string_view code);
void ReplayCp(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
