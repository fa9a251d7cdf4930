// A TWAIN data source for the tests (built as sane.ds, the name Wine's source
// manager loads): it opens only when a test has written its script (see
// test_scanner.h), delivers the script's pictures through native transfer, can
// fail at the step the script names, and writes down every call it gets.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "test_scanner.h"
#include "tools/twain_types.h"

namespace {

using veilo::TwIdentity;
using Entry = uint16_t(WINAPI*)(TwIdentity*, TwIdentity*, uint32_t, uint16_t, uint16_t, void*);

constexpr uint16_t kDatNull = 0x0000;
constexpr uint16_t kDatStatus = 0x0008;
constexpr uint16_t kMsgReset = 0x0007;

struct Script {
  std::vector<veilo::scan::Format> pictures;
  bool window = true;
  std::string fail;
  std::wstring log;
};

HINSTANCE dllModule = nullptr;
Script script;
TwIdentity self, application;
size_t nextPicture = 0;
uint16_t pending = 0;
HWND window = nullptr;

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::wstring Read(const std::wstring& file, const wchar_t* key, const wchar_t* fallback) {
  wchar_t text[1024] = {};
  GetPrivateProfileStringW(L"scan", key, fallback, text, 1024, file.c_str());
  return text;
}

bool LoadScript() {
  wchar_t file[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(veilo::scan::kScriptVariable, file, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  script = {};
  const std::string list = Narrow(Read(file, L"pictures", L""));
  for (size_t at = 0; at < list.size();) {
    const size_t comma = std::min(list.find(',', at), list.size());
    veilo::scan::Format format;
    if (!veilo::scan::ParseFormat(std::string_view(list).substr(at, comma - at), format)) return false;
    script.pictures.push_back(format);
    at = comma + 1;
  }
  script.window = Read(file, L"interface", L"window") != L"direct";
  script.fail = Narrow(Read(file, L"fail", L""));
  script.log = Read(file, L"log", L"");
  return true;
}

void Log(const std::string& line) {
  if (script.log.empty()) return;
  if (FILE* f = _wfopen(script.log.c_str(), L"ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

// Tells the application, through the manager, that pictures are ready or that it should close us.
void Notify(uint16_t message) {
  const HMODULE manager = GetModuleHandleW(L"twain_32.dll");
  const auto entry =
      manager ? reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(manager, "DSM_Entry")))
              : nullptr;
  Log(message == veilo::kMsgXferReady ? "ready" : "ask to close");
  if (entry) entry(&self, &application, veilo::kDgControl, kDatNull, message, nullptr);
}

void NotifyPicturesOrClose() { Notify(pending != 0 ? veilo::kMsgXferReady : veilo::kMsgCloseDsReq); }

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    if (LOWORD(wp) == veilo::scan::kScanButton) NotifyPicturesOrClose();
    if (LOWORD(wp) == veilo::scan::kCancelButton) Notify(veilo::kMsgCloseDsReq);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void ShowWindowOf(HWND parent) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW c{};
    c.lpfnWndProc = WindowProc;
    c.hInstance = dllModule;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = veilo::scan::kScannerClass;
    registered = RegisterClassW(&c) != 0;
  }
  window = CreateWindowExW(0, veilo::scan::kScannerClass, L"Test scanner", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                           60, 60, 220, 90, parent, nullptr, dllModule, nullptr);
  CreateWindowW(L"BUTTON", L"Scan", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 26, window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(veilo::scan::kScanButton)), dllModule, nullptr);
  CreateWindowW(L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 110, 10, 90, 26, window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(veilo::scan::kCancelButton)), dllModule,
                nullptr);
}

void HideWindow() {
  if (window) DestroyWindow(window);
  window = nullptr;
}

template <size_t N>
void CopyText(char (&field)[N], const char* text) {
  lstrcpynA(field, text, N);
}

uint16_t Identity(uint16_t message, void* data) {
  auto* id = static_cast<TwIdentity*>(data);
  switch (message) {
    case veilo::kMsgGet: {
      const uint32_t keep = id->id;
      *id = TwIdentity{};
      id->id = keep;
      id->version.majorNum = 1;
      id->protocolMajor = 1;
      id->protocolMinor = 7;
      id->supportedGroups = veilo::kDgControl | veilo::kDgImage;
      CopyText(id->manufacturer, "Veilo tests");
      CopyText(id->productFamily, "Test");
      CopyText(id->productName, veilo::scan::kScannerName);
      return veilo::kTwrcSuccess;
    }
    case veilo::kMsgOpenDs:
      if (!LoadScript()) return veilo::kTwrcFailure;
      Log("open");
      if (script.fail == "open") return veilo::kTwrcFailure;
      self = *id;
      return veilo::kTwrcSuccess;
    case veilo::kMsgCloseDs:
      HideWindow();
      Log("close");
      return veilo::kTwrcSuccess;
    default: return veilo::kTwrcFailure;
  }
}

