#pragma once
// The 48-byte block that carries a document's three CP mask codes inside the
// extended JFIF APP0 segment of the JPEG files we write: three fields of 16
// bytes, one per code slot. Byte j of field i is letter j of code i, encoded
// through substitution alphabet (i, j); a code shorter than 16 letters is
// followed by kCpTerminator and zeros, an empty slot is kCpTerminator and 15
// zeros.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "doc/image_doc.h"

namespace veilo {

inline constexpr size_t kCpBlockSize = kCpSlotCount * kCpCodeMaxLetters;  // 48
inline constexpr uint8_t kCpTerminator = 0x7F;
inline constexpr int kCpAlphabetLetters = 26;
inline constexpr size_t kCpAlphabetCount = kCpSlotCount * kCpCodeMaxLetters;

using CpBlock = std::array<uint8_t, kCpBlockSize>;
using CpAlphabet = std::array<uint8_t, kCpAlphabetLetters>;  // element k encodes 'A' + k
using CpCodeSlots = std::array<CpCode, kCpSlotCount>;

// Alphabet (slot, position) is entry slot * 16 + position. Generated data
// (scripts/make-cp-alphabets.py): 26 distinct values each, never 0x7F or 0.
extern const std::array<CpAlphabet, kCpAlphabetCount> kCpAlphabets;

// Encodes the three slots. A slot's code ends at its first character that is
// not an upper-case letter (normally its terminating zero).
CpBlock EncodeCpBlock(const CpCodeSlots& slots);

// Decodes a block: each field's letters up to the first byte that its
// alphabet does not hold, at most 16; every slot is zero-terminated.
CpCodeSlots DecodeCpBlock(const CpBlock& block);

// The JFIF APP0 segment of the files we write grows from 16 to 64 bytes: the
// block follows the 14 JFIF bytes, so it sits at file offset 20 and the
// library's own output goes on at offset 68.
inline constexpr size_t kJfifFieldsSize = 14;  // "JFIF\0", version, units, densities, thumbnail size
inline constexpr size_t kExtendedJfifPayloadSize = kJfifFieldsSize + kCpBlockSize;  // 62
inline constexpr size_t kCpBlockFileOffset = 20;
inline constexpr size_t kExtendedJfifHeadSize = kCpBlockFileOffset + kCpBlockSize;  // 68

struct JfifFields {
  uint8_t majorVersion = 1;
  uint8_t minorVersion = 1;
  uint8_t densityUnit = 0;
  uint16_t xDensity = 1;
  uint16_t yDensity = 1;
};

// The APP0 payload (after the marker and the length) of the extended segment:
// the JFIF fields as the library writes them, without thumbnail, then the block.
std::array<uint8_t, kExtendedJfifPayloadSize> ExtendedJfifPayload(const JfifFields& fields, const CpBlock& block);

// The block of a file that starts with our extended segment: SOI, an APP0 of
// length 64 holding "JFIF" without a thumbnail. `fileStart` holds the file's
// first bytes; nullopt when there are fewer than 68 or they are another header.
std::optional<CpBlock> FindCpBlock(std::span<const uint8_t> fileStart);

inline bool CpSlotEmpty(const CpCode& code) { return code[0] == '\0'; }

}  // namespace veilo
