// The CP code block: its alphabets, its byte layout, and where it sits in the
// files we write.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "formats/jpeg_cp_block.h"

namespace veilo {
namespace {

CpCode Code(const std::string& letters) {
  CpCode code{};
  std::copy(letters.begin(), letters.end(), code.begin());
  return code;
}

CpCodeSlots Slots(const std::string& a, const std::string& b, const std::string& c) {
  return {Code(a), Code(b), Code(c)};
}

TEST(CpAlphabets, EachHoldsTwentySixDistinctValuesNeverTheTerminatorOrZero) {
  for (size_t i = 0; i < kCpAlphabets.size(); ++i) {
    SCOPED_TRACE(i);
    const std::set<uint8_t> values(kCpAlphabets[i].begin(), kCpAlphabets[i].end());
    EXPECT_EQ(values.size(), 26u);
    EXPECT_EQ(values.count(kCpTerminator), 0u);
    EXPECT_EQ(values.count(0), 0u);
  }
}

TEST(CpBlock, FieldsHoldLettersThenTerminatorThenZeros) {
  const CpBlock block = EncodeCpBlock(Slots("AZ", "", "ABCDEFGHIJKLMNOP"));
  // Slot 1: A and Z through the alphabets of positions 0 and 1, then 0x7F.
  EXPECT_EQ(block[0], kCpAlphabets[0][0]);
  EXPECT_EQ(block[1], kCpAlphabets[1][25]);
  EXPECT_EQ(block[2], kCpTerminator);
  EXPECT_TRUE(std::all_of(block.begin() + 3, block.begin() + 16, [](uint8_t b) { return b == 0; }));
  // Slot 2 empty: terminator and fifteen zeros.
  EXPECT_EQ(block[16], kCpTerminator);
  EXPECT_TRUE(std::all_of(block.begin() + 17, block.begin() + 32, [](uint8_t b) { return b == 0; }));
  // Slot 3: sixteen letters fill the field, no terminator; slot 3 uses its own alphabets.
  for (size_t j = 0; j < 16; ++j) EXPECT_EQ(block[32 + j], kCpAlphabets[32 + j][j]) << j;
}

TEST(CpBlock, CodesSurviveEncodingAndDecoding) {
  const CpCodeSlots cases[] = {
      Slots("", "", ""),
      Slots("A", "Z", "M"),
      Slots("VEILO", "", "QWERTYUIOPASDFGH"),
      Slots("ABCDEFGHIJKLMNO", "ZYXWVUTSRQPONMLK", "CP"),
  };
  for (const CpCodeSlots& slots : cases) {
    SCOPED_TRACE(std::string(slots[0].data()) + "/" + slots[1].data() + "/" + slots[2].data());
    EXPECT_EQ(DecodeCpBlock(EncodeCpBlock(slots)), slots);
  }
}

TEST(CpBlock, ByteOutsideTheAlphabetEndsTheCode) {
  CpBlock block = EncodeCpBlock(Slots("ABCD", "", ""));
  // A value missing from position 2's alphabet (there are 229 such values).
  uint8_t foreign = 1;
  while (std::find(kCpAlphabets[2].begin(), kCpAlphabets[2].end(), foreign) != kCpAlphabets[2].end()) ++foreign;
  block[2] = foreign;
  EXPECT_EQ(DecodeCpBlock(block), Slots("AB", "", ""));
  // A block of zeros (what a zero-filled read gives) holds no codes.
  EXPECT_EQ(DecodeCpBlock(CpBlock{}), Slots("", "", ""));
}

std::vector<uint8_t> ExtendedHead(const CpBlock& block) {
  std::vector<uint8_t> head = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40};
  const auto payload = ExtendedJfifPayload(JfifFields{}, block);
  head.insert(head.end(), payload.begin(), payload.end());
  return head;
}

TEST(CpBlock, FoundOnlyBehindOurExtendedJfifSegment) {
  const CpBlock block = EncodeCpBlock(Slots("VEILO", "", ""));
  const std::vector<uint8_t> head = ExtendedHead(block);
  ASSERT_EQ(head.size(), kExtendedJfifHeadSize);
  EXPECT_EQ(FindCpBlock(head), block);

  struct Variant {
    const char* what;
    size_t offset;
    uint8_t value;
  };
  const Variant refused[] = {
      {"plain 16-byte JFIF segment", 5, 0x10},
      {"another APP segment", 3, 0xE1},
      {"not JFIF", 6, 'X'},
      {"JFIF with a 4x4 thumbnail in place of the block", 18, 4},
      {"no SOI", 1, 0xD9},
  };
  for (const Variant& v : refused) {
    std::vector<uint8_t> changed = head;
    changed[v.offset] = v.value;
    EXPECT_FALSE(FindCpBlock(changed)) << v.what;
  }
  EXPECT_FALSE(FindCpBlock(std::span<const uint8_t>(head.data(), head.size() - 1))) << "file too short";
}

}  // namespace
}  // namespace veilo
