// The open and save dialogs as the user meets them: the chosen file opens,
// the preview beside the list shows the selected picture with its size, its
// switch is remembered; the save dialog offers the document's name, follows a
// change of the file type with the extension, and saves under the new name.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>

#include "app_fixture_win.h"
#include "formats/file_dialog_rules.h"
#include "formats/image_dispatch.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

constexpr uint32_t kLeftColour = 0xE02010, kRightColour = 0x1040D0;

class FileDialogsTest : public AppTest {
 protected:
  // A picture whose left half and right half have one colour each.
  std::string WriteHalves(const std::string& name, int32_t width, int32_t height) {
    ImageDoc doc = MakeDoc(width, height, [width](int32_t x, int32_t) {
      const uint32_t c = x < width / 2 ? kLeftColour : kRightColour;
      return Rgb{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
    });
    const std::string path = folder_.Path(name);
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0);
    return path;
  }
  std::string Folder() {
    const std::string any = folder_.Path("x");
    return any.substr(0, any.size() - 1);  // with its trailing separator
  }
};

// The file list of the explorer-style dialog.
HWND FileList(HWND dialog) {
  const HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
  return view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
}

// The template's controls live in the hook's own dialog, a child of the common dialog.
HWND HookDialog(HWND dialog) { return FindWindowExW(dialog, nullptr, L"#32770", nullptr); }

// Selects the file whose name starts with `name` as a click in the list would; false until the list shows it.
bool SelectFile(HWND dialog, const std::wstring& name) {
  const HWND list = FileList(dialog);
  if (!list) return false;
  LVFINDINFOW find{};
  find.flags = LVFI_PARTIAL | LVFI_STRING;
  find.psz = name.c_str();
  const auto item = static_cast<int>(
      SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (item < 0) return false;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
  return true;
}

std::string SizeText(HWND dialog) {
  return WindowTextOf(GetDlgItem(HookDialog(dialog), IDC_OPEN_PREVIEW_SIZE));
}

std::string FieldName(HWND dialog) {
  wchar_t name[MAX_PATH] = {};
  SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
  return Utf8(name);
}

uint32_t Rrggbb(COLORREF c) {
  return uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c);
}

ModalDriver::Step Press(int id) {
  return [id](HWND d) {
    ClickItem(d, id);
    return true;
  };
}

TEST_F(FileDialogsTest, TheOpenDialogPreviewsTheSelectedPictureAndOpensTheChosenFile) {
  Start();
  const std::string path = WriteHalves("halves.png", 60, 40);
  WritePicture("other.bmp", 30, 50);
  app().options.loadDir = Folder();
  app().options.openPreview = true;
  std::vector<uint32_t> area;
  int32_t areaW = 0, areaH = 0;
  ModalDriver driver({[](HWND d) { return SelectFile(d, L"halves"); },
                      [](HWND d) { return SizeText(d) == "60 x 40"; },
                      [&](HWND d) {
                        const HWND preview = GetDlgItem(HookDialog(d), IDC_OPEN_PREVIEW_AREA);
                        UpdateWindow(preview);
                        area = CaptureClient(preview, areaW, areaH);
                        return true;
                      },
                      Press(IDOK)});
  Command(cmd::kOpen);
  ASSERT_TRUE(driver.Finished());

  // Fitted into the area with its aspect kept, on the button face.
  const PreviewFit fit = FitPreview(60, 40, areaW, areaH);
  ASSERT_GT(fit.width, 0);
  const auto at = [&](int32_t x, int32_t y) { return area[static_cast<size_t>(y * areaW + x)]; };
  const int32_t midY = fit.y + fit.height / 2;
  EXPECT_EQ(at(fit.x + fit.width / 4, midY), kLeftColour);
  EXPECT_EQ(at(fit.x + fit.width * 3 / 4, midY), kRightColour);
  const uint32_t face = Rrggbb(GetSysColor(COLOR_BTNFACE));
  if (fit.y > 1) {
    EXPECT_EQ(at(areaW / 2, fit.y / 2), face);
  }
  if (fit.x > 1) {
    EXPECT_EQ(at(fit.x / 2, midY), face);
  }

  ASSERT_EQ(app().documents.size(), 1u);
  EXPECT_EQ(app().documents[0]->doc().path, path);
  EXPECT_EQ(app().options.loadDir, Folder());
}

// The first type lists JPEG 2000 code streams under their .j2k name; a PNG picture named .bmp is
// previewed as what it is without a word, and opening it asks first.
TEST_F(FileDialogsTest, TheOpenDialogListsCodeStreamsAndPreviewsAMisnamedPictureAsWhatItIs) {
  Start();
  ASSERT_TRUE(CopyFileW(Wide(TestDataPath("jp2/picture.j2c")).c_str(), Wide(folder_.Path("stream.j2k")).c_str(),
                        FALSE));
  const std::string misnamed = folder_.Path("misnamed.bmp");
  ASSERT_TRUE(CopyFileW(Wide(WriteHalves("halves.png", 60, 40)).c_str(), Wide(misnamed).c_str(), FALSE));
  app().options.loadDir = Folder();
  app().options.openPreview = true;
  answers_ = {IDYES};
  size_t boxesWhilePreviewing = 99;
  ModalDriver driver({[](HWND d) { return SelectFile(d, L"stream"); },
                      [](HWND d) { return SizeText(d) == "7 x 5"; },
                      [](HWND d) { return SelectFile(d, L"misnamed"); },
                      [](HWND d) { return SizeText(d) == "60 x 40"; },
                      [&](HWND) {
                        boxesWhilePreviewing = boxes_.size();
                        return true;
                      },
                      Press(IDOK)});
  Command(cmd::kOpen);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(boxesWhilePreviewing, 0u);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].type & 0xF, static_cast<UINT>(MB_YESNO));
  ASSERT_EQ(app().documents.size(), 1u);
  EXPECT_EQ(app().documents[0]->doc().path, misnamed);
  EXPECT_EQ(app().documents[0]->doc().width, 60);
}

