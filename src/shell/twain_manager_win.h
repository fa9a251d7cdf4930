#pragma once
// The TWAIN source manager as the acquisition sees it: TWAIN_32.DLL, loaded
// from the Windows folder when a command needs it, and its entry DSM_Entry
// (export ordinal 1) called with the program's identity.
#include <windows.h>

#include <string>

#include "platform/handles_win.h"
#include "tools/twain_session.h"

namespace veilo {

class TwainManager : public TwainEntry {
 public:
  // `windowsFolder` holds the manager; its file name is the string resource
  // IDS_TWAIN_DLL of `instance`.
  TwainManager(HINSTANCE instance, std::string windowsFolder)
      : instance_(instance), windowsFolder_(std::move(windowsFolder)) {}

  bool LoadManager() override;
  void UnloadManager() override;
  uint16_t OpenManager(TwIdentity& app, WindowRef parent) override;
  uint16_t CloseManager(TwIdentity& app, WindowRef parent) override;
  uint16_t GetDefaultSource(TwIdentity& app, TwIdentity& source) override;
  uint16_t UserSelectSource(TwIdentity& app, TwIdentity& source) override;
  uint16_t OpenSource(TwIdentity& app, TwIdentity& source) override;
  uint16_t CloseSource(TwIdentity& app, TwIdentity& source) override;
  uint16_t SetNativeTransfer(TwIdentity& app, TwIdentity& source) override;
  uint16_t EnableSource(TwIdentity& app, TwIdentity& source, const TwainUserInterface& ui) override;
  uint16_t DisableSource(TwIdentity& app, TwIdentity& source, const TwainUserInterface& ui) override;
  uint16_t ProcessEvent(TwIdentity& app, TwIdentity& source, const void* windowMessage,
                        uint16_t& twainMessage) override;
  uint16_t NativeTransfer(TwIdentity& app, TwIdentity& source, TwainPicture& picture) override;
  uint16_t EndTransfer(TwIdentity& app, TwIdentity& source, uint16_t& pending) override;
  bool PictureUsable(TwainPicture picture) override;

 private:
  using Entry = uint16_t(WINAPI*)(TwIdentity* origin, TwIdentity* destination, uint32_t group,
                                  uint16_t argument, uint16_t message, void* data);
  uint16_t Call(TwIdentity& app, TwIdentity* destination, uint32_t group, uint16_t argument, uint16_t message,
                void* data);
  uint16_t UserInterfaceCall(TwIdentity& app, TwIdentity& source, uint16_t message,
                             const TwainUserInterface& ui);

  HINSTANCE instance_;
  std::string windowsFolder_;
  Library library_;
  Entry entry_ = nullptr;
  HWND parent_ = nullptr;  // the manager is handed a pointer to its parent window
};

}  // namespace veilo
