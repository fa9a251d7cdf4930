#pragma once
// Every key of the language file (veilolng.ini): its section, its name and
// the text used when the file lacks it. Keys without a default read as empty.
// The list is an X-macro so that the enum and the table cannot drift apart.
#include <cstddef>
#include <cstdint>

namespace veilo {

#define VEILO_LANGUAGE_KEYS(X)                                                        \
  /* MENU: the texts of both menus built from the file. */                           \
  X(MenuFile, "MENU", "File", "")                                                     \
  X(MenuOpen, "MENU", "Open", "")                                                     \
  X(MenuSaveOverWrite, "MENU", "SaveOverWrite", "&Save\tCtrl+S")                      \
  X(MenuSaveAs, "MENU", "SaveAs", "Save &As...")                                      \
  X(MenuSlideShow, "MENU", "SlideShow", "Slide Show...\tF11")                         \
  X(MenuProperty, "MENU", "Property", "Property...")                                  \
  X(MenuAbout, "MENU", "About", "")                                                   \
  X(MenuPrint, "MENU", "Print", "Print...\tCtrl+P")                                   \
  X(MenuPageSetup, "MENU", "PageSetup", "Page setup...")                              \
  X(MenuTwainSet, "MENU", "TWAINset", "TWAIN Select...")                              \
  X(MenuTwainRead, "MENU", "TWAINread", "TWAIN Read...\tCtrl+T")                      \
  X(MenuEdit, "MENU", "Edit", "")                                                     \
  X(MenuUndo, "MENU", "Undo", "")                                                     \
  X(MenuRedo, "MENU", "Redo", "")                                                     \
  X(MenuAllUndo, "MENU", "AllUndo", "")                                               \
  X(MenuCopy, "MENU", "Copy", "")                                                     \
  X(MenuPasteN, "MENU", "PasteN", "")                                                 \
  X(MenuTurn, "MENU", "Turn", "")                                                     \
  X(MenuT90, "MENU", "T90", "")                                                       \
  X(MenuT180, "MENU", "T180", "")                                                     \
  X(MenuT270, "MENU", "T270", "")                                                     \
  X(MenuView, "MENU", "View", "")                                                     \
  X(MenuZoomIn, "MENU", "ZoomIn", "")                                                 \
  X(MenuZoomOut, "MENU", "ZoomOut", "")                                               \
  X(MenuQuickZ, "MENU", "QuickZ", "")                                                 \
  X(MenuRealSz, "MENU", "RealSz", "")                                                 \
  X(MenuAllImg, "MENU", "AllImg", "")                                                 \
  X(MenuMask, "MENU", "Mask", "")                                                     \
  X(MenuColR, "MENU", "ColR", "")                                                     \
  X(MenuVrtGls, "MENU", "VrtGls", "")                                                 \
  X(MenuHrzGls, "MENU", "HrzGls", "")                                                 \
  X(MenuChgTB, "MENU", "ChgTB", "")                                                   \
  X(MenuChgRL, "MENU", "ChgRL", "")                                                   \
  X(MenuChgRGB, "MENU", "ChgRGB", "")                                                 \
  X(MenuXor, "MENU", "Xor", "")                                                       \
  X(MenuWinM, "MENU", "WinM", "")                                                     \
  X(MenuMekoP, "MENU", "MekoP", "")                                                   \
  X(MenuMekoM, "MENU", "MekoM", "")                                                   \
  X(MenuFlM, "MENU", "FlM", "")                                                       \
  X(MenuQ0M, "MENU", "Q0M", "")                                                       \
  X(MenuCPM, "MENU", "CPM", "")                                                       \
  X(MenuMacroRec, "MENU", "MacroRec", "Storage of the consecution mask")              \
  X(MenuMacroRun, "MENU", "MacroRun", "Execute of the storage mask\tF12")             \
  X(MenuOpt, "MENU", "Opt", "")                                                       \
  X(MenuJpgOpt, "MENU", "JpgOpt", "")                                                 \
  X(MenuAreaOpt, "MENU", "AreaOpt", "")                                               \
  X(MenuRGBOpt, "MENU", "RGBOpt", "")                                                 \
  X(MenuQ0Opt, "MENU", "Q0Opt", "")                                                   \
  X(MenuWin, "MENU", "Win", "")                                                       \
  X(MenuCcd, "MENU", "Ccd", "")                                                       \
  X(MenuTile, "MENU", "Tile", "")                                                     \
  X(MenuAIcon, "MENU", "AIcon", "")                                                   \
  X(MenuHelp, "MENU", "Help", "")                                                     \
  X(MenuIndex, "MENU", "Index", "")                                                   \
  /* TOOL BAR: short text (tip) and comment (message pane) of each button. */         \
  X(ToolOpen, "TOOL BAR", "Open", "")                                                 \
  X(ToolOpenC, "TOOL BAR", "OpenC", "")                                               \
  X(ToolSaveOverWrite, "TOOL BAR", "SaveOverWrite", "Save")                           \
  X(ToolSaveOverWriteC, "TOOL BAR", "SaveOverWriteC", "Save the Current Picture.")    \
  X(ToolSaveAs, "TOOL BAR", "SaveAs", "Save As")                                      \
  X(ToolSaveAsC, "TOOL BAR", "SaveAsC", "Save the current picture with a new name.")  \
  X(ToolUndo, "TOOL BAR", "Undo", "")                                                 \
  X(ToolUndoC, "TOOL BAR", "UndoC", "")                                               \
  X(ToolRedo, "TOOL BAR", "Redo", "")                                                 \
  X(ToolRedoC, "TOOL BAR", "RedoC", "")                                               \
  X(ToolZoomIn, "TOOL BAR", "ZoomIn", "")                                             \
  X(ToolZoomInC, "TOOL BAR", "ZoomInC", "")                                           \
  X(ToolZoomOut, "TOOL BAR", "ZoomOut", "")                                           \
  X(ToolZoomOutC, "TOOL BAR", "ZoomOutC", "")                                         \
  X(ToolAUp, "TOOL BAR", "AUp", "")                                                   \
  X(ToolAUpC, "TOOL BAR", "AUpC", "")                                                 \
  X(ToolADown, "TOOL BAR", "ADown", "")                                               \
  X(ToolADownC, "TOOL BAR", "ADownC", "")                                             \
  X(ToolALeft, "TOOL BAR", "ALeft", "")                                               \
  X(ToolALeftC, "TOOL BAR", "ALeftC", "")                                             \
  X(ToolARight, "TOOL BAR", "ARight", "")                                             \
  X(ToolARightC, "TOOL BAR", "ARightC", "")                                           \
  X(ToolChgRGB, "TOOL BAR", "ChgRGB", "")                                             \
  X(ToolChgRGBC, "TOOL BAR", "ChgRGBC", "")                                           \
  X(ToolXor, "TOOL BAR", "Xor", "")                                                   \
  X(ToolXorC, "TOOL BAR", "XorC", "")                                                 \
  X(ToolChgTB, "TOOL BAR", "ChgTB", "")                                               \
  X(ToolChgTBC, "TOOL BAR", "ChgTBC", "")                                             \
  X(ToolChgRL, "TOOL BAR", "ChgRL", "")                                               \
  X(ToolChgRLC, "TOOL BAR", "ChgRLC", "")                                             \
  X(ToolColRev, "TOOL BAR", "ColRev", "")                                             \
  X(ToolColRevC, "TOOL BAR", "ColRevC", "")                                           \
  X(ToolVrtGls, "TOOL BAR", "VrtGls", "")                                             \
  X(ToolVrtGlsC, "TOOL BAR", "VrtGlsC", "")                                           \
  X(ToolHrzGls, "TOOL BAR", "HrzGls", "")                                             \
  X(ToolHrzGlsC, "TOOL BAR", "HrzGlsC", "")                                           \
  X(ToolWinM, "TOOL BAR", "WinM", "")                                                 \
  X(ToolWinMC, "TOOL BAR", "WinMC", "")                                               \
  X(ToolMekoM, "TOOL BAR", "MekoM", "")                                               \
  X(ToolMekoMC, "TOOL BAR", "MekoMC", "")                                             \
  X(ToolMekoP, "TOOL BAR", "MekoP", "")                                               \
  X(ToolMekoPC, "TOOL BAR", "MekoPC", "")                                             \
  X(ToolFlM, "TOOL BAR", "FlM", "")                                                   \
  X(ToolFlMC, "TOOL BAR", "FlMC", "")                                                 \
  X(ToolQ0M, "TOOL BAR", "Q0M", "")                                                   \
  X(ToolQ0MC, "TOOL BAR", "Q0MC", "")                                                 \
  X(ToolCPM, "TOOL BAR", "CPM", "")                                                   \
  X(ToolCPMC, "TOOL BAR", "CPMC", "")                                                 \
  X(ToolMacroRec, "TOOL BAR", "MacroRec", "Start the storage of the consecution mask") \
  X(ToolMacroRecC, "TOOL BAR", "MacroRecC", "The storage of the consecution mask is started.") \
  X(ToolMacroRec2, "TOOL BAR", "MacroRec2", "Stop the storage of the consecution mask") \
  X(ToolMacroRec2C, "TOOL BAR", "MacroRec2C", "The storage of the consecution mask is stopped.") \
  X(ToolMacroRun, "TOOL BAR", "MacroRun", "Execute of the storage mask")              \
  X(ToolMacroRunC, "TOOL BAR", "MacroRunC", "The storage of the consecution mask is executed.") \
  /* Dialog texts. */                                                                 \
  X(OpenDlgDef, "OPEN DLG", "Def", "")                                                \
  X(OpenDlgAll, "OPEN DLG", "All", "")                                                \
  X(OpenDlgPreV, "OPEN DLG", "PreV", "")                                              \
  X(AreaDlgStart, "AREA SELECT DLG", "Start", "")                                     \
  X(AreaDlgSize, "AREA SELECT DLG", "Size", "")                                       \
  X(AreaDlgFLChk, "AREA SELECT DLG", "FLChk", "")                                     \
  X(AreaDlgGlass, "AREA SELECT DLG", "Glass", "")                                     \
  X(Q0DlgTitle, "Q0 OPTION DLG", "Title", "")                                         \
  X(Q0DlgQvg, "Q0 OPTION DLG", "Qvg", "")                                             \
  X(Q0DlgQhg, "Q0 OPTION DLG", "Qhg", "")                                             \
  X(Q0DlgQcr, "Q0 OPTION DLG", "Qcr", "")                                             \
  X(Q0DlgQrl, "Q0 OPTION DLG", "Qrl", "")                                             \
  X(Q0DlgQtb, "Q0 OPTION DLG", "Qtb", "")                                             \
  X(Q0DlgQxor, "Q0 OPTION DLG", "Qxor", "")                                           \
  X(RgbDlgTitle, "RGB OPTION DLG", "Title", "")                                       \
  X(RgbDlgRevCol, "RGB OPTION DLG", "RevCol", "")                                     \
  X(RgbDlgXor, "RGB OPTION DLG", "Xor", "")                                           \
  X(RgbDlgRGB, "RGB OPTION DLG", "RGB", "")                                           \
  X(PngDlgMaxCol, "PNG OPTION DLG", "MaxCol", "Max color")                            \
  X(PngDlgReduction, "PNG OPTION DLG", "Reduction", "Reduction of color")             \
  X(PngDlgNoReduce, "PNG OPTION DLG", "NoReduce", "No Reduce")                        \
  X(PngDlg8, "PNG OPTION DLG", "8", "8")                                              \
  X(PngDlg16, "PNG OPTION DLG", "16", "16")                                           \
  X(PngDlg32, "PNG OPTION DLG", "32", "32")                                           \
  X(PngDlg64, "PNG OPTION DLG", "64", "64")                                           \
  X(PngDlg128, "PNG OPTION DLG", "128", "128")                                        \
  X(PngDlg256, "PNG OPTION DLG", "256", "256")                                        \
  X(PngDlgTrans, "PNG OPTION DLG", "Trans", "Transparency")                           \
  X(PngDlgTransCol, "PNG OPTION DLG", "TransCol", "Color")                            \
  X(PngDlgInterlace, "PNG OPTION DLG", "Interlace", "Interlace")                      \
  X(PngDlgTitleSP, "PNG OPTION DLG", "TitleSP", "Select Color by Spoit")              \
  X(PropDlgColorsMore, "PROPERTY DLG", "ColorsMore", "%d colors or more")             \
  X(PropDlgGetColorBtn, "PROPERTY DLG", "GetColorBtn", "True number of Colors")       \
  X(PropDlgColors, "PROPERTY DLG", "Colors", "%u colors")                             \
  X(PropDlgTitle, "PROPERTY DLG", "Title", "Property")                                \
  X(SsHelpKey1, "SS HELP DLG", "Key1", "")                                            \
  X(SsHelpKey1Cmt, "SS HELP DLG", "Key1Cmt", "Next Graphic")                          \
  X(SsHelpKey2, "SS HELP DLG", "Key2", "")                                            \
  X(SsHelpKey2Cmt, "SS HELP DLG", "Key2Cmt", "Previous Graphic")                      \
  X(SsHelpKey3, "SS HELP DLG", "Key3", "'Space' bar")                                 \
  X(SsHelpKey3Cmt, "SS HELP DLG", "Key3Cmt", "Start and Stop of the Self-action display.") \
  X(SsHelpKey4, "SS HELP DLG", "Key4", "'Enter' key")                                 \
  X(SsHelpKey4Cmt, "SS HELP DLG", "Key4Cmt", "Present display picture is captured in Veilo.") \
  X(SsHelpKey5, "SS HELP DLG", "Key5", "'Tab' key")                                   \
  X(SsHelpKey5Cmt, "SS HELP DLG", "Key5Cmt", "Option dialog is displayed.")           \
  X(SsHelpKey6, "SS HELP DLG", "Key6", "'F1', '?' key")                               \
  X(SsHelpKey6Cmt, "SS HELP DLG", "Key6Cmt", "This dialog is displayed.")             \
  X(SsHelpKey7, "SS HELP DLG", "Key7", "'Esc' key")                                   \
  X(SsHelpKey7Cmt, "SS HELP DLG", "Key7Cmt", "Cancel the slide show.")                \
  X(SsHelpKey8, "SS HELP DLG", "Key8", "'Pause' key")                                 \
  X(SsHelpKey8Cmt, "SS HELP DLG", "Key8Cmt",                                          \
    "Stop the slide show. And restart at same place by next slide show.")             \
  X(SsHelpSelFolder, "SS HELP DLG", "SelFolder", "Select of the Slide Show Folder.")  \
  X(SsHelpChkSubFolder, "SS HELP DLG", "ChkSubFolder", "Sub-folder is validated.")    \
  X(SsHelpErrMsg, "SS HELP DLG", "ErrMsg", "There is no valid graphic file.")         \
  X(SsHelpTitle, "SS HELP DLG", "Title", "Usage Slide Show")                          \
  /* ETC: CP code messages and the option dialogs' buttons. */                        \
  X(EtcCPInputErr1, "ETC", "CPInputErr1", "")                                         \
  X(EtcCPInputErr2, "ETC", "CPInputErr2", "")                                         \
  X(EtcCPInputErr3, "ETC", "CPInputErr3", "")                                         \
  X(EtcOK, "ETC", "OK", "&OK")                                                        \
  X(EtcCancel, "ETC", "Cancel", "&Cancel")                                            \
  X(EtcDelete, "ETC", "Delete", "&Delete")                                            \
  X(EtcAdd, "ETC", "Add", "&Add")

enum class LangKey : uint16_t {
#define VEILO_LANGUAGE_KEY_ENUM(name, section, key, fallback) name,
  VEILO_LANGUAGE_KEYS(VEILO_LANGUAGE_KEY_ENUM)
#undef VEILO_LANGUAGE_KEY_ENUM
};

inline constexpr size_t kLanguageKeyCount = 0
#define VEILO_LANGUAGE_KEY_COUNT(name, section, key, fallback) +1
    VEILO_LANGUAGE_KEYS(VEILO_LANGUAGE_KEY_COUNT)
#undef VEILO_LANGUAGE_KEY_COUNT
    ;

struct LanguageKeyInfo {
  const char* section;
  const char* key;
  const char* defaultText;
  uint16_t bufferBytes;  // the value keeps at most bufferBytes - 1 bytes
  bool menuText;         // "\t" in the value becomes a tab
};

const LanguageKeyInfo& InfoOf(LangKey key);

}  // namespace veilo
