// Every dialog of the program opened as a user opens it, at whatever DPI the
// display has: each control lies inside the dialog, no text is cut off, and the
// dialog fits on the screen. With VEILO_SHOT_DIR set, each dialog is also
// saved there as a picture to look at (the GUI tests do that at 96 and 144 DPI).
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "dialog_faults_win.h"
#include "dialog_shot_win.h"
#include "save_options_fixture_win.h"
#include "modal_driver_win.h"
#include "platform/dpi_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/features_win.h"
#include "shell/screen_saver_dialog_win.h"
#include "shell/slide_window_win.h"

namespace veilo::testing {
namespace {

// How a user opens each dialog: a command, on a document of this name. The slide show's own
// dialogs open inside the show, and SC_OPT before there is a frame: those are opened directly.
struct DialogCase {
  const char* name;
  const char* document;  // the picture the command works on (nullptr: none)
  WORD command;
  void (*open)(App& app) = nullptr;
};

constexpr DialogCase kDialogs[] = {
    {"about", nullptr, cmd::kAbout},
    {"jpeg-options", nullptr, cmd::kJpegOptions},
    {"q0-options", nullptr, cmd::kQ0Options},
    {"rgb-options", nullptr, cmd::kRgbOptions},
    {"area-options", "noise.bmp", cmd::kAreaOptions},
    {"gif-options", "noise.gif", cmd::kSave},
    {"png-options", "noise.png", cmd::kSave},
    {"bmp-options", "noise.bmp", cmd::kSave},
    {"jp2-options", "noise.jp2", cmd::kSave},
    {"properties", "noise.png", cmd::kProperties},
    {"resize", "noise.bmp", cmd::kResizePaste},
    {"slide-folder", nullptr, cmd::kSlideShowMenu},
    {"slide-options", nullptr, 0, [](App& app) { ShowSlideOptions(app, app.frameWindow, app.slide); }},
    {"slide-help", nullptr, 0, [](App& app) { ShowSlideHelp(app, app.frameWindow); }},
    {"screen-saver", nullptr, 0,
     [](App& app) {
       AppOptions options = app.options;
       ShowScreenSaverOptions(app.frameWindow, options);
     }},
};

class DialogLayoutTest : public SaveOptionsTest {
 protected:
  void CheckEveryDialog(const std::string& shotSuffix) {
    for (const DialogCase& c : kDialogs) {
      SCOPED_TRACE(c.name);
      DocumentWindow* window = nullptr;
      if (c.document) {
        window = Open(WritePicture(c.document, 120, 90, 3));
        ASSERT_NE(window, nullptr);
      }
      std::vector<Fault> faults;
      bool seen = false;
      ModalDriver driver({[&](HWND d) {
        seen = true;
        faults = LayoutFaults(d);
        SaveShot(d, c.name + shotSuffix);
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        return true;
      }});
      if (c.open)
        c.open(app());
      else
        Command(c.command);
      PumpUntil([&] { return driver.Finished(); }, 8000);
      EXPECT_TRUE(seen) << "the dialog did not open";
      for (const Fault& f : faults) ADD_FAILURE() << f.what;
      if (window) {
        SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window->hwnd()), 0);
        Pump();
      }
    }
  }
};

TEST_F(DialogLayoutTest, EveryDialogFitsItsControlsAndTexts) {
  Start();
  CheckEveryDialog("");
}

TEST_F(DialogLayoutTest, EveryDialogFitsTheEnglishTexts) {
  // A language file that names no texts: the dialogs show the English defaults.
  Start("; English\r\n[ETC]\r\n");
  CheckEveryDialog("-en");
}

TEST_F(DialogLayoutTest, EveryDialogFitsTheShippedEnglishTexts) {
  const std::string english = ShippedEnglishFile();
  ASSERT_FALSE(english.empty());
  Start(english);
  CheckEveryDialog("-en-shipped");
}

}  // namespace
}  // namespace veilo::testing
