#include <gtest/gtest.h>

#include <string>

#include "doc/generated_names.h"
#include "doc/title_table.h"

namespace veilo {
namespace {

TEST(TitleTable, OneDocumentKeepsThePlainName) {
  TitleTable table;
  const auto a = table.Register("photo.bmp", 10);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->serial, 1);
  EXPECT_EQ(a->caption, "photo.bmp");
  EXPECT_TRUE(a->updates.empty());
  const auto b = table.Register("other.bmp", 11);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->serial, 2);
  EXPECT_EQ(b->caption, "other.bmp");
}

TEST(TitleTable, SameFileThreeTimesThenClosing) {
  TitleTable table;
  const auto first = table.Register("a.bmp", 1);
  const auto second = table.Register("a.bmp", 2);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(second->caption, "a.bmp :2");
  // The first window is renamed when the second arrives.
  EXPECT_EQ(second->updates, (std::vector<CaptionUpdate>{{1, "a.bmp :1"}}));
  const auto third = table.Register("a.bmp", 3);
  ASSERT_TRUE(third);
  EXPECT_EQ(third->caption, "a.bmp :3");
  EXPECT_TRUE(third->updates.empty());

  // Closing the second renumbers the third.
  EXPECT_EQ(table.Release(second->serial), (std::vector<CaptionUpdate>{{3, "a.bmp :2"}}));
  EXPECT_EQ(table.CaptionOf(third->serial), "a.bmp :2");
  EXPECT_EQ(table.CaptionOf(first->serial), "a.bmp :1");
  // Closing one more leaves the last with the plain name.
  EXPECT_EQ(table.Release(first->serial), (std::vector<CaptionUpdate>{{3, "a.bmp"}}));
  EXPECT_EQ(table.CaptionOf(third->serial), "a.bmp");
  // And the next one of that name starts the numbering again.
  const auto again = table.Register("a.bmp", 4);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->caption, "a.bmp :2");
  EXPECT_EQ(again->updates, (std::vector<CaptionUpdate>{{3, "a.bmp :1"}}));
}

TEST(TitleTable, ClosingTheNewestOfTwoRestoresThePlainName) {
  TitleTable table;
  const auto first = table.Register("x", 1);
  const auto second = table.Register("x", 2);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(table.Release(second->serial), (std::vector<CaptionUpdate>{{1, "x"}}));
  EXPECT_EQ(table.UsedCount(), 1u);
}

TEST(TitleTable, NamesAreCaseSensitive) {
  TitleTable table;
  ASSERT_TRUE(table.Register("Photo.bmp", 1));
  const auto lower = table.Register("photo.bmp", 2);
  ASSERT_TRUE(lower);
  EXPECT_EQ(lower->caption, "photo.bmp");
  EXPECT_TRUE(lower->updates.empty());
  // UTF-8 names compare byte for byte too.
  ASSERT_TRUE(table.Register("写真.bmp", 3));
  const auto same = table.Register("写真.bmp", 4);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->caption, "写真.bmp :2");
}

TEST(TitleTable, ReleasingOtherNamesOrUnknownSerialsChangesNothing) {
  TitleTable table;
  const auto a1 = table.Register("a", 1);
  const auto a2 = table.Register("a", 2);
  const auto b = table.Register("b", 3);
  ASSERT_TRUE(a1 && a2 && b);
  EXPECT_TRUE(table.Release(b->serial).empty());
  EXPECT_TRUE(table.Release(0).empty());
  EXPECT_TRUE(table.Release(9999).empty());
  EXPECT_TRUE(table.Release(b->serial).empty()) << "a second release of the same serial";
  EXPECT_EQ(table.CaptionOf(a2->serial), "a :2");
  EXPECT_EQ(table.UsedCount(), 2u);
}

TEST(TitleTable, RefusesTheHundredAndSecondDocument) {
  TitleTable table;
  int32_t lastSerial = 0;
  for (size_t i = 0; i < TitleTable::kCapacity; ++i) {
    const auto r = table.Register("same", static_cast<WindowRef>(i + 1));
    ASSERT_TRUE(r) << i;
    lastSerial = r->serial;
  }
  EXPECT_EQ(table.CaptionOf(lastSerial), "same :101");
  EXPECT_FALSE(table.Register("same", 500));
  EXPECT_FALSE(table.Register("different", 501));
  EXPECT_EQ(table.UsedCount(), TitleTable::kCapacity);
  // A freed entry is taken again.
  table.Release(lastSerial);
  const auto r = table.Register("other", 502);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->caption, "other");
}

TEST(MaximisedFrameCaption, JoinsTheFramesTitleAndTheDocumentsCaption) {
  EXPECT_EQ(MaximisedFrameCaption("VEILO", "photo.jpg :2"), "VEILO - [photo.jpg :2]");
  EXPECT_EQ(MaximisedFrameCaption("VEILO", "写真.png"), "VEILO - [写真.png]");
  EXPECT_EQ(MaximisedFrameCaption("VEILO", ""), "VEILO");
}

TEST(GeneratedNames, EachKindCountsOnItsOwn) {
  GeneratedNames names;
  EXPECT_EQ(names.NextClipboardName(), "CB001");
  EXPECT_EQ(names.NextNewImageName(), "NewImage001");
  EXPECT_EQ(names.NextScanName(), "TWAIN000");
  EXPECT_EQ(names.NextClipboardName(), "CB002");
  EXPECT_EQ(names.NextScanName(), "TWAIN001");
  EXPECT_EQ(names.NextNewImageName(), "NewImage002");
  for (int i = 3; i < 1000; ++i) names.NextClipboardName();
  EXPECT_EQ(names.NextClipboardName(), "CB1000");
}

}  // namespace
}  // namespace veilo
