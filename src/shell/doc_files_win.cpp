// The document window's file commands: save, save as, the next or previous
// picture of the folder in the same window, and deleting the picture's file.
#include <windows.h>

#include "formats/folder_list.h"
#include "formats/image_dispatch.h"
#include "formats/image_files.h"
#include "masks/detection.h"
#include "platform/file_io.h"
#include "platform/memory_status.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "shell/message_box_win.h"
#include "shell/save_dialog_win.h"
#include "shell/texts.h"
#include "view/quick_zoom_win.h"
#include "view/scrolling.h"
#include "view/selection_win.h"
#include "view/spoit_win.h"

namespace veilo {

void DocumentWindow::Save() {
  if (doc_->path.empty()) {
    SaveAs();
    return;
  }
  SaveDocumentFile(app_, hwnd(), shell_, doc_->path, *doc_);
}

void DocumentWindow::SaveAs() {
  const std::optional<std::string> chosen = ShowSaveDialog(app_, hwnd(), *doc_);
  if (!chosen) return;
  ReleaseTitle();
  doc_->path = *chosen;
  name_ = FileTitleOf(*chosen);
  SaveDocumentFile(app_, hwnd(), shell_, doc_->path, *doc_);
  // The new name is shown whether or not the picture could be written.
  RegisterTitle();
}

void DocumentWindow::StepInFolder(bool backwards, bool fitWhole) {
  EndAutoScroll(app_, *this);
  const std::optional<std::string> next = doc_->path.empty() ? std::nullopt : NextFileInFolder(doc_->path, backwards);
  if (doc_->undoCount() > 0) {
    MessageBeep(0);
    const int answer = ShowMessageBox(hwnd(), Text(TextId::AskSaveChangedFile, app_.language), "Warning",
                                      MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer == IDCANCEL) return;
    if (answer == IDYES) {
      SaveDocumentFile(app_, hwnd(), shell_, doc_->path, *doc_);
    }
  }
  if (!next) {
    MessageBeep(0);
    ShowMessageBox(hwnd(), Text(TextId::NoMoreFilesInFolder, app_.language), "Warning", MB_OK | MB_ICONWARNING);
    return;
  }
  app_.currentPath = *next;
  app_.currentTitle = FileTitleOf(*next);
  if (app_.frame) app_.frame->ShowZoom(100);
  const LoadOptions options = DocumentLoadOptions(app_);
  // A picture read ahead serves only when it is still the file's content and
  // the reader had nothing to say; any other is read now, and the reader
  // speaks as it would have.
  std::unique_ptr<ImageDoc> fresh = readAhead_.Take(app_.currentPath, options);
  if (!fresh) {
    fresh = std::make_unique<ImageDoc>();
    fresh->path = app_.currentPath;
    if (LoadImageFile(shell_, *fresh, options) != 0) {
      // The old picture stays; its zoom is shown again.
      if (app_.frame) app_.frame->ShowZoom(doc_->zoomPercent);
      return;
    }
  }
  fresh->mdiClient = doc_->mdiClient;
  fresh->docWindow = reinterpret_cast<WindowRef>(hwnd());
  fresh->zoomPercent = 100;
  ReplaceDocument(std::move(fresh));
  if (fitWhole) {
    FitWhole();
  } else {
    // The paint fills the background only around the new picture, so the old
    // one stays on screen until the new one covers it. The scroll bars are
    // drawn with it, in the same repaint of the window's frame.
    UpdateRanges(false);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  SetFocus(hwnd());
  // The new picture is painted before the next one is read, which would
  // otherwise share the processor with the paint.
  UpdateWindow(hwnd());
  ReadAheadFrom(backwards);
}

// Someone stepping through a folder goes on the same way: the next picture
// that way is read, and the one just left is kept for a change of mind.
void DocumentWindow::ReadAheadFrom(bool backwards) {
  readAhead_.Follow(PlanFolderReadAhead(NeighboursInFolder(doc_->path), backwards), DocumentLoadOptions(app_),
                    static_cast<uint32_t>(doc_->width), static_cast<uint32_t>(doc_->height),
                    AvailableMemoryBytes());
}

void DocumentWindow::ReplaceDocument(std::unique_ptr<ImageDoc> next) {
  SpoitForgetPicture(*doc_);
  ReleaseTitle();
  ForgetDocument(app_.detection, *doc_);
  doc_ = std::move(next);
  name_ = app_.currentTitle;
  QuickZoomShow(app_, *this);
  RegisterTitle();
  RebuildThumbnail();
  if (app_.frame) {
    app_.frame->ClearPosition();
    app_.frame->RefreshControls();
  }
  QuickZoomRefresh(app_, *this);
  MeasureClient();
  // When each bar stays as shown, the caller's new ranges are all the bars need.
  // Otherwise both go first and come back as the new picture needs them, each
  // change resizing the client.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE));
  if (KeepsScrollBars(*doc_, {(style & WS_HSCROLL) != 0, (style & WS_VSCROLL) != 0})) return;
  SetScrollRange(hwnd(), SB_VERT, 0, 0, FALSE);
  SetScrollPos(hwnd(), SB_VERT, 0, TRUE);
  SetScrollRange(hwnd(), SB_HORZ, 0, 0, FALSE);
  SetScrollPos(hwnd(), SB_HORZ, 0, TRUE);
  MeasureClient();
}

void DocumentWindow::MeasureClient() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  doc_->clientWidth = client.right;
  doc_->clientHeight = client.bottom;
}

void DocumentWindow::DeleteFile() {
  EndAutoScroll(app_, *this);
  if (doc_->path.empty() || !FileExists(doc_->path)) return;
  const std::string question = FormatText(Text(TextId::AskDeleteFile, app_.language), doc_->path);
  if (ShowMessageBox(hwnd(), question, "Warning", MB_YESNO | MB_ICONWARNING) != IDYES) return;
  if (!DeleteImageFile(doc_->path)) MessageBeep(0);
}

}  // namespace veilo
