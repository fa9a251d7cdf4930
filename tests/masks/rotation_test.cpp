#include "masks/rotation.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mask_fixture.h"
#include "masks/macro.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeDoc;
using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::PixelOf;
using testing::Rgb;
using testing::SamePixels;
using testing::SelectArea;

// The 3 by 2 picture (a b c) over (d e f), letters in the red channel.
ImageDoc LetterDoc() {
  return MakeDoc(3, 2, [](int32_t x, int32_t y) { return Rgb{static_cast<uint8_t>('a' + 3 * y + x), 0, 0}; });
}

std::vector<std::string> Rows(ImageDoc& doc) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < doc.height; ++y) {
    std::string row;
    for (int32_t x = 0; x < doc.width; ++x) row += static_cast<char>(PixelOf(doc, x, y).r);
    rows.push_back(row);
  }
  return rows;
}

struct TurnCase {
  const char* name;
  int32_t turn;
  std::vector<std::string> rows;
};

class TurnLetters : public ::testing::TestWithParam<TurnCase> {};

TEST_P(TurnLetters, MovesEveryPixel) {
  ImageDoc doc = LetterDoc();
  ASSERT_TRUE(TurnPicture(doc, GetParam().turn));
  EXPECT_EQ(Rows(doc), GetParam().rows);
  EXPECT_EQ(doc.bitCount, 24);
  const DibHeader h = ReadDibHeader(doc.dib.data());
  EXPECT_EQ(h.width, static_cast<uint32_t>(doc.width));
  EXPECT_EQ(h.height, static_cast<uint32_t>(doc.height));
  EXPECT_EQ(doc.dib.size(), kInfoHeaderSize + RowStride24(static_cast<uint32_t>(doc.width)) * doc.height);
}

INSTANTIATE_TEST_SUITE_P(Examples, TurnLetters,
                         ::testing::Values(TurnCase{"Quarter", kTurn90, {"da", "eb", "fc"}},
                                           TurnCase{"ThreeQuarters", kTurn270, {"cf", "be", "ad"}},
                                           TurnCase{"Half", kTurn180, {"fed", "cba"}}),
                         [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(Turn, SelectionCornersFollowThePixels) {
  ImageDoc doc = LetterDoc();
  SelectArea(doc, 1, 0, 3, 1);  // b and c
  ASSERT_TRUE(TurnPicture(doc, kTurn90));
  EXPECT_EQ((std::vector<int32_t>{doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2}),
            (std::vector<int32_t>{2, 1, 1, 3}));
  const PixelRect r = NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2);
  EXPECT_EQ(PixelOf(doc, r.left, r.top).r, 'b');
  EXPECT_EQ(PixelOf(doc, r.left, r.bottom - 1).r, 'c');

  ImageDoc other = LetterDoc();
  SelectArea(other, 1, 0, 3, 1);
  ASSERT_TRUE(TurnPicture(other, kTurn270));
  EXPECT_EQ((std::vector<int32_t>{other.areaX1, other.areaY1, other.areaX2, other.areaY2}),
            (std::vector<int32_t>{0, 2, 1, 0}));
  ASSERT_TRUE(TurnPicture(other, kTurn180));
  EXPECT_EQ((std::vector<int32_t>{other.areaX1, other.areaY1, other.areaX2, other.areaY2}),
            (std::vector<int32_t>{2, 1, 1, 3}));
}

struct ScrollState {
  int32_t hPos, vPos, hMax, vMax;
  friend bool operator==(const ScrollState&, const ScrollState&) = default;
};

ScrollState ScrollOf(const ImageDoc& doc) {
  return {doc.hScrollPos, doc.vScrollPos, doc.hScrollMax, doc.vScrollMax};
}

TEST(Turn, ScrollPositionsFollowThePicture) {
  const struct {
    int32_t turn;
    ScrollState after;
  } cases[] = {
      {kTurn90, {50 - 20, 10, 50, 100}},
      {kTurn270, {20, 100 - 10, 50, 100}},
      {kTurn180, {100 - 10, 50 - 20, 100, 50}},
  };
  for (const auto& c : cases) {
    ImageDoc doc = MakeNoiseDoc(5, 4);
    doc.hScrollPos = 10;
    doc.vScrollPos = 20;
    doc.hScrollMax = 100;
    doc.vScrollMax = 50;
    ASSERT_TRUE(TurnPicture(doc, c.turn));
    EXPECT_EQ(ScrollOf(doc), c.after) << "turn " << c.turn;
  }
}

TEST(Turn, FourQuarterTurnsGiveThePictureBack) {
  // Sizes across several cache tiles, odd and padded row lengths.
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{1, 7}, std::pair{37, 23}, std::pair{70, 101}}) {
    for (int32_t turn : {kTurn90, kTurn270}) {
      ImageDoc doc = MakeNoiseDoc(w, h, static_cast<uint32_t>(w * h));
      ImageDoc original = Copy(doc);
      SelectArea(doc, 0, 1, w, h);
      for (int i = 0; i < 4; ++i) ASSERT_TRUE(TurnPicture(doc, turn));
      EXPECT_TRUE(SamePixels(doc, original)) << w << "x" << h;
      EXPECT_EQ((std::vector<int32_t>{doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2}),
                (std::vector<int32_t>{0, 1, w, h}));
    }
  }
}

