#include "shell/app_shell_win.h"

#include "shell/app_win.h"
#include "shell/core_messages.h"
#include "shell/frame_win.h"
#include "shell/message_box_win.h"

namespace veilo {

namespace {

void Refresh(App& app) {
  if (app.frame && app.frameWindow) app.frame->RefreshControls();
}

}  // namespace

void AppShell::EnableUndo(bool) { Refresh(app_); }
void AppShell::EnableRedo(bool) { Refresh(app_); }
void AppShell::SetRecording(bool) { Refresh(app_); }

void AppShell::ShowError(std::string_view utf8Text) {
  ReportErrorBox(Owner(), CoreMessageText(utf8Text, app_.language));
}

void AppShell::SetMessagePane(std::string_view utf8Text) {
  if (app_.frame && app_.frameWindow) app_.frame->panes().SetMessage(utf8Text);
}

void AppShell::BeginWait() {
  if (waitDepth_++ == 0) {
    savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
  }
}

void AppShell::EndWait() {
  if (waitDepth_ > 0 && --waitDepth_ == 0) {
    ShowCursor(FALSE);
    SetCursor(savedCursor_);
  }
}

}  // namespace veilo
