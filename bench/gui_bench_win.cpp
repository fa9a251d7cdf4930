// veilo-bench-gui: how fast the document window shows a picture. Prints one line
// per figure, its name and its time as a ratio to a baseline measured in the
// same run, in the same process, under the same Wine:
//   first-paint  from starting the application on a 6000 x 4000 JPEG to the first
//                complete paint of it, against decoding that file alone;
//   repaint-Z    one full repaint of a maximised window at Z %, against a memcpy of
//                the screen's pixels;
//   space-read-ahead  Space (or Shift+Space) to a 6000 x 4000 JPEG of the folder until it is
//                painted, once its read ahead has ended, against the same step when the
//                file must be read then (it changed since it was read ahead).
// Each time is the median of several runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_photo.h"
#include "formats/image_dispatch.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"

namespace veilo {
namespace {

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(int runs, const std::function<double()>& once) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(once());
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchAppMessage(msg);
}

std::string TempFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, buffer);
  return Utf8(buffer) + "veilo-bench-gui";
}

AppStartOptions StartOptions(const std::string& folder) {
  AppStartOptions start;
  start.paths.startDir = folder;
  start.paths.exeDir = folder;
  start.paths.winIniFile = folder + "\\win.ini";
  start.show = SW_SHOWMAXIMIZED;
  return start;
}

// Decoding the file alone, as a document window's creation does it.
double DecodeOnce(const std::string& path) {
  ImageDoc doc;
  doc.path = path;
  ShellNotifications quiet;
  const double start = Now();
  LoadImageFile(quiet, doc);
  return Now() - start;
}

// The application started on the file as its command line, until the file's
// window is painted completely (the command line is opened at the frame's first
// timer tick, as always).
double FirstPaintOnce(const std::string& folder, const std::string& path) {
  const double start = Now();
  AppStartOptions options = StartOptions(folder);
  options.pendingCommandLine = "\"" + path + "\"";
  if (!StartApp(GetModuleHandleW(nullptr), options)) return 0;
  const double started = Now();
  MSG msg;
  while (TheApp().documents.empty() && Now() - start < 60 && GetMessageW(&msg, nullptr, 0, 0) > 0)
    DispatchAppMessage(msg);
  const double opened = Now();
  if (!TheApp().documents.empty()) UpdateWindow(TheApp().documents.front()->hwnd());
  GdiFlush();
  const double elapsed = Now() - start;
  if (std::getenv("VEILO_BENCH_DETAIL"))
    std::fprintf(stderr, "started %.3f opened %.3f painted %.3f\n", started - start, opened - start, elapsed);
  ShutdownApp();
  PumpPending();
  return elapsed;
}

double RepaintOnce(HWND window) {
  const double start = Now();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  GdiFlush();
  return Now() - start;
}

// Until the window's reads ahead have ended and been handed over (at most 60 s).
bool SettleReadAhead(DocumentWindow& window, const std::string& next) {
  const double start = Now();
  while (Now() - start < 60) {
    PumpPending();
    if (window.readAhead().Idle() && window.readAhead().Holds(next)) return true;
    Sleep(5);
  }
  return false;
}

// One step in the folder, as the key does it, until the new picture is painted.
double StepOnce(DocumentWindow& window, bool backwards) {
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  GetKeyboardState(state);
  state[VK_SHIFT] = backwards ? 0x80 : 0;
  SetKeyboardState(state);
  const double start = Now();
  SendMessageW(window.hwnd(), WM_KEYDOWN, VK_SPACE, 1);
  UpdateWindow(window.hwnd());
  GdiFlush();
  const double elapsed = Now() - start;
  SetKeyboardState(saved);
  return elapsed;
}

