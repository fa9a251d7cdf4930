#include "shell/language_encoding.h"

#include <cstdint>

#include "shell/cp932_table.h"

namespace veilo {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char32_t kReplacement = 0xFFFD;

uint8_t ByteAt(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not valid.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const uint8_t b0 = ByteAt(s, i);
  if (b0 < 0x80) return 1;
  size_t length;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  const uint8_t b1 = ByteAt(s, i + 1);
  if (b1 < low || b1 > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if ((ByteAt(s, i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Length in bytes of the code page 932 character at s[i].
size_t Cp932CharacterLength(std::string_view s, size_t i) {
  if (IsCp932LeadByte(ByteAt(s, i)) && i + 1 < s.size() && IsCp932TrailByte(ByteAt(s, i + 1))) return 2;
  return 1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) return TextEncoding::Utf8WithBom;
  return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  return bytes;
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (size_t i = 0; i < bytes.size();) {
    const uint8_t b = ByteAt(bytes, i);
    char32_t cp;
    if (IsCp932LeadByte(b)) {
      if (Cp932CharacterLength(bytes, i) == 2) {
        cp = Cp932DoubleByteToUnicode(b, ByteAt(bytes, i + 1));
        if (cp == 0) cp = kReplacement;
        i += 2;
      } else {
        cp = kReplacement;  // a lead byte without its second byte
        i += 1;
      }
    } else {
      cp = Cp932SingleByteToUnicode(b);
      i += 1;
    }
    AppendUtf8(out, cp);  // the table holds only code points below U+10000
  }
  return out;
}

std::string ToUtf8(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Cp932) return Cp932ToUtf8(bytes);
  return std::string(bytes);
}

std::string_view CutAtCharacter(std::string_view text, size_t maxBytes, TextEncoding encoding) {
  if (text.size() <= maxBytes) return text;
  size_t end = 0;
  while (end < text.size()) {
    size_t length;
    if (encoding == TextEncoding::Cp932) {
      length = Cp932CharacterLength(text, end);
    } else {
      length = Utf8SequenceLength(text, end);
      if (length == 0) length = 1;
    }
    if (end + length > maxBytes) break;
    end += length;
  }
  return text.substr(0, end);
}

}  // namespace veilo
