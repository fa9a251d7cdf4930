#include "shell/settings_place_win.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/settings.h"
#include "shell/settings_place.h"
#include "tools/devmode_file.h"

namespace veilo {

namespace {

std::string RoamingUserFolder() {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)) && path)
    folder = Utf8(path);
  CoTaskMemFree(path);
  return folder;
}

}  // namespace

bool CanCreateFilesIn(const std::string& folder) {
  // A name of this process's own, removed by the system as the handle closes.
  const std::wstring probe =
      Wide(folder) + L"\\~veilo-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) +
      L".tmp";
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string PlaceSettingsFiles(AppPaths& paths, const std::string& userDataDir) {
  if (!paths.settingsFile.empty()) {
    if (paths.printerSettingsFile.empty())
      paths.printerSettingsFile = paths.exeDir + "\\" + kPrinterSettingsFileName;
    return paths.settingsFile;
  }
  SettingsPlaceFacts facts;
  facts.exeDir = paths.exeDir;
  facts.exeDirWritable = CanCreateFilesIn(paths.exeDir);
  if (!facts.exeDirWritable) {
    facts.userDataDir = userDataDir;
    if (facts.userDataDir.empty()) {
      const std::string roaming = RoamingUserFolder();
      if (!roaming.empty()) facts.userDataDir = roaming + "\\Veilo";
    }
  }
  const auto exists = [](const std::string& folder, const char* name) {
    return !folder.empty() && FileExists(folder + "\\" + name);
  };
  facts.settingsNextToProgram = exists(facts.exeDir, kSettingsFileName);
  facts.printerNextToProgram = exists(facts.exeDir, kPrinterSettingsFileName);
  facts.settingsInUserData = exists(facts.userDataDir, kSettingsFileName);
  facts.printerInUserData = exists(facts.userDataDir, kPrinterSettingsFileName);

  const SettingsPlace place = DecideSettingsPlace(facts);
  // Failures here cost nothing that staying put would not: the files are then simply not
  // written, as before.
  if (place.usesUserData) SHCreateDirectoryExW(nullptr, Wide(facts.userDataDir).c_str(), nullptr);
  if (!place.printerSeedFrom.empty())
    CopyFileW(Wide(place.printerSeedFrom).c_str(), Wide(place.printerSettingsFile).c_str(), TRUE);
  paths.settingsFile = place.settingsFile;
  if (paths.printerSettingsFile.empty()) paths.printerSettingsFile = place.printerSettingsFile;
  return place.settingsReadFrom;
}

}  // namespace veilo
