#include "formats/jpeg_cp_block.h"

#include <algorithm>
#include <cstring>

namespace veilo {
namespace {

const CpAlphabet& AlphabetFor(int slot, int position) {
  return kCpAlphabets[static_cast<size_t>(slot * kCpCodeMaxLetters + position)];
}

bool IsCodeLetter(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

CpBlock EncodeCpBlock(const CpCodeSlots& slots) {
  CpBlock block{};
  for (int slot = 0; slot < kCpSlotCount; ++slot) {
    const CpCode& code = slots[static_cast<size_t>(slot)];
    uint8_t* field = block.data() + slot * kCpCodeMaxLetters;
    int position = 0;
    for (; position < kCpCodeMaxLetters && IsCodeLetter(code[static_cast<size_t>(position)]); ++position)
      field[position] = AlphabetFor(slot, position)[static_cast<size_t>(code[static_cast<size_t>(position)] - 'A')];
    if (position < kCpCodeMaxLetters) field[position] = kCpTerminator;
  }
  return block;
}

CpCodeSlots DecodeCpBlock(const CpBlock& block) {
  CpCodeSlots slots{};
  for (int slot = 0; slot < kCpSlotCount; ++slot) {
    CpCode& code = slots[static_cast<size_t>(slot)];
    const uint8_t* field = block.data() + slot * kCpCodeMaxLetters;
    for (int position = 0; position < kCpCodeMaxLetters; ++position) {
      const CpAlphabet& alphabet = AlphabetFor(slot, position);
      int letter = 0;
      while (letter < kCpAlphabetLetters && alphabet[static_cast<size_t>(letter)] != field[position]) ++letter;
      if (letter == kCpAlphabetLetters) break;  // the terminator or a foreign byte ends the code
      code[static_cast<size_t>(position)] = static_cast<char>('A' + letter);
    }
  }
  return slots;
}

std::array<uint8_t, kExtendedJfifPayloadSize> ExtendedJfifPayload(const JfifFields& fields, const CpBlock& block) {
  std::array<uint8_t, kExtendedJfifPayloadSize> payload{};
  const uint8_t head[kJfifFieldsSize] = {
      'J', 'F', 'I', 'F', 0, fields.majorVersion, fields.minorVersion, fields.densityUnit,
      static_cast<uint8_t>(fields.xDensity >> 8), static_cast<uint8_t>(fields.xDensity & 0xFF),
      static_cast<uint8_t>(fields.yDensity >> 8), static_cast<uint8_t>(fields.yDensity & 0xFF),
      0, 0};  // no thumbnail
  std::memcpy(payload.data(), head, kJfifFieldsSize);
  std::copy(block.begin(), block.end(), payload.begin() + kJfifFieldsSize);
  return payload;
}

std::optional<CpBlock> FindCpBlock(std::span<const uint8_t> fileStart) {
  if (fileStart.size() < kExtendedJfifHeadSize) return std::nullopt;
  // SOI, APP0, length 64, "JFIF\0", ..., thumbnail 0 x 0. A JFIF segment of
  // length 64 written by anyone else carries a 4 x 4 thumbnail there instead.
  static constexpr uint8_t kStart[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40, 'J', 'F', 'I', 'F', 0x00};
  if (!std::equal(std::begin(kStart), std::end(kStart), fileStart.begin())) return std::nullopt;
  if (fileStart[18] != 0 || fileStart[19] != 0) return std::nullopt;
  CpBlock block;
  std::copy_n(fileStart.begin() + kCpBlockFileOffset, kCpBlockSize, block.begin());
  return block;
}

}  // namespace veilo