TEST_F(FileDialogsTest, ThePreviewSwitchIsRememberedAndOffShowsNothing) {
  Start();
  WriteHalves("halves.png", 60, 40);
  app().options.loadDir = Folder();
  app().options.openPreview = true;
  const uint32_t face = Rrggbb(GetSysColor(COLOR_BTNFACE));
  bool checkedFirst = false, checkedSecond = true, emptyArea = false;
  std::string sizeAfterOff = "?", sizeWhileOff = "?";
  ModalDriver first({[&](HWND d) {
                       checkedFirst = ItemChecked(HookDialog(d), IDC_OPEN_PREVIEW_CHECK);
                       return SelectFile(d, L"halves");
                     },
                     [](HWND d) { return SizeText(d) == "60 x 40"; },
                     [&](HWND d) {
                       ClickItem(HookDialog(d), IDC_OPEN_PREVIEW_CHECK);
                       sizeAfterOff = SizeText(d);
                       const HWND preview = GetDlgItem(HookDialog(d), IDC_OPEN_PREVIEW_AREA);
                       UpdateWindow(preview);
                       int32_t w = 0, h = 0;
                       const std::vector<uint32_t> area = CaptureClient(preview, w, h);
                       emptyArea = !area.empty() && std::all_of(area.begin(), area.end(),
                                                                [&](uint32_t c) { return c == face; });
                       return true;
                     },
                     Press(IDCANCEL)});
  Command(cmd::kOpen);
  ASSERT_TRUE(first.Finished());
  EXPECT_TRUE(checkedFirst);
  EXPECT_EQ(sizeAfterOff, "");
  EXPECT_TRUE(emptyArea);
  EXPECT_FALSE(app().options.openPreview);

  // The next dialog starts with the switch off and loads nothing until it is turned on.
  ModalDriver second({[&](HWND d) {
                        checkedSecond = ItemChecked(HookDialog(d), IDC_OPEN_PREVIEW_CHECK);
                        return SelectFile(d, L"halves");
                      },
                      [](HWND d) { return FieldName(d) == "halves.png"; },
                      [&](HWND d) {
                        sizeWhileOff = SizeText(d);
                        ClickItem(HookDialog(d), IDC_OPEN_PREVIEW_CHECK);
                        return true;
                      },
                      [](HWND d) { return SizeText(d) == "60 x 40"; }, Press(IDCANCEL)});
  Command(cmd::kOpen);
  ASSERT_TRUE(second.Finished());
  EXPECT_FALSE(checkedSecond);
  EXPECT_EQ(sizeWhileOff, "");
  EXPECT_TRUE(app().options.openPreview);
  EXPECT_TRUE(app().documents.empty());
}

TEST_F(FileDialogsTest, TheSaveDialogFollowsTheTypeWithTheExtensionAndSavesUnderTheNewName) {
  Start();
  DocumentWindow* window = Open(WritePicture("photo.jpg", 24, 16));
  ASSERT_NE(window, nullptr);
  app().options.saveDir = Folder();
  std::string offered, afterTypeChange;
  ModalDriver driver({[&](HWND d) {
                        offered = FieldName(d);
                        // The user picks PNG, the fifth type.
                        const HWND types = GetDlgItem(d, cmb1);
                        SendMessageW(types, CB_SETCURSEL, 4, 0);
                        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
                          SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, code),
                                       reinterpret_cast<LPARAM>(types));
                        return true;
                      },
                      [&](HWND d) {
                        afterTypeChange = FieldName(d);
                        return true;
                      },
                      Press(IDOK),
                      [](HWND d) {  // then the PNG options, as offered
                        if (!GetDlgItem(d, IDC_PNG_KEY_LIST)) return false;
                        ClickItem(d, IDOK);
                        return true;
                      }});
  Command(cmd::kSaveAs);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(offered, "photo.jpg");
  EXPECT_EQ(afterTypeChange, "photo.PNG");
  const std::string saved = folder_.Path("photo.PNG");
  EXPECT_EQ(window->doc().path, saved);
  EXPECT_EQ(Caption(window->hwnd()), "photo.PNG");
  const FilePtr file = OpenFile(saved, "rb");
  ASSERT_TRUE(file);
  char signature[4] = {};
  ASSERT_EQ(std::fread(signature, 1, 4, file.get()), 4u);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

}  // namespace
}  // namespace veilo::testing
