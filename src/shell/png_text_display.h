#pragma once
// PNG text entries as a dialog shows and edits them. The entries hold the
// file's bytes; a dialog shows UTF-8 text as it is and anything else as the
// Japanese system code page, with each line break as the edit control's
// CR LF. An edited text is stored as UTF-8 with the single line feed that
// PNG texts use between lines.
#include <string>
#include <string_view>

namespace veilo {

std::string PngTextForDisplay(std::string_view stored);
std::string PngTextFromEdit(std::string_view edited);

}  // namespace veilo
