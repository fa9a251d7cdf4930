#include "shell/app_win.h"

#include "shell/save_option_dialogs_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "formats/image_files.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "shell/menus_win.h"
#include "shell/message_box_win.h"
#include "shell/print_win.h"
#include "shell/resource_ids.h"
#include "shell/save_option_dialogs_win.h"
#include "shell/settings_place_win.h"
#include "shell/startup_win.h"
#include "shell/window_classes_win.h"

namespace veilo {

namespace {

std::unique_ptr<App>& AppSlot() {
  static std::unique_ptr<App> app;
  return app;
}

// Cursors of the area frame (156..160) and of the middle-button auto-scroll (164..173).
constexpr std::array kCursorIds{IDC_CUR_RESIZE_LR, IDC_CUR_RESIZE_UD, IDC_CUR_RESIZE_NWSE, IDC_CUR_RESIZE_NESW,
                                IDC_CUR_MOVE,      IDC_CUR_PAN,       IDC_CUR_PAN_N,       IDC_CUR_PAN_E,
                                IDC_CUR_PAN_S,     IDC_CUR_PAN_W,     IDC_CUR_PAN_NE,      IDC_CUR_PAN_SE,
                                IDC_CUR_PAN_SW,    IDC_CUR_PAN_NW};

std::string CurrentFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  buffer.resize(length);
  return Utf8(buffer);
}

std::string ProgramFolder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  const size_t cut = buffer.find_last_of(L"\\/");
  return Utf8(cut == std::wstring::npos ? std::wstring() : buffer.substr(0, cut));
}

std::string WindowsFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  const UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  buffer.resize(length < buffer.size() ? length : 0);
  return Utf8(buffer);
}

}  // namespace

std::string SystemWinIniFile() { return WindowsFolder() + "\\win.ini"; }

