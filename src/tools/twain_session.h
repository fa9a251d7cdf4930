#pragma once
// A TWAIN acquisition as a state machine over the source manager's entry:
// which manager calls are made in which state, what each answer leads to,
// and when the wait for pictures ends. The calls themselves, the loading of
// the manager's library and the windows (the abort dialog, the message loop,
// the documents made from pictures) belong to the caller's two interfaces.
#include <cstdint>

#include "doc/window_ref.h"
#include "tools/twain_types.h"

namespace veilo {

using TwainPicture = uintptr_t;  // a transferred picture: a memory handle to a packed DIB; 0 = none
// Values below this are no handle a picture can be in.
inline constexpr TwainPicture kMinPictureHandle = 32;

struct TwainUserInterface {
  uint16_t showUi = 0;   // TW_BOOL
  uint16_t modalUi = 0;  // TW_BOOL
  WindowRef parent = 0;
};

// The source manager: one method per manager call made (each returns the
// manager's return code), and the library around it.
class TwainEntry {
 public:
  virtual ~TwainEntry() = default;
  // Loads the manager's library from the Windows folder and finds its entry;
  // false when the file is missing or either step fails.
  virtual bool LoadManager() = 0;
  virtual void UnloadManager() = 0;
  // DG_CONTROL / DAT_PARENT / MSG_OPENDSM and MSG_CLOSEDSM, with the parent window.
  virtual uint16_t OpenManager(TwIdentity& app, WindowRef parent) = 0;
  virtual uint16_t CloseManager(TwIdentity& app, WindowRef parent) = 0;
  // DG_CONTROL / DAT_IDENTITY: MSG_GETDEFAULT, MSG_USERSELECT, MSG_OPENDS, MSG_CLOSEDS.
  virtual uint16_t GetDefaultSource(TwIdentity& app, TwIdentity& source) = 0;
  virtual uint16_t UserSelectSource(TwIdentity& app, TwIdentity& source) = 0;
  virtual uint16_t OpenSource(TwIdentity& app, TwIdentity& source) = 0;
  virtual uint16_t CloseSource(TwIdentity& app, TwIdentity& source) = 0;
  // DG_CONTROL / DAT_CAPABILITY / MSG_SET: ICAP_XFERMECH = native in a
  // one-value container, which the entry makes and frees around the call.
  virtual uint16_t SetNativeTransfer(TwIdentity& app, TwIdentity& source) = 0;
  // DG_CONTROL / DAT_USERINTERFACE / MSG_ENABLEDS and MSG_DISABLEDS.
  virtual uint16_t EnableSource(TwIdentity& app, TwIdentity& source, const TwainUserInterface& ui) = 0;
  virtual uint16_t DisableSource(TwIdentity& app, TwIdentity& source, const TwainUserInterface& ui) = 0;
  // DG_CONTROL / DAT_EVENT / MSG_PROCESSEVENT with a window message (opaque);
  // `twainMessage` receives the source's message.
  virtual uint16_t ProcessEvent(TwIdentity& app, TwIdentity& source, const void* windowMessage,
                                uint16_t& twainMessage) = 0;
  // DG_IMAGE / DAT_IMAGENATIVEXFER / MSG_GET: the picture's handle.
  virtual uint16_t NativeTransfer(TwIdentity& app, TwIdentity& source, TwainPicture& picture) = 0;
  // DG_CONTROL / DAT_PENDINGXFERS / MSG_ENDXFER: how many pictures are still pending.
  virtual uint16_t EndTransfer(TwIdentity& app, TwIdentity& source, uint16_t& pending) = 0;
  // Whether a transferred handle can be locked.
  virtual bool PictureUsable(TwainPicture picture) = 0;
};

// The windows around an acquisition.
class TwainHost {
 public:
  virtual ~TwainHost() = default;
  // Creates the abort dialog (whose creation calls TwainSession::AbortDialogCreated),
  // disables the frame and processes pending messages once.
  virtual void BeginWait() = 0;
  // The wait: each message goes to the abort dialog (Close and Cancel call
  // TwainSession::ClosePressed) or else through TwainSession::FilterMessage,
  // and is dispatched unless that consumed it; until TwainSession::WaitDone().
  virtual void WaitForPictures(class TwainSession& session) = 0;
  // Destroys the abort dialog, enables the frame and brings it forward.
  virtual void EndWait() = 0;
  // Processes pending messages once (between two transfers).
  virtual void PumpMessagesOnce() = 0;
  // Hands a transferred picture (0: the acquisition ended without one) to the
  // abort dialog, whose private message calls TwainSession::PictureArrived.
  virtual void TellAbortDialog(TwainPicture picture) = 0;
  // Makes a document of a transferred picture ("TWAIN%03d") and frees the
  // handle; false when no document came of it.
  virtual bool MakeDocument(TwainPicture picture) = 0;
};

class TwainSession {
 public:
  TwainSession(TwainEntry& entry, TwainHost& host, WindowRef parent);

  // The source-selection command: the manager's dialog picks the source.
  void SelectSource();
  // The acquire command, from the first call to the last.
  void Acquire();

  // Each runs only in the state that allows it; true when the manager or
  // source is then in the state asked for (also when it already was).
  bool OpenManager();
  bool CloseManager();  // only once the source is closed
  bool CloseSource();   // only once the source is disabled
  bool DisableSource();

  // For the host during the wait.
  void AbortDialogCreated();
  void ClosePressed();
  void PictureArrived(TwainPicture picture);  // the abort dialog's private message
  // A window message while waiting; true when the source consumed it.
  bool FilterMessage(const void* windowMessage);
  bool WaitDone() const { return pumpDone_; }

  bool managerOpen() const { return dsmOpen_; }
  bool sourceOpen() const { return sourceOpen_; }
  bool sourceEnabled() const { return sourceEnabled_; }
  int32_t acquireState() const { return acquireState_; }
  bool documentMade() const { return docCreated_; }
  const TwIdentity& sourceIdentity() const { return source_; }
  const TwIdentity& applicationIdentity() const { return app_; }

 private:
  bool StartAcquisition();
  void TransferPictures();
  void CloseAll();

  TwainEntry& entry_;
  TwainHost& host_;
  WindowRef parent_;
  TwIdentity app_;
  TwIdentity source_;
  bool dsmOpen_ = false;
  bool sourceOpen_ = false;
  bool sourceEnabled_ = false;
  int32_t acquireState_ = 0;
  bool pumpDone_ = false;
  bool docCreated_ = false;
};

}  // namespace veilo
