#include "shell/open_dialog_win.h"

#include <commctrl.h>

#include <memory>

#include "doc/image_doc.h"
#include "formats/file_dialog_rules.h"
#include "formats/image_dispatch.h"
#include "formats/image_files.h"
#include "platform/dialog_win.h"
#include "platform/file_io.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "shell/app_shell_win.h"
#include "shell/app_win.h"
#include "shell/file_dialogs_win.h"
#include "shell/resource_ids.h"
#include "shell/texts.h"

namespace veilo {

namespace {

// Loading a picture for the preview reports nothing: browsing past a broken
// file must not stop the user with an error box. The wait cursor still shows.
class PreviewShell : public AppShell {
 public:
  using AppShell::AppShell;
  void ShowError(std::string_view) override {}
};

// The preview beside the open dialog's list (template IDD_OPEN_PREVIEW): the
// picture of the selected file, fitted into area 1018, its size below it. The
// picture is kept while the selection stays on the same path and released
// when the dialog closes.
class OpenPreview {
 public:
  explicit OpenPreview(App& app) : app_(app), shell_(app, nullptr) {}

  static UINT_PTR CALLBACK Hook(HWND hook, UINT msg, WPARAM wp, LPARAM lp);

 private:
  UINT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  UINT_PTR OnInit();
  UINT_PTR OnCommand(WORD id, WORD code);
  UINT_PTR OnNotify(const OFNOTIFYW& notify);
  void OnDestroy();

  void Update();
  bool Shown() const { return app_.options.openPreview && picture_ && picture_->path == selectedPath_; }
  static LRESULT CALLBACK AreaProc(HWND area, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  void PaintArea(HWND area);

  App& app_;
  PreviewShell shell_;
  HWND hook_ = nullptr;
  std::string selectedSpec_, selectedPath_;
  std::unique_ptr<ImageDoc> picture_;
};

UINT_PTR CALLBACK OpenPreview::Hook(HWND hook, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<OpenPreview*>(GetWindowLongPtrW(hook, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<OpenPreview*>(reinterpret_cast<const OPENFILENAMEW*>(lp)->lCustData);
    SetWindowLongPtrW(hook, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->hook_ = hook;
  }
  if (!self) return 0;
  const UINT_PTR result = self->HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hook, DWLP_USER, 0);
    self->hook_ = nullptr;
  }
  return result;
}

UINT_PTR OpenPreview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: return OnInit();
    case WM_COMMAND: return OnCommand(LOWORD(wp), HIWORD(wp));
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const OFNOTIFYW*>(lp));
    case WM_DESTROY: OnDestroy(); return 0;
    default: return 0;
  }
}

UINT_PTR OpenPreview::OnInit() {
  CheckDlgButton(hook_, IDC_OPEN_PREVIEW_CHECK, app_.options.openPreview ? BST_CHECKED : BST_UNCHECKED);
  if (app_.language.languageLoaded)
    SetItemTextUtf8(hook_, IDC_OPEN_PREVIEW_CHECK, Text(TextId::OpenPreview, app_.language));
  SetWindowSubclass(GetDlgItem(hook_, IDC_OPEN_PREVIEW_AREA), AreaProc, 1, reinterpret_cast<DWORD_PTR>(this));
  return TRUE;
}

UINT_PTR OpenPreview::OnCommand(WORD id, WORD code) {
  if (id != IDC_OPEN_PREVIEW_CHECK || code != BN_CLICKED) return 0;
  app_.options.openPreview = IsDlgButtonChecked(hook_, IDC_OPEN_PREVIEW_CHECK) == BST_CHECKED;
  Update();
  return 0;
}

UINT_PTR OpenPreview::OnNotify(const OFNOTIFYW& notify) {
  if (notify.hdr.code != CDN_SELCHANGE) return 0;
  // The common dialog is the hook dialog's parent; it answers for the selection.
  const HWND dialog = GetParent(hook_);
  selectedSpec_ = Utf8(CommonDialogText(dialog, CDM_GETSPEC));
  selectedPath_ = Utf8(CommonDialogText(dialog, CDM_GETFILEPATH));
  Update();
  return 0;
}

void OpenPreview::OnDestroy() {
  RemoveWindowSubclass(GetDlgItem(hook_, IDC_OPEN_PREVIEW_AREA), AreaProc, 1);
  picture_.reset();
}

// Loads the selected file unless it is the one already held; a file that
// cannot be read leaves no picture. With the switch off nothing is shown.
void OpenPreview::Update() {
  const bool wanted = app_.options.openPreview && !selectedSpec_.empty() && FileExists(selectedPath_);
  if (wanted && !(picture_ && picture_->path == selectedPath_)) {
    auto picture = std::make_unique<ImageDoc>();
    picture->path = selectedPath_;
    LoadOptions options = DocumentLoadOptions(app_);
    options.fastPreview = true;
    // The preview shows what the file holds, whatever its name says, and
    // asks nothing: the question comes when the file is opened.
    options.mismatchedContent = MismatchedContent::kReadAsFound;
    picture_ =
        LoadImageFile(shell_, *picture, options) == 0 && picture->HasPicture() ? std::move(picture) : nullptr;
  }
  SetItemTextUtf8(hook_, IDC_OPEN_PREVIEW_SIZE,
                  Shown() ? PreviewSizeText(picture_->width, picture_->height) : "");
  InvalidateRect(GetDlgItem(hook_, IDC_OPEN_PREVIEW_AREA), nullptr, FALSE);
}

LRESULT CALLBACK OpenPreview::AreaProc(HWND area, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  switch (msg) {
    case WM_PAINT: reinterpret_cast<OpenPreview*>(self)->PaintArea(area); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the whole area
    case WM_NCDESTROY: RemoveWindowSubclass(area, AreaProc, 1); return DefSubclassProc(area, msg, wp, lp);
    default: return DefSubclassProc(area, msg, wp, lp);
  }
}

void OpenPreview::PaintArea(HWND area) {
  PaintDc paint(area);
  RECT client{};
  GetClientRect(area, &client);
  FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!Shown()) return;
  const ImageDoc& picture = *picture_;
  const PreviewFit fit = FitPreview(picture.width, picture.height, client.right, client.bottom);
  SetStretchBltMode(paint.get(), COLORONCOLOR);
  StretchDIBits(paint.get(), fit.x, fit.y, fit.width, fit.height, 0, 0, picture.width, picture.height,
                DibPixelStart(picture.dib.data()), reinterpret_cast<const BITMAPINFO*>(picture.dib.data()),
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

std::optional<std::string> ShowOpenDialog(App& app, HWND owner) {
  FileDialogBuffers buffers;
  const std::string filters = JoinFileFilters(OpenFileFilters(app.language));
  buffers.filters = Wide(filters);
  buffers.initialFolder = Wide(app.options.loadDir);
  OpenPreview preview(app);
  OPENFILENAMEW ofn = MakeFileDialogRecord(owner, buffers);
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE |
              OFN_ENABLEHOOK;
  ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_OPEN_PREVIEW);
  ofn.lpfnHook = OpenPreview::Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&preview);
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  SharedFilterIndex() = ofn.nFilterIndex;
  const std::string path = Utf8(buffers.path);
  app.options.loadDir = FolderOfChosenPath(path, FileTitleOf(path));
  return path;
}

}  // namespace veilo