TEST(Turn, HalfTurnTwiceGivesThePictureBack) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{6, 5}, std::pair{33, 8}}) {
    ImageDoc doc = MakeNoiseDoc(w, h);
    ImageDoc original = Copy(doc);
    ASSERT_TRUE(TurnPicture(doc, kTurn180));
    ASSERT_TRUE(TurnPicture(doc, kTurn180));
    EXPECT_TRUE(SamePixels(doc, original));
  }
}

TEST(Turn, NothingChangesWhenTheTurnedPictureFindsNoMemory) {
  ImageDoc doc = MakeNoiseDoc(5, 3);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 1, 0, 4, 2);
  doc.hScrollPos = 3;
  doc.vScrollMax = 9;
  const uint8_t* before = doc.dib.data();
  auto noMemory = [](uint32_t, uint32_t) { return PackedDib(); };
  EXPECT_FALSE(TurnPicture(doc, kTurn90, noMemory));
  EXPECT_FALSE(TurnPicture(doc, kTurn270, noMemory));
  EXPECT_EQ(doc.dib.data(), before);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ((std::vector<int32_t>{doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2}),
            (std::vector<int32_t>{1, 0, 4, 2}));
  EXPECT_EQ(ScrollOf(doc), (ScrollState{3, 0, 0, 9}));
}

TEST(Rotate, LiveTurnLogsTellsTheShellAndIsNeverRecorded) {
  MaskFixture f;
  ToggleMacroRecording(f.ctx);
  ImageDoc doc = LetterDoc();
  RotateLive(f.ctx, doc, kTurn90);
  ASSERT_EQ(doc.undoCount(), 1);
  MaskRecord expected;
  expected.opcode = kOpRotate;
  expected.p[0] = kTurn90;
  EXPECT_EQ(doc.undoList[0], expected);
  EXPECT_EQ(f.macro.macroCount, 0);
  EXPECT_EQ(f.shell.overviewRefreshes, 1);
  EXPECT_EQ(f.shell.zoomReapplied, 1);
  EXPECT_EQ(f.shell.waitEntries, 1);
  EXPECT_EQ(f.shell.waitDepth, 0);
}

TEST(Rotate, InverseReplayRestoresPictureSelectionAndScroll) {
  for (int32_t turn : {kTurn90, kTurn180, kTurn270}) {
    MaskFixture f;
    ImageDoc doc = MakeNoiseDoc(9, 4);
    ImageDoc original = Copy(doc);
    SelectArea(doc, 7, 3, 2, 1);
    doc.hScrollPos = 4;
    doc.vScrollPos = 2;
    doc.hScrollMax = 30;
    doc.vScrollMax = 12;
    RotateLive(f.ctx, doc, turn);
    ReplayRotate(f.ctx, doc, doc.undoList[0], Direction::kInverse);
    EXPECT_TRUE(SamePixels(doc, original)) << "turn " << turn;
    EXPECT_EQ((std::vector<int32_t>{doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2}),
              (std::vector<int32_t>{7, 3, 2, 1}));
    EXPECT_EQ(ScrollOf(doc), (ScrollState{4, 2, 30, 12}));
  }
}

TEST(Rotate, InverseTurnExchangesQuarterAndThreeQuarters) {
  EXPECT_EQ(InverseTurn(kTurn90), kTurn270);
  EXPECT_EQ(InverseTurn(kTurn270), kTurn90);
  EXPECT_EQ(InverseTurn(kTurn180), kTurn180);
}

}  // namespace
}  // namespace veilo
