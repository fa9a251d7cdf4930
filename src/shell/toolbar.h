#pragma once
// The toolbar table: 27 picture buttons in their fixed order. Row 25 is not
// a button of its own: it is the face of the record button (row 24) while a
// macro is being recorded.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "shell/commands.h"

namespace veilo {

inline constexpr int32_t kToolbarRowCount = 27;
inline constexpr int32_t kRecordRow = 24;
inline constexpr int32_t kRecordStopRow = 25;
inline constexpr int32_t kMacroRunRow = 26;

struct ToolbarRow {
  std::string_view bitmapBase;  // resource name; "_T" and "_F" are appended
  CommandId command;            // the button's child id and the command it sends
  std::string_view shortText;   // built-in tip text
  std::string_view comment;     // built-in message-pane text
  bool needsArea;               // enabled only while a selection area exists
  std::string_view shortKey;    // TOOL BAR key of the short text in the language file
  std::string_view commentKey;  // TOOL BAR key of the comment
  // What a language file that lacks the key gives (empty for most keys).
  std::string_view shortKeyDefault;
  std::string_view commentKeyDefault;
};

std::span<const ToolbarRow> ToolbarTable();

// The row whose texts and picture stand for `row`: row 25 for the record
// button while recording, `row` otherwise.
int32_t FaceRow(int32_t row, bool recording);

// The row whose bitmaps a button is drawn with: as FaceRow, but a disabled
// record button keeps its own face.
int32_t DrawnRow(int32_t row, bool recording, bool enabled);

// Rows that exist as button windows (every row but 25).
bool IsPlacedRow(int32_t row);

// The button row that sends `command` (row 24 for the record command), or -1.
int32_t ToolbarRowForCommand(CommandId command);

// Resource names of the row's bitmaps; the record-stop row has no disabled one.
std::string EnabledBitmapName(int32_t row);
std::string DisabledBitmapName(int32_t row);

}  // namespace veilo
