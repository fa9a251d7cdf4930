#pragma once
// UTF-8 <-> UTF-16 conversion for the wide-character Windows boundary.
// Invalid sequences become U+FFFD.
#include <string>
#include <string_view>

namespace veilo {

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

}  // namespace veilo
