// The picture tools' dialogs driven as a user would: resize-and-paste makes
// NewImage documents of the chosen size and mode, refuses a zero size and
// keeps its settings for the run; the properties dialog shows the size, the
// colour count with its exact-count button and the PNG text entries.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "formats/png_text_list.h"
#include "modal_driver_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "tools/resize_rules.h"

namespace veilo::testing {
namespace {

class ToolsDialogsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
  }

  // A picture file written by the program's own writer (by the name's extension).
  std::string WriteDoc(const std::string& name, ImageDoc& doc) {
    const std::string path = folder_.Path(name);
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0) << name;
    return path;
  }

  DocumentWindow* OpenDoc(const std::string& name, ImageDoc doc) { return Open(WriteDoc(name, doc)); }

  // Runs one command whose dialog the steps drive; false when they did not all run in time.
  bool RunDialog(WORD command, std::vector<ModalDriver::Step> steps) {
    ModalDriver driver(std::move(steps));
    Command(command);
    Pump();
    return driver.Finished();
  }
};

// A picture of exactly `colours` distinct colours.
ImageDoc PictureOfColours(uint32_t colours) {
  return MakeDoc(100, 60, [colours](int32_t x, int32_t y) {
    const uint32_t i = static_cast<uint32_t>(y * 100 + x) % colours;
    return Rgb{static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>(i >> 8), 9};
  });
}

std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }
void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

std::pair<int, int> ArrowRange(HWND dialog, int id) {
  int low = -1, high = -1;
  SendDlgItemMessageW(dialog, id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                      reinterpret_cast<LPARAM>(&high));
  return {low, high};
}
int ArrowPosition(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageW(dialog, id, UDM_GETPOS32, 0, 0));
}

// ---- resize and paste ------------------------------------------------------------------------

