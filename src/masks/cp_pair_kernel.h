#pragma once
// The CP mask's exchange of two 8x8 blocks with the processor's byte shuffle:
// each block is read once, transposed in registers if asked, and written to
// the other's place with red and green exchanged and every byte inverted.
#include <cstddef>
#include <cstdint>

namespace veilo {

// a and b are the lowest memory rows of the two blocks (their bottom picture
// rows), the other rows follow at +stride. a == b recolours one block in
// place. False, with nothing changed, when the kernel cannot run here
// (ByteShuffleAvailable() is false); the caller then takes its plain loop.
bool ExchangeCpPair8Shuffled(uint8_t* a, uint8_t* b, size_t stride, bool transpose);

}  // namespace veilo
