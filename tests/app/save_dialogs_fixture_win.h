#pragma once
// The GIF and PNG option dialogs driven through the document window's save:
// reading the written files, picking a colour with the spoit behind a
// swatch, and the fixture that opens the dialogs.
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "formats/gif_reader.h"
#include "formats/png_colour_mode.h"
#include "formats/png_reader.h"
#include "modal_driver_win.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "view/spoit.h"
#include "view/spoit_win.h"

namespace veilo::testing {

using Colour = std::array<uint8_t, 3>;

inline std::string Bytes(const std::string& path) {
  std::ifstream in(Wide(path).c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The PNG's chunks by type (the first of each), their data only.
inline std::map<std::string, std::string> PngChunks(const std::string& file) {
  std::map<std::string, std::string> chunks;
  for (size_t at = 8; at + 12 <= file.size();) {
    const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(file[at + i])); };
    const uint32_t length = b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
    if (at + 12 + length > file.size()) break;
    chunks.emplace(file.substr(at + 4, 4), file.substr(at + 8, length));
    at += 12 + length;
  }
  return chunks;
}

inline Colour ColourAt(const std::string& bytes, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[at + i]); };
  return {byte(0), byte(1), byte(2)};
}

inline Colour DocRgb(ImageDoc& doc, int32_t x, int32_t y) {
  const Rgb p = PixelOf(doc, x, y);
  return {p.r, p.g, p.b};
}

// A pick with the spoit that the dialog's swatch opens: the swatch is
// clicked, and a thread timer ticking in the spoit's own loop clicks picture
// pixel (x, y) at magnification 1. A spoit still open after the time limit
// is closed and the run reported.
struct SpoitPick {
  int x = 0, y = 0;
  bool done = false, timedOut = false;
  ULONGLONG deadline = 0;
  UINT_PTR timer = 0;
};
inline SpoitPick* pick = nullptr;

inline void CALLBACK PickTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!pick || pick->done) return;
  const HWND picker = FindWindowW(kSpoitPickerClass, nullptr);
  const HWND view = picker ? FindWindowExW(picker, nullptr, L"SpoitWin", nullptr) : nullptr;
  if (GetTickCount64() > pick->deadline) {
    pick->timedOut = pick->done = true;
    if (picker) PostMessageW(picker, WM_CLOSE, 0, 0);
    return;
  }
  if (!view) return;
  SendMessageW(GetDlgItem(picker, kSpoitFirstRadioId), BM_CLICK, 0, 0);  // x 1, whatever was used last
  const LPARAM at = MAKELPARAM(pick->x - GetScrollPos(view, SB_HORZ), pick->y - GetScrollPos(view, SB_VERT));
  SendMessageW(view, WM_MOUSEMOVE, 0, at);
  SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
  pick->done = true;
  SendMessageW(view, WM_LBUTTONUP, 0, at);
}

// Two driver steps: click the swatch, then wait until the spoit has picked and closed.
inline std::vector<ModalDriver::Step> PickWithSpoit(SpoitPick& p, int swatchId, int x, int y) {
  return {[&p, swatchId, x, y](HWND d) {
            p = SpoitPick{x, y, false, false, GetTickCount64() + 6000, 0};
            pick = &p;
            p.timer = SetTimer(nullptr, 0, 30, PickTick);
            PostMessageW(GetDlgItem(d, swatchId), BM_CLICK, 0, 0);
            return true;
          },
          [&p](HWND) {
            if (!p.done) return false;
            KillTimer(nullptr, p.timer);
            pick = nullptr;
            return true;
          }};
}

inline ModalDriver::Step Click(int id) {
  return [id](HWND d) {
    ClickItem(d, id);
    return true;
  };
}

inline std::vector<ModalDriver::Step> Join(std::vector<std::vector<ModalDriver::Step>> parts) {
  std::vector<ModalDriver::Step> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class SaveDialogsBase : public AppTest {
 protected:
  // Saves the active document with Save (Ctrl+S's command) while the driver answers its dialog.
  void SaveWith(std::vector<ModalDriver::Step> steps) {
    ModalDriver driver(std::move(steps));
    Command(cmd::kSave);
    EXPECT_TRUE(driver.Finished()) << "the dialog had to be closed by the test";
    EXPECT_EQ(ActiveDialogBox(), nullptr);
  }

  static ImageDoc Load(const std::string& path) {
    ImageDoc doc;
    doc.path = path;
    RecordingShell shell;
    EXPECT_EQ(LoadImageFile(shell, doc), 0) << path;
    return doc;
  }
  // The colour in the middle of the swatch button as painted.
  static Colour SwatchMiddle(HWND dialog, int id) {
    const HWND swatch = GetDlgItem(dialog, id);
    RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int32_t w = 0, h = 0;
    const std::vector<uint32_t> pixels = CaptureClient(swatch, w, h);
    if (pixels.empty()) return {};
    const uint32_t c = pixels[static_cast<size_t>(h / 2 * w + w / 2)];
    return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
  }
};

class SaveDialogsTest : public SaveDialogsBase {
 protected:
  void SetUp() override {
    SaveDialogsBase::SetUp();
    Start();
  }
};

class SaveDialogsLanguageTest : public SaveDialogsBase {
 protected:
  void SetUp() override {
    SaveDialogsBase::SetUp();
    Start("[PNG OPTION DLG]\r\nInterlace=Interlaced\r\n[ETC]\r\nCancel=&Stop\r\n");
  }
};


}  // namespace veilo::testing
