#include "tools/print_settings.h"

#include <gtest/gtest.h>

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
