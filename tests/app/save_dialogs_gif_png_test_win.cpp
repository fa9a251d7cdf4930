// The GIF option dialog 102 and PNG_OPT in front of their writers, driven as
// a user would through the document window's save: the choices reach the
// written file, the transparent colour comes from the check box or the spoit
// behind the swatch, PNG text entries are added, edited and deleted, Cancel
// writes nothing and puts the run's choices back.
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "formats/gif_reader.h"
#include "formats/png_colour_mode.h"
#include "formats/png_reader.h"
#include "modal_driver_win.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "view/spoit.h"
#include "view/spoit_win.h"

namespace veilo::testing {
namespace {

using Colour = std::array<uint8_t, 3>;

std::string Bytes(const std::string& path) {
  std::ifstream in(Wide(path).c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The PNG's chunks by type (the first of each), their data only.
std::map<std::string, std::string> PngChunks(const std::string& file) {
  std::map<std::string, std::string> chunks;
  for (size_t at = 8; at + 12 <= file.size();) {
    const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(file[at + i])); };
    const uint32_t length = b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
    if (at + 12 + length > file.size()) break;
    chunks.emplace(file.substr(at + 4, 4), file.substr(at + 8, length));
    at += 12 + length;
  }
  return chunks;
}

Colour ColourAt(const std::string& bytes, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[at + i]); };
  return {byte(0), byte(1), byte(2)};
}

Colour DocRgb(ImageDoc& doc, int32_t x, int32_t y) {
  const Rgb p = PixelOf(doc, x, y);
  return {p.r, p.g, p.b};
}

// A pick with the spoit that the dialog's swatch opens: the swatch is
// clicked, and a thread timer ticking in the spoit's own loop clicks picture
// pixel (x, y) at magnification 1. A spoit still open after the time limit
// is closed and the run reported.
struct SpoitPick {
  int x = 0, y = 0;
  bool done = false, timedOut = false;
  ULONGLONG deadline = 0;
  UINT_PTR timer = 0;
};
SpoitPick* pick = nullptr;

void CALLBACK PickTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!pick || pick->done) return;
  const HWND picker = FindWindowW(kSpoitPickerClass, nullptr);
  const HWND view = picker ? FindWindowExW(picker, nullptr, L"SpoitWin", nullptr) : nullptr;
  if (GetTickCount64() > pick->deadline) {
    pick->timedOut = pick->done = true;
    if (picker) PostMessageW(picker, WM_CLOSE, 0, 0);
    return;
  }
  if (!view) return;
  SendMessageW(GetDlgItem(picker, kSpoitFirstRadioId), BM_CLICK, 0, 0);  // x 1, whatever was used last
  const LPARAM at = MAKELPARAM(pick->x - GetScrollPos(view, SB_HORZ), pick->y - GetScrollPos(view, SB_VERT));
  SendMessageW(view, WM_MOUSEMOVE, 0, at);
  SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
  pick->done = true;
  SendMessageW(view, WM_LBUTTONUP, 0, at);
}

// Two driver steps: click the swatch, then wait until the spoit has picked and closed.
std::vector<ModalDriver::Step> PickWithSpoit(SpoitPick& p, int swatchId, int x, int y) {
  return {[&p, swatchId, x, y](HWND d) {
            p = SpoitPick{x, y, false, false, GetTickCount64() + 6000, 0};
            pick = &p;
            p.timer = SetTimer(nullptr, 0, 30, PickTick);
            PostMessageW(GetDlgItem(d, swatchId), BM_CLICK, 0, 0);
            return true;
          },
          [&p](HWND) {
            if (!p.done) return false;
            KillTimer(nullptr, p.timer);
            pick = nullptr;
            return true;
          }};
}

ModalDriver::Step Click(int id) {
  return [id](HWND d) {
    ClickItem(d, id);
    return true;
  };
}

