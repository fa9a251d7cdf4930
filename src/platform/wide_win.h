#pragma once
// UTF-8 inside, UTF-16 at the Windows boundary.
#include <string>
#include <string_view>

#include "platform/utf.h"

namespace veilo {

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

inline std::string Utf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace veilo
