// Printing as a user prints: Ctrl+P and OK in the print dialog put the whole
// picture on one page of the test printer (Wine's PostScript driver, the page
// rendered by Ghostscript), turned to the printable area's orientation and
// fitted into it inside the margins; the page setup's margins, orientation and
// printer come back in the next run from devmode.prt.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "dialog_shot_win.h"
#include "formats/image_dispatch.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/print_win.h"
#include "test_printer_win.h"

namespace veilo::testing {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

// Page-setup controls of the common dialog: orientation and the four margins.
constexpr int kLandscape = 0x421;
constexpr int kMarginEdits[] = {0x483, 0x484, 0x485, 0x486};  // left, top, right, bottom

// The test printer's printable area in points of the rendered page (its PPD's
// ImageableArea, from the top-left corner): 18 to 577 across, 18 to 824 down.
constexpr double kAreaLeft = 18, kAreaRight = 577, kAreaTop = 18, kAreaBottom = 824;
constexpr double kDeviceDpi = 600;

double PagePixels(double points) { return points * kTestPageDpi / 72.0; }

struct Page {
  ImageDoc doc;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // what is printed, right and bottom inclusive
  uint32_t At(int32_t x, int32_t y) { return DocColour(doc, x, y); }
  // The colour a little inside one corner of the printed picture.
  uint32_t Corner(bool atRight, bool atBottom) {
    return At(atRight ? right - 3 : left + 3, atBottom ? bottom - 3 : top + 3);
  }
};

bool Ink(uint32_t c) { return (c >> 16 & 0xFF) < 200 || (c >> 8 & 0xFF) < 200 || (c & 0xFF) < 200; }

// The channel closest to full, for pixels blended at the picture's edges.
uint32_t Dominant(uint32_t c) {
  const uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
  if (r > 160 && g < 100 && b < 100) return kRed;
  if (b > 160 && r < 100 && g < 100) return kBlue;
  return c;
}

class PrintTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    std::string error;
    if (!InstallTestPrinter(printer_, error)) GTEST_SKIP() << error;
    ForgetLastPage();
  }

  void ForgetLastPage() {
    DeleteFileW(printer_.pngPath.c_str());
    DeleteFileW(printer_.psPath.c_str());
  }

  // A picture whose top-left quarter is red, the rest blue.
  DocumentWindow* OpenCornerPicture(const std::string& name, int32_t width, int32_t height) {
    ImageDoc doc = MakeDoc(width, height, [&](int32_t x, int32_t y) {
      return x < width / 2 && y < height / 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    });
    const std::string path = folder_.Path(name);
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0);
    return Open(path);
  }

  // Runs a command whose dialog `steps` drive; true when they all ran in time.
  bool WithDialog(const std::function<void()>& command, std::vector<ModalDriver::Step> steps) {
    ModalDriver driver(std::move(steps));
    command();
    PumpUntil([&] { return driver.Finished() || driver.TimedOut(); }, 10000);
    return driver.Finished();
  }
  bool CtrlP(std::vector<ModalDriver::Step> steps) {
    return WithDialog([this] { Key('P', false, true); }, std::move(steps));
  }
  bool PageSetupDialog(std::vector<ModalDriver::Step> steps) {
    return WithDialog([this] { Command(cmd::kPageSetup); }, std::move(steps));
  }

  static ModalDriver::Step Press(int id, const char* shot = nullptr) {
    return [id, shot](HWND dialog) {
      if (shot) SaveShot(dialog, shot);
      ClickItem(dialog, id);
      return true;
    };
  }
  // Types the margins (in millimetres) into the page-setup dialog.
  static ModalDriver::Step TypeMargins(const wchar_t* millimetres) {
    return [millimetres](HWND dialog) {
      for (const int id : kMarginEdits) {
        SetDlgItemTextW(dialog, id, millimetres);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
      }
      return true;
    };
  }

  // The page the last job printed, with the bounds of what is on it; nullopt when nothing was printed.
  std::optional<Page> PrintedPage() {
    Page page;
    page.doc.path = Utf8(printer_.pngPath);
    RecordingShell shell;
    if (!FileExists(page.doc.path) || LoadImageFile(shell, page.doc) != 0) return std::nullopt;
    page.left = page.doc.width;
    page.top = page.doc.height;
    page.right = page.bottom = -1;
    for (int32_t y = 0; y < page.doc.height; ++y)
      for (int32_t x = 0; x < page.doc.width; ++x)
        if (Ink(page.At(x, y))) {
          page.left = std::min(page.left, x);
          page.right = std::max(page.right, x);
          page.top = std::min(page.top, y);
          page.bottom = std::max(page.bottom, y);
        }
    return page;
  }

  std::string SettingsFile() { return exeDir_ + "\\devmode.prt"; }

  TestPrinter printer_;
};