std::vector<ModalDriver::Step> Join(std::vector<std::vector<ModalDriver::Step>> parts) {
  std::vector<ModalDriver::Step> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class SaveDialogsBase : public AppTest {
 protected:
  // Saves the active document with Save (Ctrl+S's command) while the driver answers its dialog.
  void SaveWith(std::vector<ModalDriver::Step> steps) {
    ModalDriver driver(std::move(steps));
    Command(cmd::kSave);
    EXPECT_TRUE(driver.Finished()) << "the dialog had to be closed by the test";
    EXPECT_EQ(ActiveDialogBox(), nullptr);
  }

  static ImageDoc Load(const std::string& path) {
    ImageDoc doc;
    doc.path = path;
    RecordingShell shell;
    EXPECT_EQ(LoadImageFile(shell, doc), 0) << path;
    return doc;
  }
  // The colour in the middle of the swatch button as painted.
  static Colour SwatchMiddle(HWND dialog, int id) {
    const HWND swatch = GetDlgItem(dialog, id);
    RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int32_t w = 0, h = 0;
    const std::vector<uint32_t> pixels = CaptureClient(swatch, w, h);
    if (pixels.empty()) return {};
    const uint32_t c = pixels[static_cast<size_t>(h / 2 * w + w / 2)];
    return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
  }
};

class SaveDialogsTest : public SaveDialogsBase {
 protected:
  void SetUp() override {
    SaveDialogsBase::SetUp();
    Start();
  }
};

class SaveDialogsLanguageTest : public SaveDialogsBase {
 protected:
  void SetUp() override {
    SaveDialogsBase::SetUp();
    Start("[PNG OPTION DLG]\r\nInterlace=Interlaced\r\n[ETC]\r\nCancel=&Stop\r\n");
  }
};

TEST_F(SaveDialogsTest, APngReducedTo16WithASpoitPickedColourHas16EntriesAndThatColourTransparent) {
  DocumentWindow* window = Open(WritePicture("photo.png", 60, 40, 3));  // far more than 256 colours
  ASSERT_NE(window, nullptr);
  const Colour picked = DocRgb(window->doc(), 7, 5);
  bool everyChoiceOffered = false, swatchOffAtFirst = false;
  Colour swatch{};
  SpoitPick spoit;
  ModalDriver driver(Join({{[&](HWND d) {
                              everyChoiceOffered = true;
                              for (int id : {IDC_PNG_REDUCE_NONE, IDC_PNG_REDUCE_16, IDC_PNG_REDUCE_32,
                                             IDC_PNG_REDUCE_64, IDC_PNG_REDUCE_128, IDC_PNG_REDUCE_256})
                                everyChoiceOffered = everyChoiceOffered && IsWindowEnabled(GetDlgItem(d, id));
                              swatchOffAtFirst = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_SWATCH));
                              return true;
                            },
                            Click(IDC_PNG_REDUCE_16), Click(IDC_PNG_TRANSPARENT)},
                           PickWithSpoit(spoit, IDC_PNG_SWATCH, 7, 5),
                           {[&](HWND d) {
                              swatch = SwatchMiddle(d, IDC_PNG_SWATCH);
                              return true;
                            },
                            Click(IDOK)}}));
  Key('S', false, true);
  ASSERT_TRUE(driver.Finished());
  EXPECT_FALSE(spoit.timedOut);
  EXPECT_TRUE(everyChoiceOffered);
  EXPECT_TRUE(swatchOffAtFirst);
  EXPECT_EQ(swatch, picked);

  const std::map<std::string, std::string> chunks = PngChunks(Bytes(window->doc().path));
  ASSERT_EQ(chunks.count("IHDR"), 1u);
  EXPECT_EQ(chunks.at("IHDR")[8], 8);  // bit depth
  EXPECT_EQ(chunks.at("IHDR")[9], 3);  // palette
  ASSERT_EQ(chunks.count("PLTE"), 1u);
  EXPECT_EQ(chunks.at("PLTE").size(), 16u * 3);
  EXPECT_EQ(ColourAt(chunks.at("PLTE"), 0), picked);  // the transparent colour comes first
  ASSERT_EQ(chunks.count("tRNS"), 1u);
  EXPECT_EQ(chunks.at("tRNS"), std::string(1, '\0'));
  ImageDoc back = Load(window->doc().path);
  EXPECT_EQ(back.useTransparent, 1);
  EXPECT_EQ(back.transparentColor, picked);
  EXPECT_EQ(DocRgb(back, 7, 5), picked);
  EXPECT_EQ(app().saveChoices.pngReduction, 16);
}

