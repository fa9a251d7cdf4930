#pragma once
// Numbers typed into dialog fields, read the way the C library reads them:
// "%d" takes a leading decimal number (after blanks, with an optional sign)
// and ignores what follows; atof takes a leading floating-point number and
// gives 0 for text without one.
#include <cstdint>
#include <optional>
#include <string_view>

namespace veilo {

// The leading decimal number of `text`, or nullopt when it has none. Values
// beyond the range of int64_t come back as its limits.
std::optional<int64_t> LeadingInteger(std::string_view text);

// The leading floating-point number of `text` as atof reads it in the "C"
// locale; 0 when there is none.
double LeadingFloat(std::string_view text);

}  // namespace veilo
