#pragma once
// The application: everything that exists once per running program (paths,
// options, language texts, menus, the title table, the macro, the frame and
// its document windows). One App lives for the length of RunVeilo (or of an
// in-process test); windows reach it through TheApp().
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "doc/generated_names.h"
#include "doc/title_table.h"
#include "formats/image_dispatch.h"
#include "masks/detection.h"
#include "masks/mask_context.h"
#include "platform/handles_win.h"
#include "shell/command_line.h"
#include "shell/language_file.h"
#include "formats/picture_preload.h"
#include "shell/settings.h"
#include "shell/toolbar_layout.h"
#include "tools/devmode_file.h"
#include "tools/resize_rules.h"
#include "tools/slide_list.h"
#include "tools/slide_show.h"

namespace veilo {

class DocumentWindow;
class FrameWindow;
struct TwainLink;

struct AppPaths {
  std::string startDir;      // current folder at start, or the language file's folder found through Path
  std::string exeDir;        // folder of the program file
  std::string settingsFile;  // exeDir\veilo.ini
  std::string printerSettingsFile;  // exeDir\devmode.prt
  std::string winIniFile;    // the Windows folder's win.ini (first-run settings, screen-saver keys)
  std::string windowsDir;    // the Windows folder, where the TWAIN source manager is looked for
  std::string helpFile;      // startDir\veilo.hlp
};

// How the program was asked to start, and what a test changes about it.
struct AppStartOptions {
  AppPaths paths;                  // empty fields are filled from the process
  std::string userDataDir;         // where an installed copy keeps its settings; %APPDATA%\Veilo when empty
  std::string pendingCommandLine;  // used at the first timer tick
  bool screenSaverMode = false;
  int show = SW_SHOWDEFAULT;
};

struct App {
  HINSTANCE instance = nullptr;
  AppPaths paths;
  AppOptions options;
  LanguageTexts language;
  std::string languageFolder;  // written back as Path when a language file was read

  // Menus: the no-document and the document menu, and their window-list popups.
  Menu frameMenu, docMenu;
  HMENU frameWindowMenu = nullptr, docWindowMenu = nullptr;
  Accelerators accelerators;

  TitleTable titles;
  GeneratedNames generatedNames;
  MacroBuffer macro;
  DetectionMemory detection;
  std::string lastCpCode;  // offered again by the CP dialog
  RunSaveChoices saveChoices;  // the save dialogs' choices that hold for the run
  ResizeSettings resizeSettings;  // the resize dialog's aspect tie and stretch mode, for the run
  PrinterSettings printer;  // the last chosen printer's device mode and the page margins (devmode.prt)

  std::unique_ptr<FrameWindow> frame;
  HWND frameWindow = nullptr;
  HWND mdiClient = nullptr;
  HWND activeDocWindow = nullptr;
  std::vector<std::unique_ptr<DocumentWindow>> documents;

  // The file about to be opened (read by a new document window).
  std::string currentPath, currentTitle;
  std::string pendingCommandLine;
  PicturePreload preload;  // the command line's first picture, read while the windows are made
  bool commandLineDone = false;
  bool screenSaverMode = false;
  bool quitAfterSlideShow = false;

  // The slide show: its state, its list, the picture kept by Pause for resuming, and the folder
  // the chooser selects again when it opens.
  SlideShowState slide;
  SlideList slideList;
  std::shared_ptr<const ImageDoc> slidePaused;
  std::string slideLastFolder;

  // The tick count the screen saver measures its first seconds with; tests set a clock of their own.
  std::function<uint32_t()> tickCount = [] { return static_cast<uint32_t>(GetTickCount()); };

  // Scanning: the source manager, the acquisition's windows and the chosen source, made by the
  // first TWAIN command and kept for the run.
  std::shared_ptr<TwainLink> twain;

  FontMetrics font;  // of the frame, for the status panes
  int dpi = 96;
  std::vector<HCURSOR> cursors;  // loaded resource cursors, by id (shared; never destroyed)

  MaskContext MaskContextFor(ShellNotifications& shell) { return {shell, options.mask, macro}; }
  HCURSOR Cursor(int resourceId) const;
  DocumentWindow* FindDocument(HWND window) const;
  DocumentWindow* ActiveDocument() const;
};

// The running application; valid between Start and the end of Shutdown.
App& TheApp();
bool HasApp();

// Starts the application: reads the settings and the language file, registers
// the window classes, creates the frame. False (after its message) when the
// frame could not be made.
bool StartApp(HINSTANCE instance, const AppStartOptions& start);
// Runs the message loop until the frame has gone; the exit code.
int RunMessageLoop();
// One message of the loop: the frame's accelerators, the MDI system keys, then
// translated, shown to the toolbar tips and dispatched.
void DispatchAppMessage(MSG& msg);
// Releases what the frame left; after this TheApp() is gone.
void ShutdownApp();

// How documents are read and written with the user's options.
LoadOptions DocumentLoadOptions(const App& app);
// The options of a save from `owner`: the user's settings, the run's choices,
// and the option dialogs that the writers show.
SaveOptions SaveOptionsFor(App& app, HWND owner, ImageDoc& doc);
// Saves the document under `utf8Path` through the option dialogs and keeps
// what the user chose in them for later saves. 0 = saved, 1 = not saved.
int SaveDocumentFile(App& app, HWND owner, ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc);
// Writes the settings file (the frame's placement as it is now).
void SaveAppSettings(App& app, HWND frame);

// The Windows folder's win.ini.
std::string SystemWinIniFile();

// veilo.exe's whole run: the start-up decision, a hand-over to a running
// instance, or the application until its frame closes.
int RunVeilo(HINSTANCE instance, const wchar_t* commandLine, int show);

}  // namespace veilo
