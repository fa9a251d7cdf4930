#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/enabling.h"
#include "shell/toolbar.h"
#include "shell/toolbar_layout.h"
#include "shell/toolbar_texts.h"

namespace veilo {
namespace {

TEST(ToolbarTable, RowsInTheirFixedOrder) {
  const auto rows = ToolbarTable();
  ASSERT_EQ(rows.size(), 27u);
  struct Case {
    int32_t row;
    const char* bitmap;
    CommandId command;
    bool area;
    const char* shortKey;
  };
  const Case cases[] = {
      {0, "IDB_BMP_OPEN", 1000, false, "Open"},      {1, "IDB_BMP_SAVE", 1023, false, "SaveOverWrite"},
      {7, "IDB_BMP_0T", 1018, true, "AUp"},          {10, "IDB_BMP_0R", 1021, true, "ARight"},
      {19, "IDB_BMP_MKM", 1002, true, "MekoM"},      {20, "IDB_BMP_MKP", 1003, true, "MekoP"},
      {23, "IDB_BMP_CP", 1022, true, "CPM"},         {24, "IDB_BMP_MR", 40039, false, "MacroRec"},
      {25, "IDB_BMP_MR2", 40039, false, "MacroRec2"}, {26, "IDB_BMP_MJ", 40040, true, "MacroRun"},
  };
  for (const Case& c : cases) {
    const ToolbarRow& r = rows[static_cast<size_t>(c.row)];
    EXPECT_EQ(r.bitmapBase, c.bitmap) << c.row;
    EXPECT_EQ(r.command, c.command) << c.row;
    EXPECT_EQ(r.needsArea, c.area) << c.row;
    EXPECT_EQ(r.shortKey, c.shortKey) << c.row;
    EXPECT_EQ(r.commentKey, std::string(c.shortKey) + "C") << c.row;
  }
  EXPECT_EQ(rows[10].comment, "範囲枠の１ドット右移動");
}

TEST(ToolbarTable, EveryPlacedButtonHasItsOwnIdAndKeys) {
  std::set<CommandId> ids;
  std::set<std::string_view> keys;
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const ToolbarRow& r = ToolbarTable()[static_cast<size_t>(row)];
    if (IsPlacedRow(row)) {
      EXPECT_TRUE(ids.insert(r.command).second) << row;
    }
    EXPECT_TRUE(keys.insert(r.shortKey).second) << row;
    EXPECT_TRUE(keys.insert(r.commentKey).second) << row;
  }
  EXPECT_EQ(keys.size(), 54u);
  EXPECT_EQ(ToolbarRowForCommand(cmd::kMacroRecord), kRecordRow);
  EXPECT_EQ(ToolbarRowForCommand(cmd::kCopy), -1);
}

TEST(ToolbarTable, RecordStopRowStandsInForTheRecordButtonWhileRecording) {
  EXPECT_EQ(FaceRow(kRecordRow, false), kRecordRow);
  EXPECT_EQ(FaceRow(kRecordRow, true), kRecordStopRow);
  EXPECT_EQ(FaceRow(kMacroRunRow, true), kMacroRunRow);
  EXPECT_EQ(FaceRow(3, true), 3);
  // A disabled record button is drawn with its own disabled bitmap: the
  // stop face has none.
  EXPECT_EQ(DrawnRow(kRecordRow, true, true), kRecordStopRow);
  EXPECT_EQ(DrawnRow(kRecordRow, true, false), kRecordRow);
  EXPECT_FALSE(IsPlacedRow(kRecordStopRow));

  EXPECT_EQ(EnabledBitmapName(kRecordStopRow), "IDB_BMP_MR2_T");
  EXPECT_EQ(DisabledBitmapName(kRecordStopRow), "");
  EXPECT_EQ(EnabledBitmapName(0), "IDB_BMP_OPEN_T");
  EXPECT_EQ(DisabledBitmapName(0), "IDB_BMP_OPEN_F");

  UiSnapshot s;
  s.hasDocument = true;
  s.recording = true;
  EXPECT_EQ(ComputeControlStates(s).recordButtonFace, kRecordStopRow);
}

TEST(ComputeFrameLayout, PlacesChildrenForAnOrdinaryWindow) {
  const FrameLayout l = ComputeFrameLayout(800, 600, {.charWidth = 7, .lineHeight = 16});
  EXPECT_EQ(l.mdiClient, (ChildRect{0, 33, 800, 547}));
  EXPECT_EQ(l.topLine, (ChildRect{0, 0, 800, 2}));
  EXPECT_EQ(l.toolbarStrip, (ChildRect{0, 2, 800, 30}));
  EXPECT_EQ(l.blackLine, (ChildRect{0, 32, 800, 1}));
  EXPECT_EQ(l.zoomPane, (ChildRect{0, 580, 70, 20}));
  EXPECT_EQ(l.messagePane, (ChildRect{72, 580, 558, 20}));
  EXPECT_EQ(l.positionPane, (ChildRect{632, 580, 168, 20}));

  struct Case {
    int32_t row;
    ChildRect rect;
  };
  const Case cases[] = {
      {0, {15, 3, 28, 28}},   {6, {183, 3, 28, 28}},  {7, {211, 3, 28, 14}},
      {8, {211, 17, 28, 14}}, {9, {239, 3, 14, 28}},  {10, {253, 3, 14, 28}},
      {11, {267, 3, 28, 28}}, {23, {603, 3, 28, 28}}, {24, {631, 3, 14, 28}},
      {26, {645, 3, 14, 28}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(l.buttonPlaced[static_cast<size_t>(c.row)]) << c.row;
    EXPECT_EQ(l.buttons[static_cast<size_t>(c.row)], c.rect) << c.row;
  }
  EXPECT_FALSE(l.buttonPlaced[kRecordStopRow]);
}

TEST(ComputeFrameLayout, ButtonsNeverOverlap) {
  const FrameLayout l = ComputeFrameLayout(800, 600, {.charWidth = 7, .lineHeight = 16});
  for (int32_t a = 0; a < kToolbarRowCount; ++a) {
    for (int32_t b = a + 1; b < kToolbarRowCount; ++b) {
      if (!l.buttonPlaced[static_cast<size_t>(a)] || !l.buttonPlaced[static_cast<size_t>(b)]) continue;
      const ChildRect& p = l.buttons[static_cast<size_t>(a)];
      const ChildRect& q = l.buttons[static_cast<size_t>(b)];
      const bool apart = p.x + p.width <= q.x || q.x + q.width <= p.x || p.y + p.height <= q.y ||
                         q.y + q.height <= p.y;
      EXPECT_TRUE(apart) << a << " and " << b;
    }
  }
}

TEST(ComputeFrameLayout, TinyWindowGetsNoNegativeSizes) {
  const FrameLayout l = ComputeFrameLayout(100, 40, {.charWidth = 8, .lineHeight = 16});
  EXPECT_EQ(l.mdiClient, (ChildRect{0, 33, 100, 0}));
  EXPECT_EQ(l.messagePane, (ChildRect{82, 20, 0, 20}));
  EXPECT_EQ(l.positionPane, (ChildRect{-92, 20, 192, 20}));
  // The buttons do not depend on the window size.
  EXPECT_EQ(l.buttons[26], (ChildRect{645, 3, 14, 28}));
}

TEST(ToolbarTexts, BuiltInJapaneseOrTheLanguageFilesWithItsDefaults) {
  const LanguageTexts none = DefaultLanguageTexts();
  EXPECT_EQ(ToolbarTipText(kRecordStopRow, none), "マスク処理の記録停止");
  EXPECT_EQ(ToolbarComment(kRecordStopRow, none), "一連のマスク処理の記録を停止する。");
  LanguageTexts loaded = DefaultLanguageTexts();
  loaded.languageLoaded = true;
  loaded.values[static_cast<size_t>(LangKey::ToolOpen)] = "Open";
  EXPECT_EQ(ToolbarTipText(0, loaded), "Open");
  EXPECT_EQ(ToolbarComment(0, loaded), "");  // no default for OpenC
  EXPECT_EQ(ToolbarTipText(1, loaded), "Save");  // the key's default
  EXPECT_EQ(ToolbarComment(kRecordStopRow, loaded), "The storage of the consecution mask is stopped.");
}

// At 144 DPI every length is one and a half times its 96-DPI value; the font
// is measured at that density already, so its metrics are used as they come.
TEST(ComputeFrameLayout, ScalesEveryLengthWithTheDpi) {
  const FrameLayout l = ComputeFrameLayout(1200, 900, {.charWidth = 10, .lineHeight = 24}, 144);
  EXPECT_EQ(l.mdiClient, (ChildRect{0, 50, 1200, 900 - 24 - 56}));
  EXPECT_EQ(l.topLine, (ChildRect{0, 0, 1200, 3}));
  EXPECT_EQ(l.toolbarStrip, (ChildRect{0, 3, 1200, 45}));
  EXPECT_EQ(l.blackLine, (ChildRect{0, 48, 1200, 2}));
  EXPECT_EQ(l.zoomPane, (ChildRect{0, 900 - 24 - 6, 100, 30}));
  EXPECT_EQ(l.messagePane, (ChildRect{103, 870, 1200 - 340 - 6, 30}));
  EXPECT_EQ(l.buttons[0], (ChildRect{23, 5, 42, 42}));
  // The two half buttons fill one full button between them.
  EXPECT_EQ(l.buttons[7], (ChildRect{23 + 7 * 42, 5, 42, 21}));
  EXPECT_EQ(l.buttons[8], (ChildRect{23 + 7 * 42, 26, 42, 21}));
  EXPECT_EQ(l.buttons[9], (ChildRect{23 + 8 * 42, 5, 21, 42}));
  const TipPlacement tip = PlaceTip({500, 300, 42, 42}, 100, 50, 60, 20, 144);
  EXPECT_EQ(tip.border, (ChildRect{398, 233, 63, 23}));
  EXPECT_EQ(tip.text, (ChildRect{400, 235, 60, 20}));
}

TEST(PlaceTip, SitsTenPixelsAboveTheButtonInsideItsBorder) {
  const TipPlacement tip = PlaceTip({215, 120, 28, 28}, 200, 80, 50, 14);
  EXPECT_EQ(tip.border, (ChildRect{14, 29, 52, 16}));
  EXPECT_EQ(tip.text, (ChildRect{15, 30, 50, 14}));
}

}  // namespace
}  // namespace veilo
