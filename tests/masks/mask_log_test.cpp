#include "masks/mask_log.h"

#include <gtest/gtest.h>

#include "masks/macro.h"
#include "mask_fixture.h"

namespace veilo {
namespace {

using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::SelectArea;

struct RefreshCase {
  const char* name;
  int32_t zoom, hScroll, vScroll, clientWidth, clientHeight;
  PixelRect image;
  WindowRect expected;
};

class RefreshRectCases : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(RefreshRectCases, MapsZoomScrollAndClientEdge) {
  const RefreshCase& c = GetParam();
  ImageDoc doc;
  doc.zoomPercent = c.zoom;
  doc.hScrollPos = c.hScroll;
  doc.vScrollPos = c.vScroll;
  doc.clientWidth = c.clientWidth;
  doc.clientHeight = c.clientHeight;
  EXPECT_EQ(RefreshRect(doc, c.image), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RefreshRectCases,
    ::testing::Values(
        RefreshCase{"Zoom200", 200, 0, 0, 500, 400, {10, 10, 20, 20}, {19, 19, 42, 42}},
        RefreshCase{"ClientEndsFirst", 200, 0, 0, 30, 35, {10, 10, 20, 20}, {19, 19, 32, 37}},
        RefreshCase{"Scrolled", 100, 5, 7, 500, 400, {10, 10, 20, 20}, {4, 2, 17, 15}},
        RefreshCase{"TopLeftClampsAtZero", 100, 0, 0, 500, 400, {0, 0, 3, 3}, {0, 0, 5, 5}},
        RefreshCase{"ScrolledPastTheArea", 100, 50, 50, 500, 400, {0, 0, 10, 10}, {0, 0, 0, 0}},
        RefreshCase{"Zoom25Truncates", 25, 0, 0, 500, 400, {3, 5, 7, 9}, {0, 0, 3, 4}},
        RefreshCase{"Zoom1600", 1600, 0, 0, 2000000, 2000000, {65000, 1, 65535, 2},
                    {1039999, 15, 1048562, 34}}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(RefreshArea, InvalidatesThenRefreshesTheOverview) {
  MaskFixture f;
  ImageDoc doc;
  doc.zoomPercent = 200;
  doc.clientWidth = 500;
  doc.clientHeight = 400;
  RefreshArea(f.ctx, doc, {10, 10, 20, 20});
  ASSERT_EQ(f.shell.invalidated.size(), 1u);
  EXPECT_EQ(f.shell.invalidated[0], (WindowRect{19, 19, 42, 42}));
  EXPECT_EQ(f.shell.overviewRefreshes, 1);
}

TEST(LogOperation, EnablesUndoOnceAndEmptiesRedo) {
  MaskFixture f;
  ImageDoc doc;
  doc.redoList.push_back(MakeRecord(kOpXor, {0, 0, 1, 1}));
  LogOperation(f.ctx, doc, MakeRecord(kOpNegPos, {0, 0, 2, 2}));
  LogOperation(f.ctx, doc, MakeRecord(kOpWin, {0, 0, 2, 2}));
  EXPECT_EQ(doc.undoCount(), 2);
  EXPECT_EQ(doc.redoCount(), 0);
  EXPECT_EQ(doc.redoList.capacity(), 0u);  // released, not just cleared
  EXPECT_EQ(f.shell.undoStates, std::vector<bool>{true});
  EXPECT_EQ(f.shell.redoStates, std::vector<bool>{false});
  EXPECT_EQ(doc.undoList[1].opcode, kOpWin);
}

TEST(LogOperation, HandsRecordsToTheRecorderOnlyWhileRecording) {
  MaskFixture f;
  ImageDoc doc;
  LogOperation(f.ctx, doc, MakeRecord(kOpNegPos, {0, 0, 2, 2}));
  EXPECT_EQ(f.macro.macroCount, 0);
  ToggleMacroRecording(f.ctx);
  MaskRecord rec = MakeRecord(kOpGlass, {0, 0, 2, 2});
  rec.p[0] = 12;
  LogOperation(f.ctx, doc, rec);
  ASSERT_EQ(f.macro.macroCount, 1);
  EXPECT_EQ(f.macro.entries[0].opcode, kOpGlass);
  EXPECT_EQ(f.macro.entries[0].p[0], 12);
}

TEST(ReplayArea, RecordRectangleNormallyCurrentSelectionWhileAMacroRuns) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(10, 10);
  SelectArea(doc, 6, 7, 2, 3);
  const MaskRecord rec = MakeRecord(kOpXor, {1, 1, 4, 4});
  EXPECT_EQ(ReplayArea(f.ctx, doc, rec), (PixelRect{1, 1, 4, 4}));
  f.macro.running = 1;
  EXPECT_EQ(ReplayArea(f.ctx, doc, rec), (PixelRect{2, 3, 6, 7}));
  doc.areaSelected = 0;
  EXPECT_EQ(ReplayArea(f.ctx, doc, rec), std::nullopt);
}

TEST(MakeRecord, IsZeroFilledApartFromOpcodeAndRectangle) {
  const MaskRecord rec = MakeRecord(kOpQ0, {1, 2, 3, 4});
  MaskRecord expected;
  expected.opcode = 'm';
  expected.left = 1;
  expected.top = 2;
  expected.right = 3;
  expected.bottom = 4;
  EXPECT_EQ(rec, expected);
}

}  // namespace
}  // namespace veilo
