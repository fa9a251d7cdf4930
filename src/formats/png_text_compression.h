#pragma once
// Whether a PNG text entry is worth storing compressed (zTXt) rather than
// plain (tEXt).
#include <string_view>

namespace veilo {

// Deflates the text as zlib's default settings do and reports whether the
// compressed stream is shorter than the text itself. An empty text, or one
// that zlib fails on, is stored plain.
bool TextCompressionPays(std::string_view text);

}  // namespace veilo