TEST_F(SaveDialogsTest, APngOffersOnlyTheReductionsThatReduceItsPalette) {
  ASSERT_NE(Open(WritePicture("few.png", 10, 10, 2)), nullptr);  // 100 colours
  app().saveChoices.pngReduction = 128;  // left from an earlier save: not offered here
  std::map<int, bool> offered;
  bool noneChecked = false;
  SaveWith({[&](HWND d) {
              for (int id : {IDC_PNG_REDUCE_NONE, IDC_PNG_REDUCE_16, IDC_PNG_REDUCE_32, IDC_PNG_REDUCE_64,
                             IDC_PNG_REDUCE_128, IDC_PNG_REDUCE_256})
                offered[id] = IsWindowEnabled(GetDlgItem(d, id)) != 0;
              noneChecked = ItemChecked(d, IDC_PNG_REDUCE_NONE) && !ItemChecked(d, IDC_PNG_REDUCE_128);
              return true;
            },
            Click(IDOK)});
  EXPECT_EQ(offered, (std::map<int, bool>{{IDC_PNG_REDUCE_NONE, true},
                                          {IDC_PNG_REDUCE_16, true},
                                          {IDC_PNG_REDUCE_32, true},
                                          {IDC_PNG_REDUCE_64, true},
                                          {IDC_PNG_REDUCE_128, false},
                                          {IDC_PNG_REDUCE_256, false}}));
  EXPECT_TRUE(noneChecked);
  EXPECT_EQ(app().saveChoices.pngReduction, 0);
  ImageDoc back = Load(Active()->doc().path);
  EXPECT_EQ(DescribePixelDifference(back, Active()->doc()), "");  // written exactly
}

TEST_F(SaveDialogsTest, AGifWith32ColoursInterlacedHasA32EntryTableAndTheInterlaceBit) {
  DocumentWindow* window = Open(WritePicture("photo.gif", 40, 30, 4));
  ASSERT_NE(window, nullptr);
  SaveWith({Click(IDC_GIF_COLOURS_32), Click(IDC_GIF_INTERLACE), Click(IDOK)});
  const std::string file = Bytes(window->doc().path);
  ASSERT_GT(file.size(), 130u);
  EXPECT_EQ(static_cast<uint8_t>(file[10]), 0x84);  // global table of 2^5 entries
  const size_t descriptor = 13 + 32 * 3 + 8;        // after the table and the control extension
  ASSERT_EQ(file[descriptor], 0x2C);
  EXPECT_EQ(static_cast<uint8_t>(file[descriptor + 9]) & 0x40, 0x40);
  ImageDoc back = Load(window->doc().path);
  EXPECT_LE(CountColours(DocPixels(back)).count, 32u);
  EXPECT_NE(CountColours(DocPixels(back)).count, 0u);

  // The choices hold for the next save of the run.
  EXPECT_EQ(app().saveChoices.gifMaxColours, 32);
  EXPECT_TRUE(app().saveChoices.gifInterlace);
  bool shown = false;
  SaveWith({[&](HWND d) {
              shown = ItemChecked(d, IDC_GIF_COLOURS_32) && !ItemChecked(d, IDC_GIF_COLOURS_256) &&
                      ItemChecked(d, IDC_GIF_INTERLACE);
              return true;
            },
            Click(IDCANCEL)});
  EXPECT_TRUE(shown);
}

