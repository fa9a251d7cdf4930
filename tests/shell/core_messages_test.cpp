#include "shell/core_messages.h"

#include <gtest/gtest.h>

#include "formats/png_text_list.h"
#include "masks/block_mask_result.h"
#include "masks/mask_log.h"

namespace veilo {
namespace {

TEST(CoreMessages, JapaneseWithoutALanguageFileEnglishWithOne) {
  const LanguageTexts japanese = DefaultLanguageTexts();
  LanguageTexts english = DefaultLanguageTexts();
  english.languageLoaded = true;
  struct Case {
    const char* core;
    const char* english;
  };
  const Case cases[] = {
      {kMekoTooManyBlocksMessage, "The area is too large\rfor the Meko mask of this version."},
      {kBlockMaskNoMemoryMessage, "There is not enough memory\rto run the mask."},
      {kMaskNoMemoryMessage, "There is not enough memory."},
      {kLogFullMessage, "There is not enough memory:\rthis operation cannot be undone."},
      {kPngEmptyKeyText, "Enter a key."},
      {kPngDuplicateKeyText, "That key already exists."},
      // Texts the core writes in English anyway, and anything unknown, pass unchanged.
      {"Read Error !", "Read Error !"},
      {"範囲", "範囲"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CoreMessageText(c.core, japanese), c.core);
    EXPECT_EQ(CoreMessageText(c.core, english), c.english);
  }
}

}  // namespace
}  // namespace veilo
