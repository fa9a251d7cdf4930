// The mask option dialogs driven as a user would: every click changes its
// option at once, OK keeps the changes, Cancel puts back what the dialog
// found; the CP dialog's checks of the typed code, its remembered codes and
// the mask it leads to.
#include <array>
#include <ostream>
#include <string>

#include "app_fixture_win.h"
#include "masks/cp_mask.h"
#include "modal_driver_win.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

using OptionDialogsTest = AppTest;

// Options that differ from the defaults in every field the two dialogs show.
MaskOptions Unusual() {
  MaskOptions o;
  o.rgbNegChannels = 5;  // red, blue
  o.rgbXorChannels = 2;  // green
  o.rgbExchangeMode = 2;
  o.q0VerticalGlass = 0;
  o.q0HorizontalGlass = 1;
  o.q0NegPos = 0;
  o.q0LeftRight = 1;
  o.q0UpDown = 0;
  o.q0Xor = 1;
  return o;
}

struct RgbValues {
  int neg, xorChannels, mode;
  friend bool operator==(const RgbValues&, const RgbValues&) = default;
  friend std::ostream& operator<<(std::ostream& out, const RgbValues& v) {
    return out << "neg " << v.neg << ", xor " << v.xorChannels << ", mode " << v.mode;
  }
};
RgbValues RgbOf(const MaskOptions& o) { return {o.rgbNegChannels, o.rgbXorChannels, o.rgbExchangeMode}; }

constexpr std::array kQ0Boxes = {IDC_Q0_VGLASS, IDC_Q0_HGLASS,    IDC_Q0_NEGPOS,
                                 IDC_Q0_UPDOWN, IDC_Q0_LEFTRIGHT, IDC_Q0_XOR};
std::array<int32_t, 6> Q0Of(const MaskOptions& o) {
  return {o.q0VerticalGlass, o.q0HorizontalGlass, o.q0NegPos, o.q0UpDown, o.q0LeftRight, o.q0Xor};
}

// Clicks all six channel boxes and the mode R<->G, and records the options as
// they stand with the dialog still open.
ModalDriver::Step ChangeEveryRgbControl(MaskOptions& options, RgbValues& whileOpen, RgbValues& shown) {
  return [&](HWND d) {
    shown = {(ItemChecked(d, IDC_RGB_NEG_RED) ? 1 : 0) | (ItemChecked(d, IDC_RGB_NEG_GREEN) ? 2 : 0) |
                 (ItemChecked(d, IDC_RGB_NEG_BLUE) ? 4 : 0),
             (ItemChecked(d, IDC_RGB_XOR_RED) ? 1 : 0) | (ItemChecked(d, IDC_RGB_XOR_GREEN) ? 2 : 0) |
                 (ItemChecked(d, IDC_RGB_XOR_BLUE) ? 4 : 0),
             ItemChecked(d, IDC_RGB_MODE_GB) ? 2 : -1};
    for (int id : {IDC_RGB_NEG_RED, IDC_RGB_NEG_GREEN, IDC_RGB_NEG_BLUE, IDC_RGB_XOR_RED, IDC_RGB_XOR_GREEN,
                   IDC_RGB_XOR_BLUE, IDC_RGB_MODE_RG})
      ClickItem(d, id);
    whileOpen = RgbOf(options);
    return true;
  };
}

TEST_F(OptionDialogsTest, RgbOptionsChangeAtOnceAndCancelPutsAllThreeBack) {
  Start();
  app().options.mask = Unusual();
  RgbValues whileOpen{}, shown{};
  ModalDriver driver({ChangeEveryRgbControl(app().options.mask, whileOpen, shown), [](HWND d) {
                        ClickItem(d, IDCANCEL);
                        return true;
                      }});
  Command(cmd::kRgbOptions);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(shown, (RgbValues{5, 2, 2}));
  EXPECT_EQ(whileOpen, (RgbValues{2, 5, 1}));
  EXPECT_EQ(RgbOf(app().options.mask), (RgbValues{5, 2, 2}));
  EXPECT_EQ(ActiveDialogBox(), nullptr);
}