TEST_F(ToolsDialogsTest, ResizeMakesNewImagesOfTheChosenSizeAndKeepsItsSettings) {
  DocumentWindow* source = Open(WritePicture("p.bmp", 200, 100));
  ASSERT_NE(source, nullptr);
  struct Seen {
    std::string widthNow, heightNow, width, height, widthAfterArrows, heightAfterArrows, heightAfterTyping;
    std::pair<int, int> widthRange, heightRange;
    int heightArrowAfterTyping = -1;
    bool keepAspect = false, halfTone = false;
  } first;
  ASSERT_TRUE(RunDialog(cmd::kResizePaste, {[&](HWND d) {
    first.widthNow = ItemText(d, IDC_RESIZE_WIDTH_NOW);
    first.heightNow = ItemText(d, IDC_RESIZE_HEIGHT_NOW);
    first.width = ItemText(d, IDC_RESIZE_WIDTH);
    first.height = ItemText(d, IDC_RESIZE_HEIGHT);
    first.widthRange = ArrowRange(d, IDC_RESIZE_WIDTH_ARROWS);
    first.heightRange = ArrowRange(d, IDC_RESIZE_HEIGHT_ARROWS);
    first.keepAspect = ItemChecked(d, IDC_RESIZE_KEEP_ASPECT);
    first.halfTone = ItemChecked(d, IDC_RESIZE_HALF_TONE);
    // The width's arrows moved to 400: the field shows it, the height follows.
    const HWND arrows = GetDlgItem(d, IDC_RESIZE_WIDTH_ARROWS);
    SendMessageW(arrows, UDM_SETPOS32, 0, 400);
    SendMessageW(d, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 400), reinterpret_cast<LPARAM>(arrows));
    first.widthAfterArrows = ItemText(d, IDC_RESIZE_WIDTH);
    first.heightAfterArrows = ItemText(d, IDC_RESIZE_HEIGHT);
    Type(d, IDC_RESIZE_WIDTH, L"50");
    first.heightAfterTyping = ItemText(d, IDC_RESIZE_HEIGHT);
    first.heightArrowAfterTyping = ArrowPosition(d, IDC_RESIZE_HEIGHT_ARROWS);
    ClickItem(d, IDC_RESIZE_DELETE_SCANS);
    ClickItem(d, IDOK);
    return true;
  }}));
  EXPECT_EQ(first.widthNow, "200");
  EXPECT_EQ(first.heightNow, "100");
  EXPECT_EQ(first.width, "200");
  EXPECT_EQ(first.height, "100");
  EXPECT_EQ(first.widthRange, std::make_pair(0, 3200));
  EXPECT_EQ(first.heightRange, std::make_pair(0, 1600));
  EXPECT_TRUE(first.keepAspect);
  EXPECT_TRUE(first.halfTone);
  EXPECT_EQ(first.widthAfterArrows, "400");
  EXPECT_EQ(first.heightAfterArrows, "200");
  EXPECT_EQ(first.heightAfterTyping, "25");
  EXPECT_EQ(first.heightArrowAfterTyping, 25);

  ASSERT_EQ(Documents().size(), 2u);
  DocumentWindow* made = Active();
  ASSERT_NE(made, source);
  EXPECT_EQ(Caption(made->hwnd()), "NewImage001");
  EXPECT_EQ(made->doc().width, 50);
  EXPECT_EQ(made->doc().height, 25);
  EXPECT_EQ(made->doc().bitCount, 24);
  EXPECT_TRUE(made->doc().path.empty());
  EXPECT_EQ(source->doc().width, 200) << "the source does not change";
  EXPECT_EQ(app().resizeSettings.mode, StretchMode::kDeleteScans);

  // The second use starts from the settings of the first; the aspect tie off, the height goes alone.
  MDIActivate(source);
  bool deleteScansKept = false;
  std::string widthAfterHeight;
  ASSERT_TRUE(RunDialog(cmd::kResizePaste, {[&](HWND d) {
    deleteScansKept = ItemChecked(d, IDC_RESIZE_DELETE_SCANS);
    ClickItem(d, IDC_RESIZE_KEEP_ASPECT);
    Type(d, IDC_RESIZE_HEIGHT, L"7");
    widthAfterHeight = ItemText(d, IDC_RESIZE_WIDTH);
    ClickItem(d, IDOK);
    return true;
  }}));
  EXPECT_TRUE(deleteScansKept);
  EXPECT_EQ(widthAfterHeight, "200");
  ASSERT_EQ(Documents().size(), 3u);
  EXPECT_EQ(Caption(Active()->hwnd()), "NewImage002");
  EXPECT_EQ(Active()->doc().width, 200);
  EXPECT_EQ(Active()->doc().height, 7);
  EXPECT_FALSE(app().resizeSettings.keepAspect);

  // Cancel makes nothing and leaves the settings as they were.
  MDIActivate(source);
  bool aspectOffKept = false;
  ASSERT_TRUE(RunDialog(cmd::kResizePaste, {[&](HWND d) {
    aspectOffKept = !ItemChecked(d, IDC_RESIZE_KEEP_ASPECT);
    ClickItem(d, IDC_RESIZE_KEEP_ASPECT);
    ClickItem(d, IDC_RESIZE_OR_SCANS);
    Type(d, IDC_RESIZE_WIDTH, L"10");
    ClickItem(d, IDCANCEL);
    return true;
  }}));
  EXPECT_TRUE(aspectOffKept);
  EXPECT_EQ(Documents().size(), 3u);
  EXPECT_FALSE(app().resizeSettings.keepAspect);
  EXPECT_EQ(app().resizeSettings.mode, StretchMode::kDeleteScans);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ToolsDialogsTest, AZeroSizeIsRefusedAndTheDialogStays) {
  ASSERT_NE(Open(WritePicture("p.bmp", 200, 100)), nullptr);
  HWND refusedIn = nullptr;
  bool stayed = false;
  std::string heightShown;
  ASSERT_TRUE(RunDialog(cmd::kResizePaste, {[&](HWND d) {
    Type(d, IDC_RESIZE_WIDTH, L"1");  // 100 x 1 / 200 = 0
    heightShown = ItemText(d, IDC_RESIZE_HEIGHT);
    refusedIn = d;
    ClickItem(d, IDOK);
    stayed = IsWindow(d) && ActiveDialogBox() == d;
    ClickItem(d, IDCANCEL);
    return true;
  }}));
  EXPECT_EQ(heightShown, "0");
  EXPECT_TRUE(stayed);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "サイズが 0 は、無効です。");
  EXPECT_EQ(boxes_[0].caption, "Error!");
  EXPECT_EQ(boxes_[0].owner, refusedIn);
  EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(ToolsDialogsTest, EachStretchModeMergesPixelsInItsOwnWay) {
  // Two pixels side by side become one: AND keeps the bits both have, OR the bits either has.
  ImageDoc pair = MakeDoc(2, 1, [](int32_t x, int32_t) {
    return x == 0 ? Rgb{0xF0, 0x0F, 0xAA} : Rgb{0x3C, 0xFF, 0x55};
  });
  DocumentWindow* source = OpenDoc("pair.bmp", std::move(pair));
  ASSERT_NE(source, nullptr);
  struct Case {
    int radio;
    std::vector<uint32_t> allowed;  // 0xRRGGBB
  };
  const Case cases[] = {
      {IDC_RESIZE_AND_SCANS, {0x300F00}},
      {IDC_RESIZE_OR_SCANS, {0xFCFFFF}},
      {IDC_RESIZE_DELETE_SCANS, {0xF00FAA, 0x3CFF55}},
      // Half Tone averages them under Windows; Wine's GDI drops pixels as for Delete Scans.
      {IDC_RESIZE_HALF_TONE, {0x96877F, 0x97877F, 0xF00FAA, 0x3CFF55}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radio);
    MDIActivate(source);
    ASSERT_TRUE(RunDialog(cmd::kResizePaste, {[&](HWND d) {
      if (ItemChecked(d, IDC_RESIZE_KEEP_ASPECT)) ClickItem(d, IDC_RESIZE_KEEP_ASPECT);
      ClickItem(d, c.radio);
      Type(d, IDC_RESIZE_WIDTH, L"1");
      ClickItem(d, IDOK);
      return true;
    }}));
    DocumentWindow* made = Active();
    ASSERT_NE(made, source);
    ASSERT_EQ(made->doc().width, 1);
    ASSERT_EQ(made->doc().height, 1);
    const uint32_t colour = DocColour(made->doc(), 0, 0);
    EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), colour), c.allowed.end()) << std::hex << colour;
  }
}

