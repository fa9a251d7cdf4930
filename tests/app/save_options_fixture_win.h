#pragma once
// The save option dialogs driven as a user would: a fixture with a folder of
// pictures written without any dialog, and the small helpers that read
// dialogs and files.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"

namespace veilo::testing {

inline std::vector<uint8_t> FileBytes(const std::string& path) {
  return ReadWholeFile(path, 1u << 26).value_or(std::vector<uint8_t>{});
}

inline bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
inline std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }
// Text as the user types it: the field sends EN_CHANGE as for keystrokes.
inline void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

class SaveOptionsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateDirectoryW(Wide(folder_.Path("pics")).c_str(), nullptr);
  }

  // A picture file in pics/, written without any dialog.
  std::string WriteDoc(const std::string& name, ImageDoc doc) {
    const std::string path = folder_.Path("pics/" + name);
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0) << name;
    return path;
  }

  std::vector<std::string> PicsEntries() {
    std::vector<std::string> names;
    for (const DirectoryEntry& e : ListDirectory(folder_.Path("pics"))) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  // The active document saved under its own name (Ctrl+S).
  void Save() { Command(cmd::kSave); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& b : boxes_) texts.push_back(b.text);
    return texts;
  }
};

}  // namespace veilo::testing
