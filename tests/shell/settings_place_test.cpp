#include "shell/settings_place.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

constexpr char kExe[] = "C:\\Program Files\\Veilo";
constexpr char kUser[] = "C:\\Users\\u\\AppData\\Roaming\\Veilo";

struct Case {
  const char* what;
  bool writable;
  bool userDataKnown;
  bool iniNext, prtNext, iniUser, prtUser;
  // Expected: the folder both files are written in, the folder the settings are read from, and
  // the folder devmode.prt is copied from first ("" = none).
  const char* writeIn;
  const char* readIn;
  const char* seedFrom;
  bool usesUserData;
};

std::string In(const char* folder, const char* name) { return std::string(folder) + "\\" + name; }

TEST(SettingsPlace, FollowsTheProgramFolderWhileItCanBeWritten) {
  const Case cases[] = {
      // A portable copy: everything next to the program, whatever else exists.
      {"writable, nothing yet", true, true, false, false, false, false, kExe, kExe, "", false},
      {"writable, both files next to it", true, true, true, true, false, false, kExe, kExe, "", false},
      {"writable, files of an installed copy in APPDATA", true, true, false, false, true, true, kExe, kExe, "", false},
      // An installed copy.
      {"read-only, nothing anywhere (win.ini may still be read)", false, true, false, false, false, false, kUser,
       kUser, "", true},
      {"read-only, first start with files next to the program", false, true, true, true, false, false, kUser, kExe,
       kExe, true},
      {"read-only, later starts", false, true, true, true, true, true, kUser, kUser, "", true},
      {"read-only, only the settings stored by the user", false, true, false, true, true, false, kUser, kUser, kExe,
       true},
      {"read-only, only the printer stored by the user", false, true, true, false, false, true, kUser, kExe, "",
       true},
      // No user folder to go to: the program's folder is still the best try.
      {"read-only, no APPDATA", false, false, true, true, false, false, kExe, kExe, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsPlaceFacts facts;
    facts.exeDir = kExe;
    facts.userDataDir = c.userDataKnown ? kUser : "";
    facts.exeDirWritable = c.writable;
    facts.settingsNextToProgram = c.iniNext;
    facts.printerNextToProgram = c.prtNext;
    facts.settingsInUserData = c.iniUser;
    facts.printerInUserData = c.prtUser;
    const SettingsPlace place = DecideSettingsPlace(facts);
    EXPECT_EQ(place.settingsFile, In(c.writeIn, "veilo.ini"));
    EXPECT_EQ(place.printerSettingsFile, In(c.writeIn, "devmode.prt"));
    EXPECT_EQ(place.settingsReadFrom, In(c.readIn, "veilo.ini"));
    EXPECT_EQ(place.printerSeedFrom, *c.seedFrom ? In(c.seedFrom, "devmode.prt") : "");
    EXPECT_EQ(place.usesUserData, c.usesUserData);
  }
}

}  // namespace
}  // namespace veilo
