#include <gtest/gtest.h>

#include <cstring>

#include "masks/cp_mask.h"

namespace veilo {
namespace {

struct CheckCase {
  const char* typed;
  CpCodeError error;
  int32_t badIndex;
  const char* badCharacter;
  int32_t selectStart, selectEnd;
};

TEST(CheckCpCode, ActsAsTheDialogsOkButton) {
  const CheckCase cases[] = {
      {"ab c", CpCodeError::kNone, -1, "", -1, -1},
      {"ABCDEFGHIJKLMNOP", CpCodeError::kNone, -1, "", -1, -1},          // 16 letters
      {"A B 1", CpCodeError::kBadCharacter, 4, "1", 4, 5},
      {"AB-CD", CpCodeError::kBadCharacter, 2, "-", 2, 3},
      {"x\ty", CpCodeError::kBadCharacter, 1, "\t", 1, 2},
      {"Aあb", CpCodeError::kBadCharacter, 1, "あ", 1, 2},                // the whole character, not a byte
      {"A\xF0\x9F\x98\x80", CpCodeError::kBadCharacter, 1, "\xF0\x9F\x98\x80", 1, 3},  // two UTF-16 units
      {"ABCDEFGHIJKLMNOPQ", CpCodeError::kTooLong, -1, "", 0, -1},      // 17 letters: select all
      {"abcd efgh ijkl mnop q", CpCodeError::kTooLong, -1, "", 0, -1},  // spaces do not count
      {"ABCDEFGHIJKLMNOPQRS1", CpCodeError::kBadCharacter, 19, "1", 19, 20},  // the scan stops first
      {"", CpCodeError::kEmpty, -1, "", -1, -1},
      {"   ", CpCodeError::kEmpty, -1, "", -1, -1},
  };
  for (const auto& c : cases) {
    const CpCodeCheck check = CheckCpCode(c.typed);
    EXPECT_EQ(check.error, c.error) << '"' << c.typed << '"';
    EXPECT_EQ(check.badIndex, c.badIndex) << '"' << c.typed << '"';
    EXPECT_EQ(check.badCharacter, c.badCharacter) << '"' << c.typed << '"';
    EXPECT_EQ(check.selectStart, c.selectStart) << '"' << c.typed << '"';
    EXPECT_EQ(check.selectEnd, c.selectEnd) << '"' << c.typed << '"';
  }
}

TEST(CheckCpCode, NamesTheRefusalInTheDialogsWords) {
  EXPECT_EQ(CpCodeErrorText(CheckCpCode("A B 1")), "アルファベット以外の文字 1 が含まれています。");
  EXPECT_EQ(CpCodeErrorText(CheckCpCode("ABCDEFGHIJKLMNOPQ")), "文字数が16を越えています。");
  EXPECT_EQ(CpCodeErrorText(CheckCpCode("")), "コードパターンを入力してください。");
  EXPECT_EQ(CpCodeErrorText(CheckCpCode("abc")), "");
}

TEST(NormaliseCpCode, KeepsLettersOnlyInUpperCase) {
  EXPECT_EQ(NormaliseCpCode("a b c"), "ABC");
  EXPECT_EQ(NormaliseCpCode("xY-z9"), "XYZ");
  EXPECT_EQ(NormaliseCpCode("あa"), "A");
}

std::string Slot(const ImageDoc& doc, int n) { return doc.cpCodes[static_cast<size_t>(n - 1)].data(); }

TEST(RememberCpCode, FillsTheSlotsInTurnAndWrapsToTheFirst) {
  ImageDoc doc;
  RememberCpCode(doc, "ABC");
  RememberCpCode(doc, "DEF");
  RememberCpCode(doc, "GHI");
  EXPECT_EQ(doc.cpNextSlot, 1);
  RememberCpCode(doc, "JKL");
  EXPECT_EQ(Slot(doc, 1), "JKL");
  EXPECT_EQ(Slot(doc, 2), "DEF");
  EXPECT_EQ(Slot(doc, 3), "GHI");
  EXPECT_EQ(doc.cpNextSlot, 2);

  RememberCpCode(doc, "GHI");  // already remembered: nothing moves
  EXPECT_EQ(Slot(doc, 1), "JKL");
  EXPECT_EQ(Slot(doc, 2), "DEF");
  EXPECT_EQ(Slot(doc, 3), "GHI");
  EXPECT_EQ(doc.cpNextSlot, 2);

  RememberCpCode(doc, "GHIJ");  // comparison is exact, not by prefix
  EXPECT_EQ(Slot(doc, 2), "GHIJ");
}

TEST(RememberCpCode, StartsAtTheFirstEmptySlotOfCodesReadFromAFile) {
  ImageDoc doc;
  std::strcpy(doc.cpCodes[0].data(), "ABC");  // as a JPEG reader leaves them
  RememberCpCode(doc, "ABC");
  EXPECT_EQ(doc.cpNextSlot, 2);  // chosen even though the code was known
  RememberCpCode(doc, "XYZ");
  EXPECT_EQ(Slot(doc, 2), "XYZ");
  EXPECT_EQ(doc.cpNextSlot, 3);

  ImageDoc full;
  for (int n = 0; n < 3; ++n) std::strcpy(full.cpCodes[static_cast<size_t>(n)].data(), n == 0 ? "A" : n == 1 ? "B" : "C");
  RememberCpCode(full, "D");
  EXPECT_EQ(Slot(full, 3), "D");
  EXPECT_EQ(full.cpNextSlot, 1);
}

TEST(RememberCpCode, IgnoresWhatIsNotANormalisedCode) {
  ImageDoc doc;
  for (const char* bad : {"", "abc", "A1", "ABCDEFGHIJKLMNOPQ"}) RememberCpCode(doc, bad);
  EXPECT_EQ(doc.cpNextSlot, 0);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(Slot(doc, n), "");
}

TEST(ClearCpCodes, EmptiesEverySlotAndStartsOver) {
  ImageDoc doc;
  RememberCpCode(doc, "ABC");
  RememberCpCode(doc, "DEF");
  ClearCpCodes(doc);
  EXPECT_EQ(doc.cpNextSlot, 0);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(Slot(doc, n), "");
  RememberCpCode(doc, "GHI");
  EXPECT_EQ(Slot(doc, 1), "GHI");
}

}  // namespace
}  // namespace veilo