TEST_F(SaveDialogsTest, AGifTakesTheBottomLeftColourOrTheSpoitsForThisSaveOnly) {
  DocumentWindow* window = Open(WritePicture("small.gif", 12, 9, 6));  // 108 colours: an exact palette
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->doc().useTransparent, 0);
  const Colour bottomLeft = DocRgb(window->doc(), 0, 8), picked = DocRgb(window->doc(), 5, 3);
  Colour first{}, second{};
  bool labelFollows = false;
  SpoitPick spoit;
  SaveWith(Join({{Click(IDC_GIF_TRANSPARENT),
                  [&](HWND d) {
                    first = SwatchMiddle(d, IDC_GIF_SWATCH);
                    labelFollows = IsWindowEnabled(GetDlgItem(d, IDC_GIF_SWATCH_LABEL)) != 0;
                    return true;
                  }},
                 PickWithSpoit(spoit, IDC_GIF_SWATCH, 5, 3),
                 {[&](HWND d) {
                    second = SwatchMiddle(d, IDC_GIF_SWATCH);
                    return true;
                  },
                  // Off and on again keeps the picked colour.
                  Click(IDC_GIF_TRANSPARENT), Click(IDC_GIF_TRANSPARENT), Click(IDOK)}}));
  EXPECT_FALSE(spoit.timedOut);
  EXPECT_EQ(first, bottomLeft);
  EXPECT_TRUE(labelFollows);
  EXPECT_EQ(second, picked);
  ImageDoc back = Load(window->doc().path);
  EXPECT_EQ(back.useTransparent, 1);
  EXPECT_EQ(back.transparentColor, picked);
  EXPECT_EQ(window->doc().useTransparent, 0);  // the document's own setting is untouched

  bool offAgain = false;
  SaveWith({[&](HWND d) {
              offAgain =
                  !ItemChecked(d, IDC_GIF_TRANSPARENT) && !IsWindowEnabled(GetDlgItem(d, IDC_GIF_SWATCH));
              return true;
            },
            Click(IDCANCEL)});
  EXPECT_TRUE(offAgain);
}

