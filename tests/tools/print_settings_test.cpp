#include "tools/print_settings.h"

#include <gtest/gtest.h>

#include <string_view>

namespace veilo {
namespace {

TEST(HeldDevMode, SizeFallbackAndWholeCopy) {
  const std::vector<uint8_t> dialog(100, 0xAB);
  struct Case {
    int32_t reported, fallback;
    size_t size;
  };
  const Case cases[] = {
      {300, kPrintDialogDevModeSize, 300},
      {-1, kPrintDialogDevModeSize, 7800},
      {-1, kPageSetupDevModeSize, 1560},
      {40, kPrintDialogDevModeSize, 100},  // a smaller report never cuts the dialog's block
      {-5, kPrintDialogDevModeSize, 100},
      {INT32_MAX, kPrintDialogDevModeSize, static_cast<size_t>(kMaxDevModeBytes)},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> held = HeldDevModeCopy(dialog, c.reported, c.fallback);
    ASSERT_EQ(held.size(), c.size) << c.reported;
    EXPECT_TRUE(std::equal(dialog.begin(), dialog.end(), held.begin())) << c.reported;
    EXPECT_TRUE(std::all_of(held.begin() + 100, held.end(), [](uint8_t b) { return b == 0; })) << c.reported;
  }
}

TEST(HeldDevMode, TakenWithThePrinterName) {
  PrinterSettings settings;
  settings.margins = {1, 2, 3, 4};
  TakeDialogDevMode(settings, "Printer B", std::vector<uint8_t>(10, 1), -1, kPageSetupDevModeSize);
  EXPECT_EQ(settings.printerName, "Printer B");
  EXPECT_EQ(settings.devMode.size(), 1560u);
  EXPECT_EQ(settings.margins, (PageMargins{1, 2, 3, 4}));  // margins are the page setup's own business
}

// A DEVNAMES block: the offsets (in characters) of driver, device and output
// names, the default flag, then the names.
std::vector<uint8_t> DevNames(uint16_t deviceOffset, std::u16string_view text) {
  std::vector<uint8_t> block(8, 0);
  block[2] = static_cast<uint8_t>(deviceOffset);
  block[3] = static_cast<uint8_t>(deviceOffset >> 8);
  for (const char16_t c : text) {
    block.push_back(static_cast<uint8_t>(c));
    block.push_back(static_cast<uint8_t>(c >> 8));
  }
  return block;
}

TEST(DevNames, DeviceNameWithinTheBlockOnly) {
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
    std::string name;
  };
  using namespace std::string_literals;  // the names hold their own terminators
  const std::u16string names = u"wineps.drv\0PDF \u30d7\u30ea\u30f3\u30bf\0FILE:\0"s;
  const Case cases[] = {
      {"device after the driver", DevNames(15, names), "PDF プリンタ"},
      {"first name", DevNames(4, names), "wineps.drv"},
      {"offset past the end", DevNames(400, names), ""},
      {"unterminated name", DevNames(4, u"PDF"), ""},
      {"offset inside the header", DevNames(1, u"\0"s), ""},
      {"too short for its offsets", {1, 0, 2}, ""},
      {"empty", {}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DevNamesDevice(c.block), c.name) << c.what;
}

TEST(DialogDevMode, HeldEditedOrAnother) {
  struct Case {
    const char* what;
    bool returned, held, sameHandle;
    const char* dialogPrinter;
    DialogDevMode kind;
  };
  const Case cases[] = {
      {"nothing came back", false, true, false, "", DialogDevMode::kNone},
      {"the first one", true, false, false, "A", DialogDevMode::kOther},
      {"another handle", true, true, false, "A", DialogDevMode::kOther},
      {"the held one", true, true, true, "A", DialogDevMode::kHeldEdited},
      {"the held handle, another printer", true, true, true, "B", DialogDevMode::kOther},
      {"the held handle, no names", true, true, true, "", DialogDevMode::kHeldEdited},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyDialogDevMode(c.returned, c.held, c.sameHandle, "A", c.dialogPrinter), c.kind) << c.what;
}

TEST(PrintDialog, TakesAnotherDevModeEvenWhenCancelledButEditsOnlyWhenConfirmed) {
  struct Case {
    bool confirmed;
    DialogDevMode returned;
    DevModeUpdate update;
  };
  const Case cases[] = {
      {true, DialogDevMode::kOther, {true, false}},     {false, DialogDevMode::kOther, {true, false}},
      {true, DialogDevMode::kHeldEdited, {false, true}}, {false, DialogDevMode::kHeldEdited, {false, false}},
      {true, DialogDevMode::kNone, {false, false}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AfterPrintDialog(c.confirmed, c.returned), c.update)
        << c.confirmed << " " << static_cast<int>(c.returned);
}

TEST(PageSetup, WhatChanges) {
  const PageMargins held{1000, 1000, 1000, 1000}, other{500, 1000, 1000, 1000};
  struct Case {
    const char* what;
    bool confirmed, otherDevMode;
    PageMargins chosen;
    PageSetupOutcome outcome;
  };
  const Case cases[] = {
      {"cancelled", false, true, other, {false, false, false}},
      {"nothing changed: saved only", true, false, held, {false, false, true}},
      {"margins changed", true, false, other, {false, true, true}},
      {"another printer", true, true, held, {true, true, true}},
      {"both", true, true, other, {true, true, true}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecidePageSetup(c.confirmed, c.otherDevMode, held, c.chosen), c.outcome) << c.what;
}

}  // namespace
}  // namespace veilo
