#include "formats/png_text_list.h"

#include <string>

namespace veilo {
namespace {

// Cuts UTF-8 text to at most maxBytes without splitting a character.
std::string_view CutAtCharacter(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

void AppendPngText(PngTextList& list, std::string_view key, std::string_view text) {
  list.push_back({std::string(key), std::string(text)});
}

void RemovePngText(PngTextList& list, size_t index) {
  if (index >= list.size()) return;
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
  if (list.empty()) FreePngTextList(list);
}

void FreePngTextList(PngTextList& list) { PngTextList().swap(list); }

std::optional<size_t> PngTextSelectionAfterRemove(size_t removed, size_t remaining) {
  if (remaining == 0) return std::nullopt;
  return removed < remaining ? removed : remaining - 1;
}

PngKeyAddResult AddPngTextKey(PngTextList& list, std::string_view key) {
  key = CutAtCharacter(key, kPngKeyMaxLength);
  if (key.empty()) return PngKeyAddResult::kEmptyKey;
  for (const PngTextEntry& e : list)
    if (e.key == key) return PngKeyAddResult::kDuplicateKey;
  AppendPngText(list, key, "");
  return PngKeyAddResult::kAdded;
}

const char* PngKeyAddMessage(PngKeyAddResult result) {
  switch (result) {
    case PngKeyAddResult::kEmptyKey: return kPngEmptyKeyText;
    case PngKeyAddResult::kDuplicateKey: return kPngDuplicateKeyText;
    default: return nullptr;
  }
}

}  // namespace veilo
