#pragma once
// The BMP save entry of the save dispatch: an optional colour reduction to
// 256 or 16 colours before the BMP writer.
#include <cstdint>
#include <functional>
#include <string>

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Colours are counted up to this limit to decide on the option dialog.
inline constexpr uint32_t kBmpColourCountLimit = 300;

// The reduction choices: 0 (none), 256 or 16.
bool IsBmpReduction(int option);

// Reducing to 256 colours is offered only to pictures of more than 256.
bool IsBmp256Offered(uint32_t colourCount);

// The option as the dialog shows it for a picture of `colourCount` colours:
// reducing to 256 is not offered to a picture that has no more than 256, and
// a remembered 256 then becomes 0.
int OfferedBmpReduction(uint32_t colourCount, int option);

// The BMP_OPT dialog: shown with the colour count and the current option,
// which it may change (also when it is cancelled). False = Cancel.
using BmpOptionPrompt = std::function<bool(uint32_t colourCount, int& option)>;

// Writes the document as a BMP file. Pictures of more than 16 colours go
// through `prompt` first; without one the dialog's choice is taken as
// offered. `reductionOption` (the run's BmpReductionOption) then decides:
// 0 writes the picture as it is, 256 or 16 writes its reduction by the
// colour quantiser. Returns nonzero when written, 0 when not (failure or
// Cancel). No message of its own. Shows the wait cursor while it writes.
int SaveBmpWithOptions(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc,
                       int& reductionOption, const BmpOptionPrompt& prompt = {});

// Quantises the picture to at most `colours` (1..256) and writes the result
// with the BMP writer. 1 = written, 0 = failure (memory, quantiser, writer).
int WriteReducedBmp(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc, int colours);

}  // namespace veilo