TEST_F(OptionDialogsTest, RgbOptionsOkKeepsTheChanges) {
  Start();
  app().options.mask = Unusual();
  RgbValues whileOpen{}, shown{};
  ModalDriver driver({ChangeEveryRgbControl(app().options.mask, whileOpen, shown), [](HWND d) {
                        ClickItem(d, IDOK);
                        return true;
                      }});
  Key(VK_F3, /*shift=*/true);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(RgbOf(app().options.mask), (RgbValues{2, 5, 1}));
}

TEST_F(OptionDialogsTest, Q0OptionsChangeAtOnceAndCancelPutsAllSixBack) {
  Start();
  app().options.mask = Unusual();
  const std::array<int32_t, 6> before = Q0Of(app().options.mask);
  std::array<int32_t, 6> shown{}, whileOpen{};
  ModalDriver driver({[&](HWND d) {
                        for (size_t i = 0; i < kQ0Boxes.size(); ++i) shown[i] = ItemChecked(d, kQ0Boxes[i]);
                        for (int id : kQ0Boxes) ClickItem(d, id);
                        whileOpen = Q0Of(app().options.mask);
                        return true;
                      },
                      [](HWND d) {
                        ClickItem(d, IDCANCEL);
                        return true;
                      }});
  Key(VK_F1);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(shown, before);
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(whileOpen[i], 1 - before[i]) << "box " << kQ0Boxes[i];
  EXPECT_EQ(Q0Of(app().options.mask), before);
}

