#include "shell/settings_place.h"

#include "shell/settings.h"
#include "tools/devmode_file.h"

namespace veilo {

namespace {

std::string In(const std::string& folder, const char* name) { return folder + "\\" + name; }

}  // namespace

SettingsPlace DecideSettingsPlace(const SettingsPlaceFacts& facts) {
  SettingsPlace place;
  if (facts.exeDirWritable || facts.userDataDir.empty()) {
    place.settingsFile = In(facts.exeDir, kSettingsFileName);
    place.settingsReadFrom = place.settingsFile;
    place.printerSettingsFile = In(facts.exeDir, kPrinterSettingsFileName);
    return place;
  }
  place.usesUserData = true;
  place.settingsFile = In(facts.userDataDir, kSettingsFileName);
  place.printerSettingsFile = In(facts.userDataDir, kPrinterSettingsFileName);
  // The user's own files, once they exist, win over what came with the program.
  place.settingsReadFrom = !facts.settingsInUserData && facts.settingsNextToProgram
                               ? In(facts.exeDir, kSettingsFileName)
                               : place.settingsFile;
  if (!facts.printerInUserData && facts.printerNextToProgram)
    place.printerSeedFrom = In(facts.exeDir, kPrinterSettingsFileName);
  return place;
}

}  // namespace veilo
