// veilo-gui-driver: drives veilo.exe from the outside for the GUI tests.
//
// Run mode starts the program, waits for its top-level frame window, reads and checks the
// caption, optionally hands over to the calling script (which takes a screenshot) through two
// files, then closes the frame with WM_CLOSE and checks that the process ends with exit code 0:
//
//   veilo-gui-driver [--class NAME] [--expect-caption TEXT] [--timeout-ms N]
//                    [--ready-file PATH --proceed-file PATH] -- PROGRAM [ARGS...]
//
// The other modes look at windows of programs already running (the script gives the input):
//
//   veilo-gui-driver wait --class NAME [--caption TEXT] [--count N] [--foreground] [--timeout-ms N]
//       waits until exactly N (default: at least 1) visible windows of the class, top-level or
//       children of Veilo's frame, have that caption (any caption without --caption), one of
//       them the foreground window with --foreground; prints
//       "window CAPTION LEFT,TOP,RIGHT,BOTTOM client X,Y" for each (screen coordinates; the
//       client area's top-left corner last)
//   veilo-gui-driver text --child-id ID [--timeout-ms N]
//       prints the text of the frame's child window ID (31: the zoom pane)
//   veilo-gui-driver printer
//       installs the print tests' printer (test_printer_win.h) as the default one and prints
//       "page PATH", the Linux path of the PNG each job leaves; exit code 77 when the machine
//       cannot have it (the reason on standard error)
//
// Exit code 0 when every check passed, 1 when one failed, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "inspect_win.h"
#include "test_printer_win.h"

namespace {

struct DriverOptions {
  std::wstring frameClass = L"VeiloMDIFrameClass";
  std::wstring expectCaption = L"VEILO";
  std::wstring readyFile;
  std::wstring proceedFile;
  DWORD timeoutMs = 30000;
  std::vector<std::wstring> command;  // program followed by its arguments
};

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

void Say(const char* kind, const std::wstring& text) {
  std::printf("gui-driver: %s%s\n", kind, ToUtf8(text).c_str());
  std::fflush(stdout);
}
void Info(const std::wstring& text) { Say("", text); }
void Fail(const std::wstring& text) { Say("FAIL: ", text); }

// Quotes one argument the way CommandLineToArgvW and the C runtime split them again.
std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes only need doubling when a quote follows them.
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  out.push_back(L'"');
  return out;
}

bool ParseArguments(int argc, wchar_t** argv, DriverOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--") {
      options.command.assign(argv + i + 1, argv + argc);
      break;
    }
    if (!hasValue) return false;
    if (arg == L"--class") {
      options.frameClass = argv[++i];
    } else if (arg == L"--expect-caption") {
      options.expectCaption = argv[++i];
    } else if (arg == L"--timeout-ms") {
      options.timeoutMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
    } else if (arg == L"--ready-file") {
      options.readyFile = argv[++i];
    } else if (arg == L"--proceed-file") {
      options.proceedFile = argv[++i];
    } else {
      return false;
    }
  }
  return !options.command.empty() && options.readyFile.empty() == options.proceedFile.empty();
}

// Owns the started process; ends it when a check failed and it is still running.
struct ChildProcess {
  PROCESS_INFORMATION info{};
  bool leaveRunning = false;

  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    if (info.hProcess) {
      if (!leaveRunning && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 1);
      }
      CloseHandle(info.hProcess);
    }
    if (info.hThread) CloseHandle(info.hThread);
  }
};

