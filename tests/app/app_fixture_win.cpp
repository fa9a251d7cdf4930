#include "app_fixture_win.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "recording_shell.h"

namespace veilo::testing {

namespace {

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

void WriteText(const std::string& path, const std::string& text) {
  FilePtr file = OpenFile(path, "wb");
  ASSERT_TRUE(file) << path;
  ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
}

}  // namespace

void AppTest::SetUp() {
  exeDir_ = FolderOf(folder_.Path("program/x"));
  startDir_ = FolderOf(folder_.Path("start/x"));
  CreateDirectoryW(Wide(exeDir_).c_str(), nullptr);
  CreateDirectoryW(Wide(startDir_).c_str(), nullptr);
  SetMessageBoxHandler([this](const MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (!answers_.empty()) {
      const int answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return (request.type & 0xF) == MB_OK ? IDOK : IDNO;
  });
}

void AppTest::TearDown() {
  if (HasApp()) {
    ShutdownApp();
    Pump(10, 1000);
  }
  SetMessageBoxHandler({});
}

void AppTest::Start(const std::string& languageFile, const std::string& settings) {
  if (!languageFile.empty()) WriteText(startDir_ + "\\veilolng.ini", languageFile);
  if (!settings.empty()) WriteText(exeDir_ + "\\veilo.ini", settings);
  ASSERT_TRUE(StartApp(GetModuleHandleW(nullptr), StartOptions()));
  Pump();
}

AppStartOptions AppTest::StartOptions() const {
  AppStartOptions start;
  start.paths.startDir = startDir_;
  start.paths.exeDir = exeDir_;
  start.paths.winIniFile = folder_.Path("win.ini");
  start.userDataDir = userDataDir_;
  start.paths.windowsDir = windowsDir_;
  start.show = SW_SHOWNORMAL;
  return start;
}

std::string AppTest::ShippedEnglishFile() {
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(SourcePath("resources/lang/veilolng.ini"), 1u << 20);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void AppTest::Pump(DWORD quietMs, DWORD limitMs) {
  const ULONGLONG start = GetTickCount64();
  ULONGLONG lastMessage = start;
  while (GetTickCount64() - start < limitMs) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (HasApp()) {
        DispatchAppMessage(msg);
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      lastMessage = GetTickCount64();
      continue;
    }
    if (GetTickCount64() - lastMessage >= quietMs) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

bool AppTest::PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const ULONGLONG start = GetTickCount64();
  while (!done()) {
    if (GetTickCount64() - start >= limitMs) return false;
    Pump(5, 50);
  }
  return true;
}

void AppTest::Command(WORD id, LPARAM lp) {
  SendMessageW(frame(), WM_COMMAND, id, lp);
  Pump();
}

void AppTest::Key(WORD virtualKey, bool shift, bool ctrl) {
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(state);
  HWND target = GetFocus();
  if (!target) target = app().activeDocWindow ? app().activeDocWindow : frame();
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
  Pump();
  SetKeyboardState(saved);
}

void AppTest::MDIActivate(DocumentWindow* window) {
  SendMessageW(TheApp().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window->hwnd()), 0);
  Pump();
}

HBITMAP AppTest::GetClipboardBitmap(HWND owner) {
  ClipboardSession clipboard(owner);
  return clipboard.is_open() ? static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)) : nullptr;
}

namespace {

UINT_PTR dialogCloser = 0;

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window) && IsWindowEnabled(window))
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CALLBACK CloseDialogsTick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0); }

}  // namespace

void AppTest::CloseDialogsAsTheyAppear() {
  if (!dialogCloser) dialogCloser = SetTimer(nullptr, 0, 50, CloseDialogsTick);
}

void AppTest::StopClosingDialogs() {
  if (dialogCloser) KillTimer(nullptr, dialogCloser);
  dialogCloser = 0;
}

std::vector<DocumentWindow*> AppTest::Documents() {
  std::vector<DocumentWindow*> out;
  for (HWND w = GetWindow(app().mdiClient, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (DocumentWindow* d = app().FindDocument(w)) out.push_back(d);
  return out;
}

std::string AppTest::Caption(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return Utf8(text);
}

DocumentWindow* AppTest::Open(const std::string& path) {
  DocumentWindow* d = app().frame->OpenFile(path);
  Pump();
  return d;
}

std::string AppTest::WritePicture(const std::string& name, int32_t width, int32_t height, uint32_t seed) {
  const std::string path = folder_.Path(name);
  ImageDoc doc = MakeNoiseDoc(width, height, seed);
  RecordingShell shell;
  SaveOptions options = StartingSaveOptions(doc);
  EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0) << name;
  return path;
}

void SaveScreenShot(const RECT& r, const std::string& name) {
  const char* folder = std::getenv("VEILO_SHOT_DIR");
  if (!folder || !*folder) return;
  const int32_t width = r.right - r.left, height = r.bottom - r.top;
  ImageDoc doc;
  doc.dib = PackedDib::Canonical24(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  if (doc.dib.empty()) return;
  doc.width = width;
  doc.height = height;
  doc.bitCount = 24;
  ClientDc screen(nullptr);
  const PixelBuffer pixels = DocPixels(doc);
  BITMAPINFO info{};
  std::memcpy(&info.bmiHeader, doc.dib.data(), sizeof info.bmiHeader);
  MemoryDc memory(screen.get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  {
    SelectGuard selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  }
  GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.bits, &info, DIB_RGB_COLORS);
  RecordingShell shell;
  SaveOptions options = StartingSaveOptions(doc);
  SaveImageFile(shell, std::string(folder) + "\\" + name, doc, options);
}

namespace {

// The pixels of dc from (x, y), width by height, row by row from the top.
std::vector<uint32_t> CaptureDc(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)));
  if (pixels.empty()) return pixels;
  MemoryDc memory(dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    SelectGuard selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = source[i] & 0xFFFFFF;
  }
  return pixels;
}

}  // namespace

std::vector<uint32_t> AppTest::CaptureScreen(const RECT& r) {
  ClientDc screen(nullptr);
  return CaptureDc(screen.get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::vector<uint32_t> AppTest::CaptureClient(HWND window, int32_t& width, int32_t& height) {
  RECT client{};
  GetClientRect(window, &client);
  width = client.right;
  height = client.bottom;
  ClientDc dc(window);
  return CaptureDc(dc.get(), 0, 0, width, height);
}

uint32_t DocColour(ImageDoc& doc, int32_t x, int32_t y) {
  const Rgb c = PixelOf(doc, x, y);
  return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
}

}  // namespace veilo::testing
