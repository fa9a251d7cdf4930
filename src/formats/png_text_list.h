#pragma once
// A document's PNG text entries (key and text), and the rules by which the
// options dialog adds keys.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "doc/image_doc.h"

namespace veilo {

using PngTextList = std::vector<PngTextEntry>;

// PNG keywords are 1 to 79 characters long.
inline constexpr size_t kPngKeyMaxLength = 79;

inline constexpr const char* kPngEmptyKeyText = "キー文字列を入力してください。";
inline constexpr const char* kPngDuplicateKeyText = "すでにそのキーは存在します。";

void AppendPngText(PngTextList& list, std::string_view key, std::string_view text);
// Removes the entry at `index` (nothing when there is none); the later
// entries move down by one. Removing the last entry releases the list.
void RemovePngText(PngTextList& list, size_t index);
void FreePngTextList(PngTextList& list);

// The entry the dialog selects after removing the one at `removed`, with
// `remaining` entries left: the same index, or the new last entry; none when
// the list is empty.
std::optional<size_t> PngTextSelectionAfterRemove(size_t removed, size_t remaining);

enum class PngKeyAddResult { kAdded, kEmptyKey, kDuplicateKey };

// The dialog's add button: appends `key` with an empty text unless the key
// is empty or equals an existing key (exact, case-sensitive). A key longer
// than kPngKeyMaxLength bytes is cut there (at a character boundary).
PngKeyAddResult AddPngTextKey(PngTextList& list, std::string_view key);

// The message for a refused key; null for kAdded.
const char* PngKeyAddMessage(PngKeyAddResult result);

}  // namespace veilo
