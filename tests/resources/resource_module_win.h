#pragma once
// Helpers for the tests that read the program's resources back from this test module (the
// test programs link the same compiled resources as veilo.exe).
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/utf.h"

namespace veilo::testing {

inline HINSTANCE Module() { return GetModuleHandleW(nullptr); }

inline std::string Utf8(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string text = Utf8ToUtf16(utf8);
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

// Destroys a window at the end of a scope.
struct WindowCloser {
  HWND window;
  ~WindowCloser() {
    if (window) DestroyWindow(window);
  }
};

}  // namespace veilo::testing