namespace {

// Fills what the start options left empty; the file the settings are read from at start.
std::string FillPaths(AppPaths& paths, const std::string& userDataDir) {
  if (paths.startDir.empty()) paths.startDir = CurrentFolder();
  if (paths.exeDir.empty()) paths.exeDir = ProgramFolder();
  if (paths.windowsDir.empty()) paths.windowsDir = WindowsFolder();
  if (paths.winIniFile.empty()) paths.winIniFile = paths.windowsDir + "\\win.ini";
  return PlaceSettingsFiles(paths, userDataDir);
}

void ReadLanguage(App& app) {
  const std::optional<LanguageFileLocation> found = LocateLanguageFile(app.paths.startDir, app.options.languagePath);
  if (!found) return;
  app.language = loadLanguage(found->file);
  if (!app.language.languageLoaded) return;
  app.languageFolder = found->folder;
  app.paths.startDir = found->folder;
}

bool MakeMenus(App& app) {
  Menus trees;
  if (app.language.languageLoaded) {
    trees = buildMenus(app.language);
    app.frameMenu = BuildMenu(trees.frameMenu);
    app.docMenu = BuildMenu(trees.docMenu);
  } else {
    trees = {BuiltInFrameMenu(), BuiltInDocumentMenu()};
    app.frameMenu = LoadResourceMenu(IDM_FRAME);
    app.docMenu = LoadResourceMenu(IDM_DOC);
  }
  if (!app.frameMenu || !app.docMenu) return false;
  app.frameWindowMenu = GetSubMenu(app.frameMenu.get(), static_cast<int>(trees.frameMenu.windowPopupIndex));
  app.docWindowMenu = GetSubMenu(app.docMenu.get(), static_cast<int>(trees.docMenu.windowPopupIndex));
  return true;
}

// The first file of the command line is read while the windows are made; the
// first timer tick opens it as the command line says.
void PreloadFirstPicture(App& app) {
  if (app.screenSaverMode) return;
  const ArgumentUse use = UseArguments(app.pendingCommandLine, IsDirectory);
  if (use.slideShow || use.files.empty()) return;
  // A file whose content does not match its name waits for the question the
  // opening asks, which only the user-interface thread can show.
  if (const std::optional<std::string> path = ResolveLongPath(use.files.front());
      path && FileExists(*path) && !FindContentMismatch(*path))
    app.preload.Start(*path, DocumentLoadOptions(app));
}

// The saved placement, or the system's choice where nothing is saved or the
// saved place is on no screen any more.
ChildRect FramePlacement(const AppOptions& o) {
  const bool saved = o.frameLeft != kUseDefaultPosition && o.frameTop != kUseDefaultPosition &&
                     o.frameWidth != kUseDefaultPosition && o.frameHeight != kUseDefaultPosition &&
                     o.frameWidth > 0 && o.frameHeight > 0;
  if (saved) {
    const RECT r{o.frameLeft, o.frameTop, o.frameLeft + o.frameWidth, o.frameTop + o.frameHeight};
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return {o.frameLeft, o.frameTop, o.frameWidth, o.frameHeight};
  }
  return {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
}

}  // namespace

App& TheApp() { return *AppSlot(); }
bool HasApp() { return AppSlot() != nullptr; }

HCURSOR App::Cursor(int resourceId) const {
  for (size_t i = 0; i < kCursorIds.size() && i < cursors.size(); ++i)
    if (kCursorIds[i] == resourceId) return cursors[i];
  return LoadCursorW(nullptr, IDC_ARROW);
}

DocumentWindow* App::FindDocument(HWND window) const {
  if (!window) return nullptr;
  for (const auto& d : documents)
    if (d->hwnd() == window) return d.get();
  return nullptr;
}

DocumentWindow* App::ActiveDocument() const { return FindDocument(activeDocWindow); }

LoadOptions DocumentLoadOptions(const App& app) {
  LoadOptions options;
  options.noSmoothRead = app.options.jpegNoSmoothRead;
  options.englishMessages = app.language.languageLoaded;
  return options;
}

SaveOptions SaveOptionsFor(App& app, HWND owner, ImageDoc& doc) {
  SaveOptions options = StartingSaveOptions(doc);
  ApplyRunSaveChoices(app.saveChoices, options);
  const AppOptions& o = app.options;
  options.jpeg.quality = o.jpegQuality;
  options.jpeg.smoothing = o.jpegSmoothing;
  options.jpeg.smoothingOn = o.jpegSmoothingOn;
  options.jpeg.progressive = o.jpegProgressive;
  options.jpeg.optimize = o.jpegOptimize;
  options.jpeg.sampling1x1 = o.jpegSampling1x1;
  options.jpeg.englishMessages = app.language.languageLoaded;
  options.jp2.lossless = o.jp2Lossless;
  options.jp2.rate = o.jp2Rate;
  options.englishMessages = app.language.languageLoaded;
  options.gifPrompt = [&app, owner](ImageDoc& d, GifSaveOptions& g) { return AskGifOptions(app, owner, d, g); };
  options.pngPrompt = [&app, owner](ImageDoc& d, const PngColourCount& count, PngSaveOptions& p) {
    return AskPngOptions(app, owner, d, count, p);
  };
  options.bmpPrompt = [&app, owner](uint32_t colours, int& option) { return AskBmpOptions(app, owner, colours, option); };
  options.jp2Prompt = [&app, owner](Jp2WriteOptions& j) { return AskJp2Options(app, owner, j); };
  return options;
}

int SaveDocumentFile(App& app, HWND owner, ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc) {
  SaveOptions options = SaveOptionsFor(app, owner, doc);
  const int result = SaveImageFile(shell, utf8Path, doc, options);
  // What the dialogs chose stays for later saves; a cancelled dialog has put
  // back what its Cancel must not change.
  app.saveChoices = RunSaveChoicesOf(options);
  app.options.jp2Lossless = options.jp2.lossless;
  app.options.jp2Rate = options.jp2.rate;
  return result;
}

void SaveAppSettings(App& app, HWND frame) {
  RECT r{};
  GetWindowRect(frame, &r);
  const FrameState state{IsIconic(frame) != 0, IsZoomed(frame) != 0, r.left, r.top, r.right, r.bottom};
  const std::optional<std::string> folder =
      app.language.languageLoaded ? std::optional<std::string>(app.languageFolder) : std::nullopt;
  saveSettings(app.paths.settingsFile, app.options, state, folder);
}

bool StartApp(HINSTANCE instance, const AppStartOptions& start) {
  AppSlot() = std::make_unique<App>();
  App& app = TheApp();
  app.instance = instance;
  app.paths = start.paths;
  const std::string settingsSource = FillPaths(app.paths, start.userDataDir);
  app.pendingCommandLine = start.pendingCommandLine;
  app.screenSaverMode = start.screenSaverMode;
  app.slide.screenSaver = start.screenSaverMode;

  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  for (const int id : kCursorIds) app.cursors.push_back(LoadCursorW(instance, MAKEINTRESOURCEW(id)));

  app.options = loadSettings(settingsSource, app.paths.winIniFile).options;
  if (app.screenSaverMode) loadSlideSettings(app.paths.winIniFile, app.options);
  app.language = DefaultLanguageTexts();
  ReadLanguage(app);
  app.paths.helpFile = app.paths.startDir + "\\veilo.hlp";
  PreloadFirstPicture(app);

  app.frame = std::make_unique<FrameWindow>(app);
  if (!RegisterWindowClasses(instance) || !MakeMenus(app) || !app.frame->Create(FramePlacement(app.options))) {
    ShowStartupError(nullptr, "MDI: InitializeApp failure!");
    app.frame.reset();
    AppSlot().reset();
    return false;
  }
  if (app.screenSaverMode)
    ShowWindow(app.frameWindow, SW_SHOWMINIMIZED);
  else if (app.options.frameMaximized == 1)
    ShowWindow(app.frameWindow, SW_SHOWMAXIMIZED);
  else
    ShowWindow(app.frameWindow, start.show);
  UpdateWindow(app.frameWindow);
  SetFocus(app.frameWindow);
  LoadPrinterSettings(app);

  app.accelerators.reset(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN)));
  if (!app.accelerators) ShowStartupError(app.frameWindow, "MDI: Load Accel failure!");
  return true;
}

