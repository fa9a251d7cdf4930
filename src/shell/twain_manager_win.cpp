#include "shell/twain_manager_win.h"

#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/resource_ids.h"

namespace veilo {

namespace {

// The manager's file name is read into a field of this many characters.
constexpr int kManagerNameLength = 34;

}  // namespace

bool TwainManager::LoadManager() {
  if (library_) return entry_ != nullptr;
  wchar_t name[kManagerNameLength] = {};
  if (LoadStringW(instance_, IDS_TWAIN_DLL, name, kManagerNameLength) <= 0) return false;
  const std::string path = TwainManagerPath(windowsFolder_, Utf8(name));
  // No manager installed: the commands do nothing, and say nothing.
  if (!FileExists(path)) return false;
  Library library(LoadLibraryW(Wide(path).c_str()));
  if (!library) return false;
  const auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void (*)()>(GetProcAddress(library.get(), MAKEINTRESOURCEA(1))));
  if (!entry) return false;
  library_ = std::move(library);
  entry_ = entry;
  return true;
}

void TwainManager::UnloadManager() {
  entry_ = nullptr;
  library_.reset();
}

uint16_t TwainManager::Call(TwIdentity& app, TwIdentity* destination, uint32_t group, uint16_t argument,
                            uint16_t message, void* data) {
  if (!entry_) return kTwrcFailure;
  return entry_(&app, destination, group, argument, message, data);
}

uint16_t TwainManager::OpenManager(TwIdentity& app, WindowRef parent) {
  parent_ = reinterpret_cast<HWND>(parent);
  return Call(app, nullptr, kDgControl, kDatParent, kMsgOpenDsm, &parent_);
}

uint16_t TwainManager::CloseManager(TwIdentity& app, WindowRef parent) {
  parent_ = reinterpret_cast<HWND>(parent);
  return Call(app, nullptr, kDgControl, kDatParent, kMsgCloseDsm, &parent_);
}

uint16_t TwainManager::GetDefaultSource(TwIdentity& app, TwIdentity& source) {
  return Call(app, nullptr, kDgControl, kDatIdentity, kMsgGetDefault, &source);
}

uint16_t TwainManager::UserSelectSource(TwIdentity& app, TwIdentity& source) {
  return Call(app, nullptr, kDgControl, kDatIdentity, kMsgUserSelect, &source);
}

uint16_t TwainManager::OpenSource(TwIdentity& app, TwIdentity& source) {
  return Call(app, nullptr, kDgControl, kDatIdentity, kMsgOpenDs, &source);
}

uint16_t TwainManager::CloseSource(TwIdentity& app, TwIdentity& source) {
  return Call(app, nullptr, kDgControl, kDatIdentity, kMsgCloseDs, &source);
}

uint16_t TwainManager::SetNativeTransfer(TwIdentity& app, TwIdentity& source) {
  // The one-value container is a movable block the source locks; it is ours again after the call.
  GlobalBlock container(GlobalAlloc(GHND, sizeof(TwOneValue)));
  if (!container) return kTwrcFailure;
  {
    GlobalLockGuard<TwOneValue> value(container.get());
    if (!value) return kTwrcFailure;
    value.get()->itemType = kTwtyUint16;
    value.get()->item = kTwsxNative;
  }
  TwCapability capability;
  capability.cap = kIcapXferMech;
  capability.conType = kTwonOneValue;
  capability.container = container.get();
  return Call(app, &source, kDgControl, kDatCapability, kMsgSet, &capability);
}

uint16_t TwainManager::UserInterfaceCall(TwIdentity& app, TwIdentity& source, uint16_t message,
                                         const TwainUserInterface& ui) {
  TwUserInterface data;
  data.showUi = ui.showUi;
  data.modalUi = ui.modalUi;
  data.parent = reinterpret_cast<void*>(ui.parent);
  return Call(app, &source, kDgControl, kDatUserInterface, message, &data);
}

uint16_t TwainManager::EnableSource(TwIdentity& app, TwIdentity& source, const TwainUserInterface& ui) {
  return UserInterfaceCall(app, source, kMsgEnableDs, ui);
}

uint16_t TwainManager::DisableSource(TwIdentity& app, TwIdentity& source, const TwainUserInterface& ui) {
  return UserInterfaceCall(app, source, kMsgDisableDs, ui);
}

uint16_t TwainManager::ProcessEvent(TwIdentity& app, TwIdentity& source, const void* windowMessage,
                                    uint16_t& twainMessage) {
  TwEvent event;
  event.windowMessage = windowMessage;
  event.twainMessage = kMsgNull;
  const uint16_t rc = Call(app, &source, kDgControl, kDatEvent, kMsgProcessEvent, &event);
  twainMessage = event.twainMessage;
  return rc;
}

uint16_t TwainManager::NativeTransfer(TwIdentity& app, TwIdentity& source, TwainPicture& picture) {
  HGLOBAL handle = nullptr;  // the source fills in a handle of its platform's size
  const uint16_t rc = Call(app, &source, kDgImage, kDatImageNativeXfer, kMsgGet, &handle);
  picture = reinterpret_cast<TwainPicture>(handle);
  return rc;
}

uint16_t TwainManager::EndTransfer(TwIdentity& app, TwIdentity& source, uint16_t& pending) {
  TwPendingXfers data;
  const uint16_t rc = Call(app, &source, kDgControl, kDatPendingXfers, kMsgEndXfer, &data);
  pending = data.count;
  return rc;
}

bool TwainManager::PictureUsable(TwainPicture picture) {
  const auto handle = reinterpret_cast<HGLOBAL>(picture);
  GlobalLockGuard<> locked(handle);
  return static_cast<bool>(locked);
}

}  // namespace veilo
