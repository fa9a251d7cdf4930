// Where the settings and the printer settings go: next to the program while its folder can be
// written (a portable copy), in the user's own folder when it cannot (an installed copy).
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/settings_place_win.h"

namespace veilo::testing {
namespace {

using SettingsPlaceTest = AppTest;

void WriteFile(const std::string& path, const std::string& text) {
  FilePtr file = OpenFile(path, "wb");
  ASSERT_TRUE(file) << path;
  ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
}

std::string ReadText(const std::string& path) {
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, 1 << 20);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(missing)");
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const DirectoryEntry& e : ListDirectory(folder)) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

// A folder that nobody may write while this lives, the way a program folder is for a normal
// user. The tests run under Wine, where the folder is a Unix one: its write permissions are
// taken away there, and for root (whom permissions do not stop) it is also made immutable.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& folder) : unixPath_(UnixPath(folder)) {
    locked_ = !unixPath_.empty() &&
              Run("if [ \"$(id -u)\" = 0 ]; then chattr +i \"$1\"; else chmod a-w \"$1\"; fi");
  }
  ~ReadOnlyFolder() {
    if (locked_) Run("chattr -i \"$1\" 2>/dev/null; chmod u+w \"$1\"");
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  bool locked() const { return locked_; }

 private:
  static std::string UnixPath(const std::string& folder) {
    using ToUnix = char*(__cdecl*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* path = toUnix(Wide(folder).c_str());
    if (!path) return {};
    std::string result(path);
    HeapFree(GetProcessHeap(), 0, path);
    return result;
  }

  // Runs a shell line on the Unix side with the folder as $1; true when it ran and succeeded.
  bool Run(const char* line) const {
    using Spawn = LONG(WINAPI*)(char* const argv[], int wait);
    const auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn) return false;
    std::string sh = "/bin/sh", c = "-c", script = line, name = "sh", folder = unixPath_;
    char* const argv[] = {sh.data(), c.data(), script.data(), name.data(), folder.data(), nullptr};
    return spawn(argv, TRUE) == 0;
  }

  std::string unixPath_;
  bool locked_ = false;
};

constexpr char kStartingSettings[] = "[veilo by Kestrani]\r\nAreaUnit=16 1\r\n";
constexpr char kPrinterBytes[] = "a printer's settings";

TEST_F(SettingsPlaceTest, AnInstalledCopyKeepsBothFilesInTheUsersFolderAndReadsThemBackNextTime) {
  userDataDir_ = folder_.Path("appdata") + "\\Veilo";  // not there yet: the program makes it
  WriteFile(exeDir_ + "\\veilo.ini", kStartingSettings);
  WriteFile(exeDir_ + "\\devmode.prt", kPrinterBytes);
  ReadOnlyFolder readOnly(exeDir_);
  if (!readOnly.locked() || CanCreateFilesIn(exeDir_))
    GTEST_SKIP() << "the program folder could not be made read-only here";

  // First start: the files that came with the program are the starting values.
  Start();
  EXPECT_EQ(app().options.areaStartUnit, 16);
  EXPECT_EQ(app().paths.settingsFile, userDataDir_ + "\\veilo.ini");
  EXPECT_EQ(app().paths.printerSettingsFile, userDataDir_ + "\\devmode.prt");
  EXPECT_EQ(ReadText(userDataDir_ + "\\devmode.prt"), kPrinterBytes);
  app().options.mask.glassBoxSize = 12;
  SendMessageW(frame(), WM_CLOSE, 0, 0);
  Pump();
  const std::string written = ReadText(userDataDir_ + "\\veilo.ini");
  EXPECT_NE(written.find("GRSBoxSZ=12"), std::string::npos) << written;
  EXPECT_NE(written.find("AreaUnit=16 1"), std::string::npos) << written;
  // The program folder is as the installer left it: no probe file, no settings written there.
  EXPECT_EQ(ReadText(exeDir_ + "\\veilo.ini"), kStartingSettings);
  EXPECT_EQ(Names(exeDir_), (std::vector<std::string>{"devmode.prt", "veilo.ini"}));
  ShutdownApp();
  Pump(10, 1000);

  // Next start: what the user changed comes back from the user's folder.
  Start();
  EXPECT_EQ(app().options.mask.glassBoxSize, 12);
  EXPECT_EQ(app().options.areaStartUnit, 16);
}

TEST_F(SettingsPlaceTest, APortableCopyKeepsBothFilesNextToTheProgram) {
  // Even when an installed copy of the same user has its files in the user's folder.
  userDataDir_ = folder_.Path("appdata");
  CreateDirectoryW(Wide(userDataDir_).c_str(), nullptr);
  const std::string userSettings = "[veilo by Kestrani]\r\nAreaUnit=1 1\r\n";
  WriteFile(userDataDir_ + "\\veilo.ini", userSettings);
  EXPECT_TRUE(CanCreateFilesIn(exeDir_));
  Start({}, kStartingSettings);
  EXPECT_EQ(app().options.areaStartUnit, 16);
  EXPECT_EQ(app().paths.settingsFile, exeDir_ + "\\veilo.ini");
  EXPECT_EQ(app().paths.printerSettingsFile, exeDir_ + "\\devmode.prt");
  app().options.mask.glassBoxSize = 12;
  SendMessageW(frame(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_NE(ReadText(exeDir_ + "\\veilo.ini").find("GRSBoxSZ=12"), std::string::npos);
  EXPECT_EQ(ReadText(userDataDir_ + "\\veilo.ini"), userSettings);
  EXPECT_EQ(Names(exeDir_), std::vector<std::string>{"veilo.ini"});  // the probe left nothing
}

}  // namespace
}  // namespace veilo::testing