void DispatchAppMessage(MSG& msg) {
  if (!HasApp()) {  // messages left after the application ended
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return;
  }
  App& app = TheApp();
  if (app.frameWindow && app.accelerators && TranslateAcceleratorW(app.frameWindow, app.accelerators.get(), &msg))
    return;
  if (app.mdiClient && TranslateMDISysAccel(app.mdiClient, &msg)) return;
  TranslateMessage(&msg);
  if (app.frame && app.frameWindow) app.frame->TrackTip(msg);
  DispatchMessageW(&msg);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchAppMessage(msg);
  // A normal end is a success.
  return 0;
}

void ShutdownApp() {
  App& app = TheApp();
  if (app.frameWindow && IsWindow(app.frameWindow)) DestroyWindow(app.frameWindow);
  ReleasePrinterSettings(app);
  app.documents.clear();
  app.frame.reset();
  AppSlot().reset();
}

int RunVeilo(HINSTANCE instance, const wchar_t* commandLine, int show) {
  const std::string line = Utf8(commandLine ? commandLine : L"");
  const HWND running = FindWindowW(kFrameClass, nullptr);
  const StartupDecision decision = DecideStartup(line, running != nullptr, IsDirectory);
  switch (decision.kind) {
    case StartupKind::kEnd: return 0;
    case StartupKind::kShowScreenSaverSettings: return ShowScreenSaverSettings();
    case StartupKind::kHandOver: HandOverToRunningInstance(running, decision.handOver); return 0;
    case StartupKind::kStartNormally: break;
  }
  AppStartOptions start;
  start.pendingCommandLine = decision.pendingCommandLine;
  start.screenSaverMode = decision.screenSaverMode;
  start.show = show;
  if (!StartApp(instance, start)) return 0;
  const int code = RunMessageLoop();
  ShutdownApp();
  return code;
}

}  // namespace veilo
