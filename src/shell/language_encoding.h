#pragma once
// Text encodings a language file may be written in: UTF-8 with or without a
// byte order mark, or the Japanese system code page (code page 932, Shift-JIS
// with the Windows extensions). A file without a mark that is valid UTF-8 is
// read as UTF-8 (pure ASCII is both); anything else as code page 932.
#include <cstddef>
#include <string>
#include <string_view>

namespace veilo {

enum class TextEncoding { Utf8, Utf8WithBom, Cp932 };

TextEncoding DetectTextEncoding(std::string_view bytes);
// The bytes without a leading UTF-8 byte order mark.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// Code page 932 text as UTF-8; unmapped or broken characters become U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);
std::string ToUtf8(std::string_view bytes, TextEncoding encoding);

// The longest prefix of at most maxBytes bytes that does not end inside a
// character.
std::string_view CutAtCharacter(std::string_view text, size_t maxBytes, TextEncoding encoding);

}  // namespace veilo