// ---- properties ------------------------------------------------------------------------------

struct PropertiesSeen {
  std::string title, path, size, colours, exactButton, group, text;
  bool exactEnabled = false;
  int keys = -1, selected = -2;
  std::string coloursAfterExact, groupAfterSelect, textAfterSelect;
  bool exactEnabledAfter = true;
};

// Reads every control, presses the exact-count button and selects the second key (when there is one).
ModalDriver::Step ReadProperties(PropertiesSeen& seen) {
  return [&seen](HWND d) {
    seen.title = WindowTextOf(d);
    seen.path = ItemText(d, IDC_PROP_PATH);
    seen.size = ItemText(d, IDC_PROP_SIZE);
    seen.colours = ItemText(d, IDC_PROP_COLOURS);
    seen.exactButton = ItemText(d, IDC_PROP_EXACT);
    seen.exactEnabled = IsWindowEnabled(GetDlgItem(d, IDC_PROP_EXACT)) != FALSE;
    seen.group = ItemText(d, IDC_PROP_TEXT_GROUP);
    seen.text = ItemText(d, IDC_PROP_TEXT);
    const HWND list = GetDlgItem(d, IDC_PROP_KEYS);
    seen.keys = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    seen.selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (seen.exactEnabled) ClickItem(d, IDC_PROP_EXACT);
    seen.coloursAfterExact = ItemText(d, IDC_PROP_COLOURS);
    seen.exactEnabledAfter = IsWindowEnabled(GetDlgItem(d, IDC_PROP_EXACT)) != FALSE;
    if (seen.keys > 1) {
      SendMessageW(list, LB_SETCURSEL, 1, 0);
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_PROP_KEYS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
      seen.groupAfterSelect = ItemText(d, IDC_PROP_TEXT_GROUP);
      seen.textAfterSelect = ItemText(d, IDC_PROP_TEXT);
    }
    ClickItem(d, IDOK);
    return true;
  };
}

