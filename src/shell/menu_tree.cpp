#include "shell/menu_tree.h"

#include <utility>

namespace veilo {

namespace {

// Command ids of the menu items.
enum MenuCommand : uint16_t {
  kCascade = 30,
  kTile = 31,
  kArrangeIcons = 32,
  kJpegOptions = 7001,
  kZoomIn = 7002,
  kZoomOut = 7003,
  kNegPos = 7004,
  kAbout = 8000,
  kOpen = 8001,
  kHorizontalGlass = 40004,
  kVerticalGlass = 40005,
  kMekoForward = 40006,
  kMekoReverse = 40007,
  kFlipTopBottom = 40008,
  kFlipLeftRight = 40009,
  kRgbExchange = 40010,
  kXor = 40011,
  kFlMask = 40012,
  kUndo = 40013,
  kRedo = 40014,
  kUndoAll = 40015,
  kQuickZoom = 40016,
  kAreaOptions = 40017,
  kActualSize = 40019,
  kWholeImage = 40020,
  kWinMask = 40021,
  kCopy = 40022,
  kPasteNew = 40023,
  kQ0Mask = 40024,
  kQ0Options = 40025,
  kRgbOptions = 40026,
  kRotate90 = 40027,
  kRotate180 = 40028,
  kRotate270 = 40029,
  kCpMask = 40030,
  kHelpIndex = 40031,
  kProperties = 40033,
  kSaveAs = 40034,
  kSave = 40035,
  kSlideShow = 40036,
  kPrint = 40038,
  kMacroRecord = 40039,
  kMacroRun = 40040,
  kResizePaste = 40042,
  kTwainAcquire = 40044,
  kTwainSelect = 40049,
  kPageSetup = 40052,
};

MenuEntry Item(uint16_t id, std::string text) {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Item;
  entry.id = id;
  entry.text = std::move(text);
  return entry;
}

MenuEntry Separator() {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Separator;
  return entry;
}

MenuEntry Popup(std::string text, std::vector<MenuEntry> children) {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Popup;
  entry.text = std::move(text);
  entry.children = std::move(children);
  return entry;
}

const MenuEntry* FindIn(const std::vector<MenuEntry>& entries, uint16_t id) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntryKind::Item && entry.id == id) return &entry;
    if (entry.kind == MenuEntryKind::Popup) {
      if (const MenuEntry* found = FindIn(entry.children, id)) return found;
    }
  }
  return nullptr;
}

}  // namespace

