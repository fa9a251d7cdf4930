#include <cstring>

#include "masks/cp_mask.h"

namespace veilo {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Bytes of the UTF-8 character starting at s[i]; a stray or truncated
// byte counts as a character of its own.
size_t CharBytes(std::string_view s, size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  size_t len = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    len = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    len = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    len = 4;
  if (i + len > s.size()) return 1;
  for (size_t k = 1; k < len; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  return len;
}

}  // namespace

CpCodeCheck CheckCpCode(std::string_view typed) {
  CpCodeCheck check;
  int32_t letters = 0;
  // Everything before the first bad character is ASCII, so its byte index
  // is also its index in the edit field.
  for (size_t i = 0; i < typed.size(); ++i) {
    const char c = typed[i];
    if (IsAsciiLetter(c)) {
      ++letters;
    } else if (c != ' ') {
      check.error = CpCodeError::kBadCharacter;
      check.badIndex = static_cast<int32_t>(i);
      check.badChar = c;
      const size_t bytes = CharBytes(typed, i);
      check.badCharacter = std::string(typed.substr(i, bytes));
      check.selectStart = check.badIndex;
      check.selectEnd = check.badIndex + (bytes == 4 ? 2 : 1);  // a 4-byte character is a surrogate pair
      return check;
    }
  }
  if (letters > kCpCodeMaxLetters) {
    check.error = CpCodeError::kTooLong;
    check.selectStart = 0;
    check.selectEnd = -1;
  }
  else if (letters == 0) {
    check.error = CpCodeError::kEmpty;
  }
  return check;
}

std::string CpCodeErrorText(const CpCodeCheck& check) {
  switch (check.error) {
    case CpCodeError::kBadCharacter:
      return "アルファベット以外の文字 " + check.badCharacter + " が含まれています。";
    case CpCodeError::kTooLong:
      return "文字数が16を越えています。";
    case CpCodeError::kEmpty:
      return "コードパターンを入力してください。";
    case CpCodeError::kNone:
      break;
  }
  return {};
}

std::string NormaliseCpCode(std::string_view typed) {
  std::string code;
  for (const char c : typed) {
    if (c >= 'a' && c <= 'z')
      code.push_back(static_cast<char>(c - 'a' + 'A'));
    else if (c >= 'A' && c <= 'Z')
      code.push_back(c);
  }
  return code;
}

std::string_view CpSlotText(const CpCode& slot) { return {slot.data(), strnlen(slot.data(), slot.size())}; }

void RememberCpCode(ImageDoc& doc, std::string_view code) {
  if (!IsValidCpCode(code)) return;
  if (doc.cpNextSlot < 0 || doc.cpNextSlot > kCpSlotCount) doc.cpNextSlot = 0;
  if (doc.cpNextSlot == 0) {
    if (CpSlotText(doc.cpCodes[0]).empty())
      doc.cpNextSlot = 1;
    else if (CpSlotText(doc.cpCodes[1]).empty())
      doc.cpNextSlot = 2;
    else
      doc.cpNextSlot = 3;
  }
  for (const CpCode& slot : doc.cpCodes)
    if (CpSlotText(slot) == code) return;
  CpCode& slot = doc.cpCodes[static_cast<size_t>(doc.cpNextSlot - 1)];
  slot.fill(0);
  std::memcpy(slot.data(), code.data(), code.size());
  doc.cpNextSlot = doc.cpNextSlot == kCpSlotCount ? 1 : doc.cpNextSlot + 1;
}

void ClearCpCodes(ImageDoc& doc) {
  for (CpCode& slot : doc.cpCodes) slot.fill(0);
  doc.cpNextSlot = 0;
}

}  // namespace veilo