// The printed picture's edges, in points of the page, against where they should be (2 page pixels
// of slack for the rendering).
void ExpectEdge(int32_t pixel, double points, const char* what) {
  EXPECT_LE(std::abs(pixel - PagePixels(points)), 2.0) << what << ": " << pixel << " vs " << PagePixels(points);
}

TEST_F(PrintTest, ALandscapePictureOnAPortraitPageIsTurnedClockwiseAndFillsTheWidth) {
  Start();
  ASSERT_NE(OpenCornerPicture("wide.bmp", 60, 48), nullptr);
  ASSERT_TRUE(CtrlP({Press(IDOK, "print")}));
  std::optional<Page> page = PrintedPage();
  ASSERT_TRUE(page) << "nothing was printed";
  ASSERT_LT(page->doc.width, page->doc.height) << "a portrait page";
  ExpectEdge(page->left, kAreaLeft, "left");
  ExpectEdge(page->right, kAreaRight, "right");
  // Turned, 48 wide and 60 high: centred in the height.
  const double width = page->right - page->left + 1, height = page->bottom - page->top + 1;
  EXPECT_NEAR(height / width, 60.0 / 48.0, 0.02);
  EXPECT_NEAR(page->top - PagePixels(kAreaTop), PagePixels(kAreaBottom) - page->bottom - 1, 2.0);
  // A quarter turn clockwise takes the top-left corner to the top right.
  EXPECT_EQ(Dominant(page->Corner(true, false)), kRed);
  EXPECT_EQ(Dominant(page->Corner(false, false)), kBlue);
  EXPECT_EQ(Dominant(page->Corner(true, true)), kBlue);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrintTest, ASquarePictureIsNotTurnedAndIsEnlargedToTheWidthCentredInTheHeight) {
  Start();
  ASSERT_NE(OpenCornerPicture("square.bmp", 40, 40), nullptr);
  ASSERT_TRUE(CtrlP({Press(IDOK)}));
  std::optional<Page> page = PrintedPage();
  ASSERT_TRUE(page) << "nothing was printed";
  ExpectEdge(page->left, kAreaLeft, "left");
  ExpectEdge(page->right, kAreaRight, "right");
  EXPECT_NEAR(page->bottom - page->top, page->right - page->left, 2);
  EXPECT_NEAR(page->top - PagePixels(kAreaTop), PagePixels(kAreaBottom) - page->bottom - 1, 2.0);
  EXPECT_EQ(Dominant(page->Corner(false, false)), kRed);
  EXPECT_EQ(Dominant(page->Corner(true, false)), kBlue);
  EXPECT_EQ(Dominant(page->Corner(false, true)), kBlue);
}

// 23 device pixels per millimetre (4658 / 197): margins of 10 mm are 230 pixels at 600 dpi.
TEST_F(PrintTest, MarginsOfTenMillimetresLeaveBordersOf230DevicePixels) {
  Start();
  ASSERT_NE(OpenCornerPicture("square.bmp", 40, 40), nullptr);
  ASSERT_TRUE(PageSetupDialog({TypeMargins(L"10"), Press(IDOK, "page-setup")}));
  EXPECT_EQ(app().printer.margins, (PageMargins{1000, 1000, 1000, 1000}));
  EXPECT_TRUE(FileExists(SettingsFile())) << "saved after the page setup";
  ASSERT_TRUE(CtrlP({Press(IDOK)}));
  std::optional<Page> page = PrintedPage();
  ASSERT_TRUE(page) << "nothing was printed";
  const double border = 230 * 72 / kDeviceDpi;
  ExpectEdge(page->left, kAreaLeft + border, "left");
  ExpectEdge(page->right, kAreaRight - border, "right");
}

