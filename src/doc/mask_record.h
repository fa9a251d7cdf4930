#pragma once
// One logged operation: opcode letter, normalised rectangle, nine parameters
// and a 20-byte code text. The layout is fixed: 19 signed 32-bit words.
#include <array>
#include <cstdint>

namespace veilo {

enum Opcode : int32_t {
  kOpMeko = 'e',
  kOpNegPos = 'f',
  kOpExchange = 'g',
  kOpGlass = 'h',
  kOpFlip = 'i',
  kOpXor = 'j',
  kOpFl = 'k',
  kOpWin = 'l',
  kOpQ0 = 'm',
  kOpRotate = 'n',
  kOpCp = 'o',
};

struct MaskRecord {
  int32_t opcode = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::array<int32_t, 9> p{};     // p[0] is p1 ... p[8] is p9
  std::array<char, 20> code{};    // zero-terminated; CP mask only
  friend bool operator==(const MaskRecord&, const MaskRecord&) = default;
};
static_assert(sizeof(MaskRecord) == 19 * 4, "MaskRecord is 19 32-bit words");

enum class Direction { kForward, kInverse };

}  // namespace veilo
