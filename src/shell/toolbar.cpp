#include "shell/toolbar.h"

#include <array>

namespace veilo {

namespace {

constexpr std::array<ToolbarRow, kToolbarRowCount> kRows{{
    {"IDB_BMP_OPEN", cmd::kButtonOpen, "開く", "画像をディスクから読み込む。", false, "Open", "OpenC",
     "", ""},
    {"IDB_BMP_SAVE", cmd::kButtonSave, "上書き保存", "現画像をディスクに上書き保存。", false,
     "SaveOverWrite", "SaveOverWriteC", "Save", "Save the Current Picture."},
    {"IDB_BMP_SAVEAS", cmd::kButtonSaveAs, "名前を付けて保存", "現画像をディスクに名前を付けて保存。",
     false, "SaveAs", "SaveAsC", "Save As", "Save the current picture with a new name."},
    {"IDB_BMP_UNDO", cmd::kButtonUndo, "元に戻す", "直前の動作を元に戻す。", false, "Undo", "UndoC",
     "", ""},
    {"IDB_BMP_REDO", cmd::kButtonRedo, "やり直す", "直前の動作をやり直す。", false, "Redo", "RedoC",
     "", ""},
    {"IDB_BMP_ZIN", cmd::kButtonZoomIn, "Zoom In", "現画像の拡大表示。", false, "ZoomIn", "ZoomInC",
     "", ""},
    {"IDB_BMP_ZOUT", cmd::kButtonZoomOut, "Zoom Out", "現画像の縮小表示。", false, "ZoomOut",
     "ZoomOutC", "", ""},
    {"IDB_BMP_0T", cmd::kButtonAreaUp, "範囲枠上移動", "範囲枠の１ドット上移動", true, "AUp", "AUpC",
     "", ""},
    {"IDB_BMP_0B", cmd::kButtonAreaDown, "範囲枠下移動", "範囲枠の１ドット下移動", true, "ADown",
     "ADownC", "", ""},
    {"IDB_BMP_0L", cmd::kButtonAreaLeft, "範囲枠左移動", "範囲枠の１ドット左移動", true, "ALeft",
     "ALeftC", "", ""},
    {"IDB_BMP_0R", cmd::kButtonAreaRight, "範囲枠右移動", "範囲枠の１ドット右移動", true, "ARight",
     "ARightC", "", ""},
    {"IDB_BMP_RGB", cmd::kButtonRgbExchange, "RGB 入替え", "指定範囲の RGB 値入替え。", true,
     "ChgRGB", "ChgRGBC", "", ""},
    {"IDB_BMP_XOR", cmd::kButtonXor, "XOR 0x80", "指定範囲の XOR 0x80。", true, "Xor", "XorC", "",
     ""},
    {"IDB_BMP_UDCH", cmd::kButtonFlipTopBottom, "上下反転", "指定範囲の上下反転。", true, "ChgTB",
     "ChgTBC", "", ""},
    {"IDB_BMP_RLCH", cmd::kButtonFlipLeftRight, "左右反転", "指定範囲の左右反転。", true, "ChgRL",
     "ChgRLC", "", ""},
    {"IDB_BMP_NPH", cmd::kButtonNegPos, "ネガポジ反転", "指定範囲のネガポジ反転。", true, "ColRev",
     "ColRevC", "", ""},
    {"IDB_BMP_TATEG", cmd::kButtonVerticalGlass, "縦ガラス処理", "指定範囲の縦ガラス処理。", true,
     "VrtGls", "VrtGlsC", "", ""},
    {"IDB_BMP_YOKOG", cmd::kButtonHorizontalGlass, "横ガラス処理", "指定範囲の横ガラス処理。", true,
     "HrzGls", "HrzGlsC", "", ""},
    {"IDB_BMP_WIN", cmd::kButtonWinMask, "WINﾏｽｸ", "指定範囲の WIN マスク。", true, "WinM", "WinMC",
     "", ""},
    {"IDB_BMP_MKM", cmd::kButtonMekoReverse, "逆順メコマスク", "指定範囲の逆順メコマスク処理。", true,
     "MekoM", "MekoMC", "", ""},
    {"IDB_BMP_MKP", cmd::kButtonMekoForward, "正順メコマスク", "指定範囲の正順メコマスク処理。", true,
     "MekoP", "MekoPC", "", ""},
    {"IDB_BMP_FL", cmd::kButtonFlMask, "FLマスク", "指定範囲のＦＬマスク処理。", true, "FlM", "FlMC",
     "", ""},
    {"IDB_BMP_Q0", cmd::kButtonQ0Mask, "Q0マスク", "指定範囲のＱ０マスク処理。", true, "Q0M", "Q0MC",
     "", ""},
    {"IDB_BMP_CP", cmd::kButtonCpMask, "CPマスク", "指定範囲のＣＰマスク処理。", true, "CPM", "CPMC",
     "", ""},
    {"IDB_BMP_MR", cmd::kMacroRecord, "マスク処理の記録開始", "一連のマスク処理の記録を開始する。",
     false, "MacroRec", "MacroRecC", "Start the storage of the consecution mask",
     "The storage of the consecution mask is started."},
    {"IDB_BMP_MR2", cmd::kMacroRecord, "マスク処理の記録停止", "一連のマスク処理の記録を停止する。",
     false, "MacroRec2", "MacroRec2C", "Stop the storage of the consecution mask",
     "The storage of the consecution mask is stopped."},
    {"IDB_BMP_MJ", cmd::kMacroRun, "記録したマスクの実行", "記録した一連のマスク処理を実行する。",
     true, "MacroRun", "MacroRunC", "Execute of the storage mask",
     "The storage of the consecution mask is executed."},
}};

}  // namespace

std::span<const ToolbarRow> ToolbarTable() { return kRows; }

int32_t FaceRow(int32_t row, bool recording) {
  return row == kRecordRow && recording ? kRecordStopRow : row;
}

int32_t DrawnRow(int32_t row, bool recording, bool enabled) {
  return enabled ? FaceRow(row, recording) : row;
}

bool IsPlacedRow(int32_t row) {
  return row >= 0 && row < kToolbarRowCount && row != kRecordStopRow;
}

int32_t ToolbarRowForCommand(CommandId command) {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    if (IsPlacedRow(row) && kRows[static_cast<size_t>(row)].command == command) return row;
  }
  return -1;
}

std::string EnabledBitmapName(int32_t row) {
  if (row < 0 || row >= kToolbarRowCount) return {};
  return std::string(kRows[static_cast<size_t>(row)].bitmapBase) + "_T";
}

std::string DisabledBitmapName(int32_t row) {
  if (!IsPlacedRow(row)) return {};
  return std::string(kRows[static_cast<size_t>(row)].bitmapBase) + "_F";
}

}  // namespace veilo
