#include "inspect_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace veilo::gui {

namespace {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  // WM_GETTEXT with a time limit: a window of a hung program must not hang the driver.
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return std::wstring(text, copied);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

struct Search {
  std::wstring className;
  const std::wstring* caption;  // null: any
  std::vector<HWND> found;
};

void Consider(HWND window, Search& s) {
  if (!IsWindowVisible(window) || ClassOf(window) != s.className) return;
  if (s.caption && TextOf(window) != *s.caption) return;
  s.found.push_back(window);
}

BOOL CALLBACK ConsiderChild(HWND window, LPARAM param) {
  Consider(window, *reinterpret_cast<Search*>(param));
  return TRUE;
}

BOOL CALLBACK ConsiderTopLevel(HWND window, LPARAM param) {
  auto& s = *reinterpret_cast<Search*>(param);
  Consider(window, s);
  if (ClassOf(window) == L"VeiloMDIFrameClass") EnumChildWindows(window, ConsiderChild, param);
  return TRUE;
}

std::vector<HWND> Find(const std::wstring& className, const std::wstring* caption) {
  Search s{className, caption, {}};
  EnumWindows(ConsiderTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// --name VALUE pairs after the mode word.
bool Option(int argc, wchar_t** argv, const wchar_t* name, std::wstring& value) {
  for (int i = 2; i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], name) == 0) {
      value = argv[i + 1];
      return true;
    }
  return false;
}

DWORD Timeout(int argc, wchar_t** argv) {
  std::wstring value;
  return Option(argc, argv, L"--timeout-ms", value) ? static_cast<DWORD>(std::wcstoul(value.c_str(), nullptr, 10))
                                                    : 30000;
}

}  // namespace

int RunWait(int argc, wchar_t** argv) {
  std::wstring className, caption, count;
  if (!Option(argc, argv, L"--class", className)) return 2;
  const bool anyCaption = !Option(argc, argv, L"--caption", caption);
  const bool exact = Option(argc, argv, L"--count", count);
  bool foreground = false;
  for (int i = 2; i < argc; ++i) foreground = foreground || std::wcscmp(argv[i], L"--foreground") == 0;
  const size_t wanted = exact ? std::wcstoul(count.c_str(), nullptr, 10) : 1;
  const DWORD timeout = Timeout(argc, argv);
  const ULONGLONG start = GetTickCount64();
  std::vector<HWND> found;
  for (;;) {
    found = Find(className, anyCaption ? nullptr : &caption);
    // --foreground: one of them must also be the window that takes the keyboard now.
    const bool inFront = !foreground || std::find(found.begin(), found.end(), GetForegroundWindow()) != found.end();
    if (inFront && (exact ? found.size() == wanted : found.size() >= wanted)) break;
    if (GetTickCount64() - start >= timeout) {
      std::printf("gui-driver: FAIL: %zu windows of class %s%s%s after %lu ms (wanted %s%zu)\n", found.size(),
                  ToUtf8(className).c_str(), anyCaption ? "" : " captioned ", ToUtf8(caption).c_str(),
                  static_cast<unsigned long>(timeout), exact ? "" : "at least ", wanted);
      return 1;
    }
    Sleep(50);
  }
  for (HWND w : found) {
    RECT r{};
    GetWindowRect(w, &r);
    POINT client{0, 0};
    ClientToScreen(w, &client);
    std::printf("window %s %ld,%ld,%ld,%ld client %ld,%ld\n", ToUtf8(TextOf(w)).c_str(), r.left, r.top, r.right,
                r.bottom, client.x, client.y);
  }
  return 0;
}

int RunText(int argc, wchar_t** argv) {
  std::wstring id;
  if (!Option(argc, argv, L"--child-id", id)) return 2;
  const DWORD timeout = Timeout(argc, argv);
  const ULONGLONG start = GetTickCount64();
  HWND frame = nullptr;
  while (!(frame = FindWindowW(L"VeiloMDIFrameClass", nullptr))) {
    if (GetTickCount64() - start >= timeout) {
      std::printf("gui-driver: FAIL: no Veilo frame within %lu ms\n", static_cast<unsigned long>(timeout));
      return 1;
    }
    Sleep(50);
  }
  const HWND child = GetDlgItem(frame, static_cast<int>(std::wcstol(id.c_str(), nullptr, 10)));
  if (!child) return 1;
  std::printf("%s\n", ToUtf8(TextOf(child)).c_str());
  return 0;
}

}  // namespace veilo::gui