TEST_F(OptionDialogsTest, Q0OptionsOkKeepsTheChanges) {
  Start();
  app().options.mask = Unusual();
  ModalDriver driver({[](HWND d) {
    ClickItem(d, IDC_Q0_VGLASS);
    ClickItem(d, IDC_Q0_XOR);
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kQ0Options);
  ASSERT_TRUE(driver.Finished());
  MaskOptions expected = Unusual();
  expected.q0VerticalGlass = 1;
  expected.q0Xor = 0;
  EXPECT_EQ(Q0Of(app().options.mask), Q0Of(expected));
}

TEST_F(OptionDialogsTest, WithALanguageFileTheDialogsTakeItsTexts) {
  Start(
      "[RGB OPTION DLG]\r\nTitle=Colour options\r\nRevCol=Invert\r\nXor=Exclusive or\r\nRGB=Exchange\r\n"
      "[Q0 OPTION DLG]\r\nTitle=Q0 "
      "steps\r\nQvg=Vertical\r\nQhg=Horizontal\r\nQcr=Negative\r\nQtb=Top-bottom\r\n"
      "Qrl=Left-right\r\nQxor=Xor\r\n");
  std::vector<std::string> rgbTexts, q0Texts;
  ModalDriver rgb({[&](HWND d) {
    rgbTexts = {WindowTextOf(d), WindowTextOf(GetDlgItem(d, IDC_RGB_NEG_GROUP)),
                WindowTextOf(GetDlgItem(d, IDC_RGB_XOR_GROUP)),
                WindowTextOf(GetDlgItem(d, IDC_RGB_MODE_GROUP))};
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kRgbOptions);
  EXPECT_EQ(rgbTexts, (std::vector<std::string>{"Colour options", "Invert", "Exclusive or", "Exchange"}));
  ModalDriver q0({[&](HWND d) {
    q0Texts.push_back(WindowTextOf(d));
    for (int id : kQ0Boxes) q0Texts.push_back(WindowTextOf(GetDlgItem(d, id)));
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kQ0Options);
  EXPECT_EQ(q0Texts, (std::vector<std::string>{"Q0 steps", "Vertical", "Horizontal", "Negative", "Top-bottom",
                                               "Left-right", "Xor"}));
}

// ---- the CP dialog ----------------------------------------------------------------------------

class CpDialogTest : public AppTest {
 protected:
  DocumentWindow* OpenWithArea(const std::string& language = {}) {
    Start(language);
    DocumentWindow* window = Open(WritePicture("cp.bmp", 32, 32));
    if (window) SelectArea(window->doc(), 0, 0, 32, 32);
    return window;
  }

  static void Type(HWND dialog, const std::string& text) {
    SetDlgItemTextW(dialog, IDC_CP_EDIT, Wide(text).c_str());
  }
  static std::pair<DWORD, DWORD> Selection(HWND dialog) {
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(dialog, IDC_CP_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  static std::string LastCode(const ImageDoc& doc) {
    if (doc.undoList.empty() || doc.undoList.back().opcode != 'o') return {};
    return doc.undoList.back().code.data();
  }
};

TEST_F(CpDialogTest, OpensWithTheLastTextSelectedAndTheEmptySlotsDisabled) {
  DocumentWindow* window = OpenWithArea();
  ASSERT_NE(window, nullptr);
  app().lastCpCode = "prev";
  RememberCpCode(window->doc(), "FIRST");
  std::string text, slot1, slot2;
  std::pair<DWORD, DWORD> selection;
  LRESULT limit = 0;
  bool focused = false;
  std::array<bool, 3> enabled{};
  ModalDriver driver({[&](HWND d) {
    text = WindowTextOf(GetDlgItem(d, IDC_CP_EDIT));
    selection = Selection(d);
    limit = SendDlgItemMessageW(d, IDC_CP_EDIT, EM_GETLIMITTEXT, 0, 0);
    focused = GetFocus() == GetDlgItem(d, IDC_CP_EDIT);
    slot1 = WindowTextOf(GetDlgItem(d, IDC_CP_SLOT1));
    slot2 = WindowTextOf(GetDlgItem(d, IDC_CP_SLOT2));
    for (int i = 0; i < 3; ++i)
      enabled[static_cast<size_t>(i)] = IsWindowEnabled(GetDlgItem(d, IDC_CP_SLOT1_OK + i));
    ClickItem(d, IDCANCEL);
    return true;
  }});
  Command(cmd::kCpMask);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(text, "prev");
  EXPECT_EQ(selection, (std::pair<DWORD, DWORD>{0, 4}));
  EXPECT_EQ(limit, kCpTypedMaxLength);
  EXPECT_TRUE(focused);
  EXPECT_EQ(slot1, "FIRST");
  EXPECT_EQ(slot2, "");
  EXPECT_EQ(enabled, (std::array<bool, 3>{true, false, false}));
  // Cancel masks nothing and keeps the text that came in.
  EXPECT_TRUE(window->doc().undoList.empty());
  EXPECT_EQ(app().lastCpCode, "prev");
}

TEST_F(CpDialogTest, TypedLettersAndSpacesAreAcceptedAsTheUpperCaseCode) {
  DocumentWindow* window = OpenWithArea();
  ASSERT_NE(window, nullptr);
  ModalDriver driver({[](HWND d) {
    Type(d, "a b c");
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kCpMask);
  ASSERT_TRUE(driver.Finished());
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(app().lastCpCode, "a b c");
  EXPECT_EQ(CpSlotText(window->doc().cpCodes[0]), "ABC");
  EXPECT_EQ(LastCode(window->doc()), "ABC");
}

struct Refusal {
  const char* typed;
  const char* japanese;
  const char* english;
  DWORD selectStart, selectEnd;  // the selection left in the field
};
constexpr std::array kRefusals = {
    Refusal{"AB1", "アルファベット以外の文字 1 が含まれています。", "Not a letter: 1", 2, 3},
    Refusal{"ABCDEFGHIJKLMNOPQ", "文字数が16を越えています。", "Too long", 0, 17},
    Refusal{"", "コードパターンを入力してください。", "No code", 0, 0},
};

// Types each refused text in turn into one dialog and presses OK; each time
// one error box owned by the dialog, and the dialog stays open with the focus
// in the field and the offending part selected.
void CheckRefusals(std::vector<MessageBoxRequest>& boxes, bool english) {
  std::vector<std::string> problems;
  HWND dialog = nullptr;
  std::vector<ModalDriver::Step> steps;
  for (const Refusal& r : kRefusals) {
    steps.push_back([&, r](HWND d) {
      dialog = d;
      const size_t seen = boxes.size();
      SetDlgItemTextW(d, IDC_CP_EDIT, Wide(r.typed).c_str());
      ClickItem(d, IDOK);
      const std::string expected = english ? r.english : r.japanese;
      DWORD start = 0, end = 0;
      SendDlgItemMessageW(d, IDC_CP_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                          reinterpret_cast<LPARAM>(&end));
      if (boxes.size() != seen + 1 || boxes.back().text != expected || boxes.back().caption != "Error!" ||
          boxes.back().owner != d || (boxes.back().type & MB_ICONWARNING) == 0)
        problems.push_back(std::string(r.typed) + ": not the one box expected");
      if (!IsWindowVisible(d)) problems.push_back(std::string(r.typed) + ": the dialog closed");
      if (GetFocus() != GetDlgItem(d, IDC_CP_EDIT))
        problems.push_back(std::string(r.typed) + ": focus elsewhere");
      if (start != r.selectStart || end != r.selectEnd)
        problems.push_back(std::string(r.typed) + ": selection " + std::to_string(start) + "-" +
                           std::to_string(end));
      return true;
    });
  }
  steps.push_back([](HWND d) {
    ClickItem(d, IDCANCEL);
    return true;
  });
  ModalDriver driver(steps);
  SendMessageW(TheApp().frameWindow, WM_COMMAND, cmd::kCpMask, 0);
  EXPECT_TRUE(driver.Finished());
  EXPECT_NE(dialog, nullptr);
  EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST_F(CpDialogTest, RefusedCodesKeepTheDialogOpenWithTheCulpritSelected) {
  DocumentWindow* window = OpenWithArea();
  ASSERT_NE(window, nullptr);
  CheckRefusals(boxes_, false);
  EXPECT_EQ(boxes_.size(), kRefusals.size());
  EXPECT_TRUE(window->doc().undoList.empty());
  EXPECT_TRUE(CpSlotText(window->doc().cpCodes[0]).empty());
}

TEST_F(CpDialogTest, WithALanguageFileTheRefusalsAreItsTexts) {
  DocumentWindow* window = OpenWithArea(
      "[ETC]\r\nCPInputErr1=Too long\r\nCPInputErr2=Not a letter: %c\r\nCPInputErr3=No code\r\n");
  ASSERT_NE(window, nullptr);
  CheckRefusals(boxes_, true);
  EXPECT_EQ(boxes_.size(), kRefusals.size());
}

TEST_F(CpDialogTest, ASlotsOkButtonMasksWithItsCode) {
  DocumentWindow* window = OpenWithArea();
  ASSERT_NE(window, nullptr);
  RememberCpCode(window->doc(), "ONE");
  RememberCpCode(window->doc(), "TWO");
  app().lastCpCode = "typed but not used";
  ModalDriver driver({[](HWND d) {
    ClickItem(d, IDC_CP_SLOT2_OK);
    return true;
  }});
  Command(cmd::kCpMask);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(app().lastCpCode, "TWO");
  EXPECT_EQ(LastCode(window->doc()), "TWO");
  // A code already remembered is not entered again.
  EXPECT_EQ(CpSlotText(window->doc().cpCodes[2]), "");
  EXPECT_EQ(window->doc().cpNextSlot, 3);
}

TEST_F(CpDialogTest, ClearEmptiesTheSlotsAndKeepsTheDialogOpen) {
  DocumentWindow* window = OpenWithArea();
  ASSERT_NE(window, nullptr);
  for (const char* code : {"ONE", "TWO", "THREE"}) RememberCpCode(window->doc(), code);
  std::vector<std::string> slots;
  std::vector<bool> enabled;
  bool open = false;
  ModalDriver driver({[&](HWND d) {
    ClickItem(d, IDC_CP_CLEAR);
    open = IsWindowVisible(d) != FALSE;
    for (int i = 0; i < 3; ++i) {
      slots.push_back(WindowTextOf(GetDlgItem(d, IDC_CP_SLOT1 + i)));
      enabled.push_back(IsWindowEnabled(GetDlgItem(d, IDC_CP_SLOT1_OK + i)) != FALSE);
    }
    ClickItem(d, IDCANCEL);
    return true;
  }});
  Command(cmd::kCpMask);
  ASSERT_TRUE(driver.Finished());
  EXPECT_TRUE(open);
  EXPECT_EQ(slots, (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(enabled, (std::vector<bool>{false, false, false}));
  for (const CpCode& slot : window->doc().cpCodes) EXPECT_EQ(CpSlotText(slot), "");
  EXPECT_EQ(window->doc().cpNextSlot, 0);
  EXPECT_TRUE(window->doc().undoList.empty());
}

}  // namespace
}  // namespace veilo::testing
