#include "tools/twain_session.h"

namespace veilo {

namespace {

constexpr int32_t kAcquiring = 3;  // the source is enabled for acquisition

}  // namespace

TwainSession::TwainSession(TwainEntry& entry, TwainHost& host, WindowRef parent)
    : entry_(entry), host_(host), parent_(parent), app_(ApplicationIdentity()) {}

bool TwainSession::OpenManager() {
  if (dsmOpen_) return true;
  if (!entry_.LoadManager()) return false;
  dsmOpen_ = entry_.OpenManager(app_, parent_) == kTwrcSuccess;
  // A library whose manager does not open is of no further use.
  if (!dsmOpen_) entry_.UnloadManager();
  return dsmOpen_;
}

bool TwainSession::CloseManager() {
  if (!dsmOpen_) return true;
  if (sourceOpen_) return false;
  if (entry_.CloseManager(app_, parent_) != kTwrcSuccess) return false;
  entry_.UnloadManager();
  dsmOpen_ = false;
  source_.id = 0;
  return true;
}

bool TwainSession::CloseSource() {
  if (!sourceOpen_) return true;
  if (sourceEnabled_) return false;
  if (entry_.CloseSource(app_, source_) != kTwrcSuccess) return false;
  sourceOpen_ = false;
  source_.id = 0;
  return true;
}

bool TwainSession::DisableSource() {
  if (!sourceEnabled_) return true;
  const TwainUserInterface ui{255, 0, parent_};
  if (entry_.DisableSource(app_, source_, ui) != kTwrcSuccess) return false;
  sourceEnabled_ = false;
  return true;
}

void TwainSession::CloseAll() {
  DisableSource();
  CloseSource();
  CloseManager();
}

void TwainSession::SelectSource() {
  if (!OpenManager()) return;
  if (!sourceOpen_) {
    TwIdentity chosen{};
    entry_.GetDefaultSource(app_, chosen);  // only fills the manager's dialog's first choice
    if (entry_.UserSelectSource(app_, chosen) == kTwrcSuccess) source_ = chosen;
  }
  CloseManager();
}

void TwainSession::Acquire() {
  if (!sourceOpen_) {
    source_.id = 0;
    app_.id = 0;
  }
  host_.BeginWait();
  if (StartAcquisition()) {
    host_.WaitForPictures(*this);
    docCreated_ = false;
  }
  host_.EndWait();
}

bool TwainSession::StartAcquisition() {
  acquireState_ = 0;
  if (!OpenManager()) return false;
  if (!sourceOpen_) {
    if (entry_.OpenSource(app_, source_) != kTwrcSuccess) {
      CloseManager();
      return false;
    }
    sourceOpen_ = true;
  }
  if (entry_.SetNativeTransfer(app_, source_) != kTwrcSuccess) {
    CloseSource();
    CloseManager();
    acquireState_ = 0;
    return false;
  }
  if (!sourceEnabled_) {
    const TwainUserInterface ui{1, 0, parent_};
    if (entry_.EnableSource(app_, source_, ui) != kTwrcSuccess) {
      CloseSource();
      CloseManager();
      return false;
    }
    sourceEnabled_ = true;
  }
  // Also for a source that was still enabled: its next picture is transferred.
  acquireState_ = kAcquiring;
  return true;
}

void TwainSession::AbortDialogCreated() {
  pumpDone_ = false;
  docCreated_ = false;
}

void TwainSession::ClosePressed() {
  if (DisableSource()) {
    CloseSource();
    CloseManager();
    acquireState_ = 0;
  }
  pumpDone_ = true;
}

void TwainSession::PictureArrived(TwainPicture picture) {
  if (picture != 0) docCreated_ = host_.MakeDocument(picture);
  pumpDone_ = true;
}

bool TwainSession::FilterMessage(const void* windowMessage) {
  if (!dsmOpen_ || !sourceOpen_) return false;
  uint16_t message = kMsgNull;
  const uint16_t rc = entry_.ProcessEvent(app_, source_, windowMessage, message);
  if (message == kMsgXferReady && acquireState_ != 0) {
    TransferPictures();
  } else if (message == kMsgCloseDsReq || message == kMsgCloseDsOk) {
    if (DisableSource() && CloseSource() && CloseManager()) host_.TellAbortDialog(0);
  }
  return rc == kTwrcDsEvent;
}

void TwainSession::TransferPictures() {
  uint16_t pending = 0;
  do {
    host_.PumpMessagesOnce();
    TwainPicture picture = 0;
    const uint16_t rc = entry_.NativeTransfer(app_, source_, picture);
    pending = 0;
    bool tell = true;
    if (rc == kTwrcXferDone) {
      if (entry_.EndTransfer(app_, source_, pending) != kTwrcSuccess) pending = 0;
      const bool handle = picture >= kMinPictureHandle;
      if (pending == 0 && handle && entry_.PictureUsable(picture)) {
        CloseAll();
        acquireState_ = 0;
      }
      tell = handle;
    } else {
      if (entry_.EndTransfer(app_, source_, pending) != kTwrcSuccess) pending = 0;
      if (pending == 0) {
        CloseAll();
        acquireState_ = 0;
      }
      picture = 0;
    }
    if (tell) host_.TellAbortDialog(picture);
  } while (pending != 0);
  acquireState_ = 0;
}

}  // namespace veilo
