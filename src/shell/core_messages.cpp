#include "shell/core_messages.h"

#include <array>

#include "formats/png_text_list.h"
#include "masks/block_mask_result.h"
#include "masks/mask_log.h"

namespace veilo {

namespace {

struct CoreMessage {
  std::string_view japanese;  // the core's own text
  std::string_view english;
};

// Keyed on the core's constants, so that a reworded Japanese text keeps its English form.
constexpr std::array kCoreMessages = {
    CoreMessage{kMekoTooManyBlocksMessage, "The area is too large\rfor the Meko mask of this version."},
    CoreMessage{kBlockMaskNoMemoryMessage, "There is not enough memory\rto run the mask."},
    CoreMessage{kMaskNoMemoryMessage, "There is not enough memory."},
    CoreMessage{kLogFullMessage, "There is not enough memory:\rthis operation cannot be undone."},
    CoreMessage{kPngEmptyKeyText, "Enter a key."},
    CoreMessage{kPngDuplicateKeyText, "That key already exists."},
};

}  // namespace

std::string_view CoreMessageText(std::string_view message, const LanguageTexts& language) {
  if (!language.languageLoaded) return message;
  for (const CoreMessage& m : kCoreMessages) {
    if (m.japanese == message) return m.english;
  }
  return message;
}

}  // namespace veilo