TEST_F(SaveDialogsTest, CancelWritesNothingAndPutsTheRunsChoicesBack) {
  struct Case {
    const char* name;
    std::vector<int> clicks;
  };
  const Case cases[] = {
      {"kept.gif", {IDC_GIF_COLOURS_16, IDC_GIF_INTERLACE, IDC_GIF_TRANSPARENT}},
      {"kept.png", {IDC_PNG_REDUCE_64, IDC_PNG_INTERLACE, IDC_PNG_TRANSPARENT}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DocumentWindow* window = Open(WritePicture(c.name, 30, 20, 8));
    ASSERT_NE(window, nullptr);
    const std::string before = Bytes(window->doc().path);
    const RunSaveChoices choices = app().saveChoices;
    boxes_.clear();
    std::vector<ModalDriver::Step> steps;
    for (int id : c.clicks) steps.push_back(Click(id));
    steps.push_back(Click(IDCANCEL));
    SaveWith(steps);
    EXPECT_EQ(Bytes(window->doc().path), before);
    EXPECT_EQ(app().saveChoices.gifMaxColours, choices.gifMaxColours);
    EXPECT_EQ(app().saveChoices.gifInterlace, choices.gifInterlace);
    EXPECT_EQ(app().saveChoices.pngReduction, choices.pngReduction);
    EXPECT_EQ(app().saveChoices.pngInterlace, choices.pngInterlace);
    EXPECT_EQ(window->doc().useTransparent, 0);
    if (std::strstr(c.name, ".gif")) {
      EXPECT_TRUE(boxes_.empty());  // a cancelled GIF dialog is no failure
    }
  }
}

// Typing into an edit as the user does: the selection replaced, so that the edit reports the change.
void Type(HWND dialog, int id, const wchar_t* text) {
  SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
  SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

int ListCount(HWND d) { return static_cast<int>(SendDlgItemMessageW(d, IDC_PNG_KEY_LIST, LB_GETCOUNT, 0, 0)); }
int ListSelection(HWND d) {
  return static_cast<int>(SendDlgItemMessageW(d, IDC_PNG_KEY_LIST, LB_GETCURSEL, 0, 0));
}

ModalDriver::Step AddKey(const wchar_t* key) {
  return [key](HWND d) {
    Type(d, IDC_PNG_NEW_KEY, key);
    ClickItem(d, IDC_PNG_ADD);
    return true;
  };
}

TEST_F(SaveDialogsTest, PngTextEntriesAddedEditedAndDeletedAreInTheWrittenFile) {
  DocumentWindow* window = Open(WritePicture("texts.png", 16, 16, 9));
  ASSERT_NE(window, nullptr);
  bool addOffAtFirst = false, addOnWithKey = false, addOffAfterAdding = false, textOffAtFirst = false;
  std::string frameAfterDelete;
  int selectedAfterDelete = -1, countAfterRefusals = -1;
  HWND dialog = nullptr;
  SaveWith({[&](HWND d) {
              dialog = d;
              addOffAtFirst = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_ADD));
              textOffAtFirst = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_TEXT)) &&
                               !IsWindowEnabled(GetDlgItem(d, IDC_PNG_DELETE));
              Type(d, IDC_PNG_NEW_KEY, L"Title");
              addOnWithKey = IsWindowEnabled(GetDlgItem(d, IDC_PNG_ADD)) != 0;
              ClickItem(d, IDC_PNG_ADD);
              addOffAfterAdding = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_ADD)) &&
                                  WindowTextOf(GetDlgItem(d, IDC_PNG_NEW_KEY)).empty();
              Type(d, IDC_PNG_TEXT, L"写真\r\nline two");
              return true;
            },
            AddKey(L"Author"),
            [&](HWND d) {
              Type(d, IDC_PNG_TEXT, L"Me");
              return true;
            },
            AddKey(L"Gone"),
            [&](HWND d) {
              ClickItem(d, IDC_PNG_DELETE);  // the last entry: the selection moves to the new last
              selectedAfterDelete = ListSelection(d);
              frameAfterDelete = WindowTextOf(GetDlgItem(d, IDC_PNG_TEXT_FRAME));
              return true;
            },
            AddKey(L"Title"),  // exists already
            [&](HWND d) {
              // The refused key stays in its field; emptied, Add is off, but its command still comes.
              Type(d, IDC_PNG_NEW_KEY, L"");
              SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_PNG_ADD, BN_CLICKED), 0);
              countAfterRefusals = ListCount(d);
              return true;
            },
            Click(IDOK)});
  EXPECT_TRUE(addOffAtFirst);
  EXPECT_TRUE(textOffAtFirst);
  EXPECT_TRUE(addOnWithKey);
  EXPECT_TRUE(addOffAfterAdding);
  EXPECT_EQ(selectedAfterDelete, 1);
  EXPECT_EQ(frameAfterDelete, "Author");
  EXPECT_EQ(countAfterRefusals, 2);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "すでにそのキーは存在します。");
  EXPECT_EQ(boxes_[1].text, "キー文字列を入力してください。");
  for (const MessageBoxRequest& box : boxes_) {
    EXPECT_EQ(box.caption, "Error!");
    EXPECT_EQ(box.owner, dialog);
  }

  const std::vector<PngTextEntry> expected{{"Title", "写真\nline two"}, {"Author", "Me"}};
  ImageDoc back = Load(window->doc().path);
  ASSERT_EQ(back.pngTextList.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back.pngTextList[i].key, expected[i].key);
    EXPECT_EQ(back.pngTextList[i].text, expected[i].text);
    EXPECT_EQ(window->doc().pngTextList[i].text, expected[i].text);
  }

  // Reopened: the first entry is shown; a deletion that is cancelled leaves the document's list.
  std::string frame, text;
  size_t typedKey = 0;
  SaveWith({[&](HWND d) {
              frame = WindowTextOf(GetDlgItem(d, IDC_PNG_TEXT_FRAME));
              text = WindowTextOf(GetDlgItem(d, IDC_PNG_TEXT));
              Type(d, IDC_PNG_NEW_KEY, std::wstring(100, L'k').c_str());
              typedKey = WindowTextOf(GetDlgItem(d, IDC_PNG_NEW_KEY)).size();
              ClickItem(d, IDC_PNG_DELETE);
              return ListCount(d) == 1;
            },
            Click(IDCANCEL)});
  EXPECT_EQ(frame, "Title");
  EXPECT_EQ(text, "写真\r\nline two");
  EXPECT_EQ(typedKey, 79u);  // a key's most characters
  EXPECT_EQ(window->doc().pngTextList.size(), 2u);
}