TEST_F(ToolsDialogsTest, PropertiesCountUpToAThousandThenExactly) {
  struct Case {
    uint32_t colours;
    const char* first;
    bool enabled;
    const char* afterButton;
    int32_t colorCount;
  };
  const Case cases[] = {
      {256, "256 色", false, "256 色", 256},
      {300, "300 色以上", true, "300 色", 300},
      {5000, "1000 色以上", true, "5000 色", 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colours);
    DocumentWindow* window = OpenDoc("c" + std::to_string(c.colours) + ".bmp", PictureOfColours(c.colours));
    ASSERT_NE(window, nullptr);
    PropertiesSeen seen;
    ASSERT_TRUE(RunDialog(cmd::kProperties, {ReadProperties(seen)}));
    EXPECT_EQ(seen.title, "画像のプロパティ");
    EXPECT_EQ(seen.path, window->doc().path);
    EXPECT_EQ(seen.size, "Size 100 x 60");
    EXPECT_EQ(seen.colours, c.first);
    EXPECT_EQ(seen.exactEnabled, c.enabled);
    EXPECT_EQ(seen.exactButton, "正確な色数取得");
    EXPECT_EQ(seen.coloursAfterExact, c.afterButton);
    EXPECT_FALSE(seen.exactEnabledAfter);
    EXPECT_EQ(window->doc().colorCount, c.colorCount);
    // A BMP has no text entries.
    EXPECT_EQ(seen.keys, 0);
    EXPECT_EQ(seen.selected, LB_ERR);
    EXPECT_EQ(seen.group, "");
    EXPECT_EQ(seen.text, "");
  }
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ToolsDialogsTest, PropertiesListThePngTextEntries) {
  ImageDoc doc = PictureOfColours(2);
  AppendPngText(doc.pngTextList, "Title", "Two lines\nof text");
  AppendPngText(doc.pngTextList, "Author", "Someone");
  DocumentWindow* window = OpenDoc("texts.png", std::move(doc));
  ASSERT_NE(window, nullptr);
  PropertiesSeen seen;
  ASSERT_TRUE(RunDialog(cmd::kProperties, {ReadProperties(seen)}));
  EXPECT_EQ(seen.keys, 2);
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(seen.group, "Title");
  EXPECT_EQ(seen.text, "Two lines\r\nof text");
  EXPECT_EQ(seen.groupAfterSelect, "Author");
  EXPECT_EQ(seen.textAfterSelect, "Someone");
  EXPECT_EQ(seen.colours, "2 色");
  EXPECT_EQ(window->doc().pngTextList.size(), 2u) << "the dialog changes nothing";
}

TEST_F(ToolsDialogsTest, PropertiesTakeTheLanguageFilesTexts) {
  ShutdownApp();
  Pump(10, 1000);
  Start("[PROPERTY DLG]\r\nTitle=Picture facts\r\nGetColorBtn=Count them all\r\nColorsMore=at least %d\r\n"
        "Colors=%u in all\r\n");
  ASSERT_TRUE(app().language.languageLoaded);
  ASSERT_NE(OpenDoc("c300.bmp", PictureOfColours(300)), nullptr);
  PropertiesSeen seen;
  ASSERT_TRUE(RunDialog(cmd::kProperties, {ReadProperties(seen)}));
  EXPECT_EQ(seen.title, "Picture facts");
  EXPECT_EQ(seen.exactButton, "Count them all");
  EXPECT_EQ(seen.colours, "at least 300");
  EXPECT_EQ(seen.coloursAfterExact, "300 in all");
}

}  // namespace
}  // namespace veilo::testing
