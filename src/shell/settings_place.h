#pragma once
// Where the settings file (veilo.ini) and the printer settings (devmode.prt)
// live. A copy whose folder can be written keeps both next to the program, as
// a portable copy always has. An installed copy sits in a folder that a normal
// user cannot write, where every option would be lost at exit: it keeps both
// in the user's own folder (%APPDATA%\Veilo) instead, and the first time
// starts from the files next to the program, if there are any.
#include <string>

namespace veilo {

// What the system says about the two folders.
struct SettingsPlaceFacts {
  std::string exeDir;       // folder of the program file
  std::string userDataDir;  // %APPDATA%\Veilo; empty when the system names no such folder
  bool exeDirWritable = true;
  bool settingsNextToProgram = false;  // exeDir\veilo.ini exists
  bool printerNextToProgram = false;   // exeDir\devmode.prt exists
  bool settingsInUserData = false;     // userDataDir\veilo.ini exists
  bool printerInUserData = false;      // userDataDir\devmode.prt exists
};

struct SettingsPlace {
  std::string settingsFile;         // written at exit
  std::string settingsReadFrom;     // read at start; when it is missing, win.ini is read instead
  std::string printerSettingsFile;  // read at start, written after the printer dialogs and at exit
  std::string printerSeedFrom;      // when not empty: copied to printerSettingsFile before it is read
  bool usesUserData = false;        // userDataDir is to be created when missing
};

SettingsPlace DecideSettingsPlace(const SettingsPlaceFacts& facts);

}  // namespace veilo