Menus buildMenus(const LanguageTexts& texts) {
  const auto t = [&](LangKey key) { return std::string(texts.get(key)); };
  const auto windowPopup = [&] {
    return Popup(t(LangKey::MenuWin), {Item(kCascade, t(LangKey::MenuCcd)), Item(kTile, t(LangKey::MenuTile)),
                                       Item(kArrangeIcons, t(LangKey::MenuAIcon))});
  };
  const bool withHelp = !texts.get(LangKey::MenuHelp).empty();
  const auto helpPopup = [&] { return Popup(t(LangKey::MenuHelp), {Item(kHelpIndex, t(LangKey::MenuIndex))}); };

  Menus menus;
  MenuTree& frame = menus.frameMenu;
  frame.popups.push_back(Popup(t(LangKey::MenuFile), {
      Item(kOpen, t(LangKey::MenuOpen)),
      Item(kSlideShow, t(LangKey::MenuSlideShow)),
      Separator(),
      Item(kTwainSelect, t(LangKey::MenuTwainSet)),
      Item(kTwainAcquire, t(LangKey::MenuTwainRead)),
      Separator(),
      Item(kAbout, t(LangKey::MenuAbout)),
  }));
  frame.popups.push_back(Popup(t(LangKey::MenuEdit), {Item(kPasteNew, t(LangKey::MenuPasteN))}));
  frame.popups.push_back(Popup(t(LangKey::MenuOpt), {Item(kJpegOptions, t(LangKey::MenuJpgOpt))}));
  frame.popups.push_back(windowPopup());
  frame.windowPopupIndex = frame.popups.size() - 1;
  if (withHelp) frame.popups.push_back(helpPopup());

  MenuTree& doc = menus.docMenu;
  doc.popups.push_back(Popup(t(LangKey::MenuFile), {
      Item(kOpen, t(LangKey::MenuOpen)),
      Item(kSave, t(LangKey::MenuSaveOverWrite)),
      Item(kSaveAs, t(LangKey::MenuSaveAs)),
      Item(kSlideShow, t(LangKey::MenuSlideShow)),
      Separator(),
      Item(kTwainSelect, t(LangKey::MenuTwainSet)),
      Item(kTwainAcquire, t(LangKey::MenuTwainRead)),
      Separator(),
      Item(kPageSetup, t(LangKey::MenuPageSetup)),
      Item(kPrint, t(LangKey::MenuPrint)),
      Separator(),
      Item(kProperties, t(LangKey::MenuProperty)),
      Separator(),
      Item(kAbout, t(LangKey::MenuAbout)),
  }));
  doc.popups.push_back(Popup(t(LangKey::MenuEdit), {
      Item(kUndo, t(LangKey::MenuUndo)),
      Item(kRedo, t(LangKey::MenuRedo)),
      Separator(),
      Item(kUndoAll, t(LangKey::MenuAllUndo)),
      Separator(),
      Item(kCopy, t(LangKey::MenuCopy)),
      Item(kPasteNew, t(LangKey::MenuPasteN)),
      Separator(),
      Popup(t(LangKey::MenuTurn), {Item(kRotate90, t(LangKey::MenuT90)), Item(kRotate180, t(LangKey::MenuT180)),
                                   Item(kRotate270, t(LangKey::MenuT270))}),
  }));
  doc.popups.push_back(Popup(t(LangKey::MenuView), {
      Item(kZoomIn, t(LangKey::MenuZoomIn)),
      Item(kZoomOut, t(LangKey::MenuZoomOut)),
      Separator(),
      Item(kQuickZoom, t(LangKey::MenuQuickZ)),
      Separator(),
      Item(kActualSize, t(LangKey::MenuRealSz)),
      Item(kWholeImage, t(LangKey::MenuAllImg)),
  }));
  doc.popups.push_back(Popup(t(LangKey::MenuMask), {
      Item(kNegPos, t(LangKey::MenuColR)),
      Item(kVerticalGlass, t(LangKey::MenuVrtGls)),
      Item(kHorizontalGlass, t(LangKey::MenuHrzGls)),
      Item(kFlipTopBottom, t(LangKey::MenuChgTB)),
      Item(kFlipLeftRight, t(LangKey::MenuChgRL)),
      Item(kRgbExchange, t(LangKey::MenuChgRGB)),
      Item(kXor, t(LangKey::MenuXor)),
      Item(kWinMask, t(LangKey::MenuWinM)),
      Item(kMekoForward, t(LangKey::MenuMekoP)),
      Item(kMekoReverse, t(LangKey::MenuMekoM)),
      Item(kFlMask, t(LangKey::MenuFlM)),
      Item(kQ0Mask, t(LangKey::MenuQ0M)),
      Item(kCpMask, t(LangKey::MenuCPM)),
      Separator(),
      Item(kMacroRecord, t(LangKey::MenuMacroRec)),
      Item(kMacroRun, t(LangKey::MenuMacroRun)),
  }));
  doc.popups.push_back(Popup(t(LangKey::MenuOpt), {
      Item(kJpegOptions, t(LangKey::MenuJpgOpt)),
      Item(kAreaOptions, t(LangKey::MenuAreaOpt)),
      Item(kQ0Options, t(LangKey::MenuQ0Opt)),
      Item(kRgbOptions, t(LangKey::MenuRGBOpt)),
  }));
  doc.popups.push_back(windowPopup());
  doc.windowPopupIndex = doc.popups.size() - 1;
  if (withHelp) doc.popups.push_back(helpPopup());
  return menus;
}

// The built-in menus carry the key of each accelerator after a tab, as the
// language file's defaults do.
MenuTree BuiltInFrameMenu() {
  MenuTree tree;
  tree.popups.push_back(Popup("ファイル(&F)", {
      Item(kOpen, "開く(&O)...\tCtrl+O"),
      Item(kSlideShow, "スライドショウ(&L)...\tF11"),
      Separator(),
      Item(kTwainSelect, "TWAIN ソースの選択(&W)..."),
      Item(kTwainAcquire, "TWAIN 読み込み(&T)...\tCtrl+T"),
      Separator(),
      Item(kAbout, "バージョン情報(&B)..."),
  }));
  tree.popups.push_back(Popup("編集(&E)", {Item(kPasteNew, "新イメージとして貼り付け(&P)")}));
  tree.popups.push_back(Popup("オプション(&O)", {Item(kJpegOptions, "JPEG オプション(&J)...")}));
  tree.popups.push_back(Popup("ウィンドウ(&W)", {
      Item(kCascade, "重ねて表示(&C)"),
      Item(kTile, "並べて表示(&T)"),
      Item(kArrangeIcons, "アイコンの整列(&A)"),
  }));
  tree.windowPopupIndex = 3;
  tree.popups.push_back(Popup("ヘルプ(&H)", {Item(kHelpIndex, "Veilo Help")}));
  return tree;
}