TEST_F(SaveDialogsLanguageTest, TheDialogsTextsComeFromTheLanguageFile) {
  std::map<int, std::string> gif, png;
  const auto record = [](std::map<int, std::string>& texts, std::vector<int> ids) {
    return [&texts, ids](HWND d) {
      for (int id : ids) texts[id] = WindowTextOf(GetDlgItem(d, id));
      ClickItem(d, IDCANCEL);
      return true;
    };
  };
  ASSERT_NE(Open(WritePicture("lang.gif", 8, 8)), nullptr);
  SaveWith({record(gif, {IDC_GIF_COLOURS_GROUP, IDC_GIF_COLOURS_8, IDC_GIF_TRANSPARENT, IDC_GIF_SWATCH_LABEL,
                         IDC_GIF_INTERLACE, IDOK, IDCANCEL})});
  ASSERT_NE(Open(WritePicture("lang.png", 8, 8)), nullptr);
  SaveWith({record(png, {IDC_PNG_REDUCTION_GROUP, IDC_PNG_REDUCE_NONE, IDC_PNG_REDUCE_16, IDC_PNG_TEXT_GROUP,
                         IDC_PNG_KEY_LABEL, IDC_PNG_NEW_KEY_LABEL, IDC_PNG_ADD, IDC_PNG_DELETE,
                         IDC_PNG_INTERLACE, IDOK, IDCANCEL})});
  EXPECT_EQ(gif, (std::map<int, std::string>{{IDC_GIF_COLOURS_GROUP, "Max color"},
                                             {IDC_GIF_COLOURS_8, "8"},
                                             {IDC_GIF_TRANSPARENT, "Transparency"},
                                             {IDC_GIF_SWATCH_LABEL, "Color"},
                                             {IDC_GIF_INTERLACE, "Interlaced"},
                                             {IDOK, "&OK"},
                                             {IDCANCEL, "&Stop"}}));
  EXPECT_EQ(png, (std::map<int, std::string>{{IDC_PNG_REDUCTION_GROUP, "Reduction of color"},
                                             {IDC_PNG_REDUCE_NONE, "No Reduce"},
                                             {IDC_PNG_REDUCE_16, "16"},
                                             {IDC_PNG_TEXT_GROUP, "Text"},
                                             {IDC_PNG_KEY_LABEL, "Key"},
                                             {IDC_PNG_NEW_KEY_LABEL, "New key"},
                                             {IDC_PNG_ADD, "&Add"},
                                             {IDC_PNG_DELETE, "&Delete"},
                                             {IDC_PNG_INTERLACE, "Interlaced"},
                                             {IDOK, "&OK"},
                                             {IDCANCEL, "&Stop"}}));
}

TEST_F(SaveDialogsTest, TextEntriesWrittenThroughTheDialogAreWhatThePropertiesShowOnceReopened) {
  const std::string path = WritePicture("noted.png", 20, 10, 4);
  ASSERT_NE(Open(path), nullptr);
  SaveWith({AddKey(L"Comment"),
            [](HWND d) {
              Type(d, IDC_PNG_TEXT, L"first line\r\n二行目");
              return true;
            },
            AddKey(L"Software"), Click(IDOK)});
  SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Active()->hwnd()), 0);
  Pump();
  ASSERT_NE(Open(path), nullptr);
  int keys = -1;
  std::string group, text;
  ModalDriver driver({[&](HWND d) {
    keys = static_cast<int>(SendDlgItemMessageW(d, IDC_PROP_KEYS, LB_GETCOUNT, 0, 0));
    group = WindowTextOf(GetDlgItem(d, IDC_PROP_TEXT_GROUP));
    text = WindowTextOf(GetDlgItem(d, IDC_PROP_TEXT));
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kProperties);
  EXPECT_TRUE(driver.Finished());
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(group, "Comment");
  EXPECT_EQ(text, "first line\r\n二行目");
}

}  // namespace
}  // namespace veilo::testing