TEST_F(PrintTest, DevmodePrtBringsBackThePrinterTheOrientationAndTheMarginsInTheNextRun) {
  Start();
  ASSERT_TRUE(PageSetupDialog({Press(kLandscape), TypeMargins(L"5"), Press(IDOK)}));
  ShutdownApp();  // the run ends: the settings are saved once more
  Pump(10, 500);
  ASSERT_TRUE(FileExists(SettingsFile()));

  Start();
  EXPECT_EQ(app().printer.printerName, Utf8(kTestPrinterName));
  EXPECT_EQ(app().printer.margins, (PageMargins{500, 500, 500, 500}));
  ASSERT_GE(app().printer.devMode.size(), sizeof(DEVMODEW));
  EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(app().printer.devMode.data())->dmOrientation, DMORIENT_LANDSCAPE);
  // The print dialog starts from it: the page it prints on is wider than high.
  OwnedDc dc;
  ASSERT_TRUE(WithDialog([&] { dc = ChoosePrinter(app(), frame()); }, {Press(IDOK)}));
  ASSERT_TRUE(dc);
  EXPECT_GT(GetDeviceCaps(dc.get(), HORZRES), GetDeviceCaps(dc.get(), VERTRES));
}

TEST_F(PrintTest, ACancelledPrintDialogPrintsNothingAndKeepsTheSettings) {
  Start();
  ASSERT_NE(OpenCornerPicture("square.bmp", 40, 40), nullptr);
  ASSERT_TRUE(PageSetupDialog({TypeMargins(L"5"), Press(IDOK)}));
  ASSERT_FALSE(app().printer.devMode.empty());
  const std::vector<uint8_t> devMode = app().printer.devMode;
  DeleteFileW(Wide(SettingsFile()).c_str());
  ASSERT_TRUE(CtrlP({Press(IDCANCEL)}));
  EXPECT_FALSE(PrintedPage()) << "nothing is printed";
  EXPECT_TRUE(boxes_.empty()) << "and nothing said";
  EXPECT_EQ(app().printer.printerName, Utf8(kTestPrinterName));
  EXPECT_EQ(app().printer.devMode, devMode);
  EXPECT_EQ(app().printer.margins, (PageMargins{500, 500, 500, 500}));
  EXPECT_TRUE(FileExists(SettingsFile())) << "saved after every print dialog";
}

// A file that is not one this program wrote (here a device mode of the narrow layout, whose own
// size fields sit elsewhere) leaves the defaults, and printing goes on from the default printer.
TEST_F(PrintTest, AForeignDevmodePrtIsIgnored) {
  std::vector<uint8_t> file(264 + 156 + 16, 0);
  file[260] = 156;                   // the device-mode size
  file[264 + 36] = 156;              // dmSize where the narrow layout keeps it
  file[264 + 68] = 0xFF;             // and garbage where the wide one does
  file[264 + 69] = 0xFF;
  {
    FilePtr out = OpenFile(SettingsFile(), "wb");
    ASSERT_TRUE(out);
    ASSERT_EQ(std::fwrite(file.data(), 1, file.size(), out.get()), file.size());
  }
  Start();
  EXPECT_TRUE(app().printer.devMode.empty());
  EXPECT_EQ(app().printer.margins, PageMargins{});
  ASSERT_NE(OpenCornerPicture("square.bmp", 40, 40), nullptr);
  ASSERT_TRUE(CtrlP({Press(IDOK)}));
  EXPECT_TRUE(PrintedPage());
}

}  // namespace
}  // namespace veilo::testing