bool StartProgram(const std::vector<std::wstring>& command, ChildProcess& child) {
  std::wstring line;
  for (const auto& part : command) {
    if (!line.empty()) line.push_back(L' ');
    line += QuoteArgument(part);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(command.front().c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &child.info) != 0;
}

struct FrameSearch {
  DWORD processId;
  const wchar_t* frameClass;
  HWND found;
};

BOOL CALLBACK MatchFrame(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<FrameSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t className[128];
  if (owner != search->processId || !IsWindowVisible(hwnd) ||
      GetClassNameW(hwnd, className, 128) == 0 || std::wcscmp(className, search->frameClass) != 0) {
    return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

// Polls for the visible frame; gives up when the program ends first or the time runs out.
HWND WaitForFrame(const ChildProcess& child, const std::wstring& frameClass, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  while (GetTickCount64() - start < timeoutMs) {
    FrameSearch search{child.info.dwProcessId, frameClass.c_str(), nullptr};
    EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(child.info.hProcess, 50) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(child.info.hProcess, &code);
      Fail(L"the program ended before its frame window appeared (exit code " +
           std::to_wstring(code) + L")");
      return nullptr;
    }
  }
  Fail(L"no visible window of class " + frameClass + L" within " + std::to_wstring(timeoutMs) +
       L" ms");
  return nullptr;
}

std::wstring WindowCaption(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

// Written under a temporary name and renamed, so the script never reads half a file.
bool WriteReadyFile(const std::wstring& path, HWND frame, const std::wstring& caption) {
  RECT rect{};
  GetWindowRect(frame, &rect);
  const std::string text = "caption=" + ToUtf8(caption) + "\nrect=" + std::to_string(rect.left) +
                           "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                           "," + std::to_string(rect.bottom) + "\n";
  const std::wstring temporary = path + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  CloseHandle(file);
  return ok && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool WaitForFile(const std::wstring& path, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

bool CloseAndWait(const ChildProcess& child, HWND frame, DWORD timeoutMs) {
  if (!PostMessageW(frame, WM_CLOSE, 0, 0)) {
    Fail(L"could not post WM_CLOSE to the frame window");
    return false;
  }
  if (WaitForSingleObject(child.info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    Fail(L"the program did not end within " + std::to_wstring(timeoutMs) + L" ms of WM_CLOSE");
    return false;
  }
  DWORD code = 0;
  GetExitCodeProcess(child.info.hProcess, &code);
  if (code != 0) {
    Fail(L"the program ended with exit code " + std::to_wstring(code));
    return false;
  }
  if (IsWindow(frame)) {
    Fail(L"the frame window still exists after the program ended");
    return false;
  }
  return true;
}

int RunDriver(const DriverOptions& options) {
  ChildProcess child;
  if (!StartProgram(options.command, child)) {
    Fail(L"could not start " + options.command.front() + L" (error " +
         std::to_wstring(GetLastError()) + L")");
    return 1;
  }
  Info(L"started " + options.command.front() + L" (process " +
       std::to_wstring(child.info.dwProcessId) + L")");
  const ULONGLONG start = GetTickCount64();
  HWND frame = WaitForFrame(child, options.frameClass, options.timeoutMs);
  if (!frame) return 1;
  Info(L"frame window " + options.frameClass + L" visible after " +
       std::to_wstring(GetTickCount64() - start) + L" ms");

  const std::wstring caption = WindowCaption(frame);
  Info(L"caption: " + caption);
  if (caption != options.expectCaption) {
    Fail(L"expected the caption \"" + options.expectCaption + L"\"");
    return 1;
  }

  if (!options.readyFile.empty()) {
    if (!WriteReadyFile(options.readyFile, frame, caption)) {
      Fail(L"could not write " + options.readyFile);
      return 1;
    }
    if (!WaitForFile(options.proceedFile, options.timeoutMs)) {
      Fail(L"the script did not hand back within the time limit");
      return 1;
    }
  }

  if (!CloseAndWait(child, frame, options.timeoutMs)) return 1;
  Info(L"closed cleanly with WM_CLOSE, exit code 0");
  return 0;
}

int InstallPrinter() {
  veilo::testing::TestPrinter printer;
  std::string error;
  if (!veilo::testing::InstallTestPrinter(printer, error)) {
    std::fprintf(stderr, "gui-driver: no test printer: %s\n", error.c_str());
    return 77;
  }
  std::printf("page %s\n", printer.pngUnixPath.c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wcscmp(argv[1], L"printer") == 0) return InstallPrinter();
  if (argc >= 2 && std::wcscmp(argv[1], L"wait") == 0) return veilo::gui::RunWait(argc, argv);
  if (argc >= 2 && std::wcscmp(argv[1], L"text") == 0) return veilo::gui::RunText(argc, argv);
  DriverOptions options;
  if (!ParseArguments(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: veilo-gui-driver [--class NAME] [--expect-caption TEXT] [--timeout-ms N]\n"
                 "                        [--ready-file PATH --proceed-file PATH] -- PROGRAM [ARGS...]\n");
    return 2;
  }
  return RunDriver(options);
}