// Gives the file a new time written, as a rewrite would: what was read ahead of it no longer serves.
void MarkRewritten(const std::string& path) {
  static uint64_t seconds = 0;
  const HANDLE file = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const uint64_t later = ((uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) + ++seconds * 10000000;
  const FILETIME written{static_cast<DWORD>(later), static_cast<DWORD>(later >> 32)};
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
}

double ScreenCopyOnce(std::vector<uint8_t>& from, std::vector<uint8_t>& to) {
  const double start = Now();
  std::memcpy(to.data(), from.data(), from.size());
  const double elapsed = Now() - start;
  from[elapsed > 1 ? 1 : 0] ^= to[7];  // keep the copy from being optimised away
  return elapsed;
}

}  // namespace
}  // namespace veilo

int wmain() {
  using namespace veilo;
  const std::string folder = TempFolder();
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  const std::string path = folder + "\\photo.jpg";
  {
    ImageDoc photo = bench::MakePhotoLike(6000, 4000);
    ShellNotifications quiet;
    SaveOptions options = StartingSaveOptions(photo);
    if (SaveImageFile(quiet, path, photo, options) != 0) {
      std::fprintf(stderr, "bench-gui: could not write %s\n", path.c_str());
      return 1;
    }
  }
  DecodeOnce(path);  // warm the file cache
  const double decode = Median(5, [&] { return DecodeOnce(path); });
  if (std::getenv("VEILO_BENCH_DETAIL")) std::fprintf(stderr, "decode %.3f\n", decode);
  const double firstPaint = Median(5, [&] { return FirstPaintOnce(folder, path); });
  std::printf("first-paint %.2f\n", firstPaint / decode);

  if (!StartApp(GetModuleHandleW(nullptr), StartOptions(folder))) return 1;
  DocumentWindow* window = TheApp().frame->OpenFile(path);
  if (!window) return 1;
  ShowWindow(window->hwnd(), SW_MAXIMIZE);
  PumpPending();
  const int screenBytes = GetSystemMetrics(SM_CXSCREEN) * GetSystemMetrics(SM_CYSCREEN) * 4;
  std::vector<uint8_t> from(static_cast<size_t>(screenBytes), 1), to(static_cast<size_t>(screenBytes));
  const double copy = Median(101, [&] { return ScreenCopyOnce(from, to); });
  for (const int zoom : {25, 100, 150}) {
    window->ApplyZoom(zoom);
    PumpPending();
    RepaintOnce(window->hwnd());
    const double repaint = Median(21, [&] { return RepaintOnce(window->hwnd()); });
    std::printf("repaint-%d %.2f\n", zoom, repaint / copy);
  }

  // The folder: photo.jpg, then two copies of it. The window steps back and forth
  // between the copies; `direct` marks the target rewritten first, so that the step
  // reads it itself, as without the read-ahead.
  const std::string first = folder + "\\step-1.jpg", second = folder + "\\step-2.jpg";
  CopyFileW(Wide(path).c_str(), Wide(first).c_str(), FALSE);
  CopyFileW(Wide(path).c_str(), Wide(second).c_str(), FALSE);
  StepOnce(*window, false);  // to step-1.jpg, read directly; step-2.jpg is read ahead
  bool forward = true;
  const auto stepBetweenCopies = [&](bool direct) {
    const std::string& target = forward ? second : first;
    if (!SettleReadAhead(*window, target)) std::fprintf(stderr, "bench-gui: %s not read ahead\n", target.c_str());
    if (direct) MarkRewritten(target);
    const double elapsed = StepOnce(*window, !forward);
    if (window->doc().path != target) std::fprintf(stderr, "bench-gui: stepped to %s\n", window->doc().path.c_str());
    forward = !forward;
    return elapsed;
  };
  const double directStep = Median(5, [&] { return stepBetweenCopies(true); });
  const double step = Median(5, [&] { return stepBetweenCopies(false); });
  if (std::getenv("VEILO_BENCH_DETAIL")) std::fprintf(stderr, "space direct %.3f read ahead %.3f\n", directStep, step);
  std::printf("space-read-ahead %.3f\n", step / directStep);
  ShutdownApp();
  DeleteFileW(Wide(path).c_str());
  DeleteFileW(Wide(first).c_str());
  DeleteFileW(Wide(second).c_str());
  RemoveDirectoryW(Wide(folder).c_str());
  return 0;
}