uint16_t SetCapability(void* data) {
  const auto* capability = static_cast<const veilo::TwCapability*>(data);
  bool native = false;
  if (capability->cap == veilo::kIcapXferMech && capability->conType == veilo::kTwonOneValue) {
    const auto block = static_cast<HGLOBAL>(capability->container);
    if (const auto* value = static_cast<const veilo::TwOneValue*>(GlobalLock(block))) {
      native = GlobalSize(block) >= sizeof(veilo::TwOneValue) && value->itemType == veilo::kTwtyUint16 &&
               value->item == veilo::kTwsxNative;
      GlobalUnlock(block);
    }
  }
  Log(native ? "native" : "capability not understood");
  return native && script.fail != "native" ? veilo::kTwrcSuccess : veilo::kTwrcFailure;
}

uint16_t UserInterface(uint16_t message, void* data) {
  const auto* ui = static_cast<const veilo::TwUserInterface*>(data);
  char line[96];
  if (message == veilo::kMsgEnableDs) {
    std::snprintf(line, sizeof line, "enable %u %u %p", unsigned{ui->showUi}, unsigned{ui->modalUi},
                  ui->parent);
    Log(line);
    if (script.fail == "enable") return veilo::kTwrcFailure;
    nextPicture = 0;
    pending = static_cast<uint16_t>(script.pictures.size());
    if (script.window)
      ShowWindowOf(static_cast<HWND>(ui->parent));
    else
      NotifyPicturesOrClose();
    return veilo::kTwrcSuccess;
  }
  if (message == veilo::kMsgDisableDs) {
    std::snprintf(line, sizeof line, "disable %u", unsigned{ui->showUi});
    Log(line);
    HideWindow();
    return veilo::kTwrcSuccess;
  }
  return veilo::kTwrcFailure;
}

uint16_t Transfer(void* data) {
  Log("transfer");
  if (script.fail == "transfer" || pending == 0 || nextPicture >= script.pictures.size()) {
    pending = 0;  // a failed transfer drops the rest of the scan
    return veilo::kTwrcFailure;
  }
  const std::vector<uint8_t> dib =
      veilo::scan::BuildDib(script.pictures[nextPicture], static_cast<int>(nextPicture));
  HGLOBAL block = GlobalAlloc(GHND, dib.size());
  if (!block) return veilo::kTwrcFailure;
  if (void* bytes = GlobalLock(block)) {
    std::memcpy(bytes, dib.data(), dib.size());
    GlobalUnlock(block);
  }
  ++nextPicture;
  *static_cast<HGLOBAL*>(data) = block;  // the application frees it
  return veilo::kTwrcXferDone;
}

uint16_t PendingTransfers(uint16_t message, void* data) {
  auto* transfers = static_cast<veilo::TwPendingXfers*>(data);
  if (message == veilo::kMsgEndXfer && pending != 0) --pending;
  if (message == kMsgReset) pending = 0;
  transfers->count = pending;
  Log("end transfer " + std::to_string(pending));
  return veilo::kTwrcSuccess;
}

}  // namespace

extern "C" __declspec(dllexport) uint16_t WINAPI
    DS_Entry(TwIdentity* origin, uint32_t group, uint16_t argument, uint16_t message, void* data) {
  if (group == veilo::kDgImage)
    return argument == veilo::kDatImageNativeXfer && message == veilo::kMsgGet ? Transfer(data)
                                                                               : veilo::kTwrcFailure;
  if (group != veilo::kDgControl) return veilo::kTwrcFailure;
  switch (argument) {
    case veilo::kDatIdentity:
      if (message == veilo::kMsgOpenDs && origin) application = *origin;
      return Identity(message, data);
    case veilo::kDatCapability: return message == veilo::kMsgSet ? SetCapability(data) : veilo::kTwrcFailure;
    case veilo::kDatUserInterface: return UserInterface(message, data);
    case veilo::kDatEvent: {
      // Our window's messages are the application's to dispatch.
      static_cast<veilo::TwEvent*>(data)->twainMessage = veilo::kMsgNull;
      return veilo::kTwrcNotDsEvent;
    }
    case veilo::kDatPendingXfers: return PendingTransfers(message, data);
    case kDatStatus: return veilo::kTwrcSuccess;
    default: return veilo::kTwrcFailure;
  }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) dllModule = instance;
  return TRUE;
}