MenuTree BuiltInDocumentMenu() {
  MenuTree tree;
  tree.popups.push_back(Popup("ファイル(&F)", {
      Item(kOpen, "開く(&O)...\tCtrl+O"),
      Item(kSave, "上書き保存(&S)...\tCtrl+S"),
      Item(kSaveAs, "名前を付けて保存(&A)..."),
      Item(kSlideShow, "スライドショウ(&L)...\tF11"),
      Separator(),
      Item(kTwainSelect, "TWAIN ソースの選択(&W)..."),
      Item(kTwainAcquire, "TWAIN 読み込み(&T)...\tCtrl+T"),
      Separator(),
      Item(kPageSetup, "ページ設定..."),
      Item(kPrint, "印刷(&P)...\tCtrl+P"),
      Separator(),
      Item(kProperties, "プロパティ"),
      Separator(),
      Item(kAbout, "バージョン情報(&B)..."),
  }));
  tree.popups.push_back(Popup("編集(&E)", {
      Item(kUndo, "元に戻す(&U)\tCtrl+Z"),
      Item(kRedo, "やり直し(&R)\tCtrl+Y"),
      Separator(),
      Item(kUndoAll, "すべてのコマンド取消し(&A)\tCtrl+A"),
      Separator(),
      Item(kCopy, "コピー(&C)\tCtrl+C"),
      Item(kPasteNew, "新イメージとして貼り付け(&P)"),
      Item(kResizePaste, "拡大・縮小して新イメージへ貼り付け..."),
      Separator(),
      Popup("回転(&T)", {Item(kRotate90, "90ﾟ\tCtrl+F1"), Item(kRotate180, "180ﾟ\tCtrl+F2"),
                        Item(kRotate270, "270ﾟ\tCtrl+F3")}),
  }));
  tree.popups.push_back(Popup("表示(&V)", {
      Item(kZoomIn, "Zoom I&n\tF3"),
      Item(kZoomOut, "Zoom &Out\tF4"),
      Separator(),
      Item(kQuickZoom, "&Quick Zoom...\tShift+F1"),
      Separator(),
      Item(kActualSize, "実サイズ(&V)"),
      Item(kWholeImage, "イメージ全体(&W)\tShift+F2"),
  }));
  tree.popups.push_back(Popup("マスク(&M)", {
      Item(kNegPos, "色反転\tF5"),
      Item(kVerticalGlass, "縦ガラス\tF6"),
      Item(kHorizontalGlass, "横ガラス\tF7"),
      Item(kFlipTopBottom, "上下反転\tShift+F5"),
      Item(kFlipLeftRight, "左右反転\tShift+F6"),
      Item(kRgbExchange, "RGB入替え\tShift+F7"),
      Item(kXor, "XOR 処理\tShift+F8"),
      Item(kWinMask, "WINﾏｽｸ\tShift+F9"),
      Item(kMekoForward, "正順ﾒｺﾏｽｸ\tF8"),
      Item(kMekoReverse, "逆順ﾒｺﾏｽｸ\tF9"),
      Item(kFlMask, "FLマスク\tF10"),
      Item(kQ0Mask, "Q0マスク\tShift+F10"),
      Item(kCpMask, "CPマスク...\tCtrl+F10"),
      Separator(),
      Item(kMacroRecord, "一連のマスク処理を記録"),
      Item(kMacroRun, "記録されたマスクの実行\tF12"),
  }));
  tree.popups.push_back(Popup("オプション(&O)", {
      Item(kJpegOptions, "JPEG オプション(&J)..."),
      Item(kAreaOptions, "範囲選択..."),
      Item(kQ0Options, "Q0マスク オプション..."),
      Item(kRgbOptions, "RGB オプション..."),
  }));
  tree.popups.push_back(Popup("ウィンドウ(&W)", {
      Item(kCascade, "重ねて表示(&C)"),
      Item(kTile, "並べて表示(&T)"),
      Item(kArrangeIcons, "アイコンの整列(&A)"),
  }));
  tree.windowPopupIndex = 5;
  tree.popups.push_back(Popup("ヘルプ(&H)", {Item(kHelpIndex, "Veilo Help")}));
  return tree;
}

Menus MenusFor(const LanguageTexts& texts) {
  if (texts.languageLoaded) return buildMenus(texts);
  return Menus{BuiltInFrameMenu(), BuiltInDocumentMenu()};
}

const MenuEntry* FindMenuItem(const MenuTree& tree, uint16_t id) { return FindIn(tree.popups, id); }

}  // namespace veilo
