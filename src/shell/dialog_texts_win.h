#pragma once
// Dialog controls whose texts a language file replaces: each dialog lists its
// controls with their texts, and shows the language file's texts when one is
// loaded (otherwise the template's own texts stay).
#include <windows.h>

#include <span>

#include "platform/dialog_win.h"
#include "shell/language_file.h"
#include "shell/texts.h"

namespace veilo {

struct ItemText {
  int id;
  TextId text;
};

inline void SetLanguageItemTexts(HWND dialog, std::span<const ItemText> items, const LanguageTexts& language) {
  if (!language.languageLoaded) return;
  for (const ItemText& item : items) SetItemTextUtf8(dialog, item.id, Text(item.text, language));
}

// The caption likewise: the template's (Japanese) one stays without a language file.
inline void SetLanguageCaption(HWND dialog, TextId text, const LanguageTexts& language) {
  if (language.languageLoaded) SetWindowTextUtf8(dialog, Text(text, language));
}

}  // namespace veilo
