// The frame's commands: opening documents from every source, the clipboard,
// the window arrangement, help, about, and forwarding to the active document.
#include <windows.h>

#include <memory>

#include "formats/file_messages.h"
#include "formats/image_dispatch.h"
#include "formats/image_files.h"
#include "masks/macro.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/about_dialog_win.h"
#include "shell/app_shell_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/features_win.h"
#include "shell/slide_window_win.h"
#include "shell/frame_win.h"
#include "shell/help_win.h"
#include "shell/message_box_win.h"
#include "shell/open_dialog_win.h"
#include "shell/texts.h"
#include "view/clipboard_win.h"

namespace veilo {

namespace {

// The document window's style: child, visible, clip siblings and children,
// caption, system menu, thick frame, minimise and maximise boxes, both scroll bars.
constexpr DWORD kDocumentStyle = 0x56FF0000;

std::string AtomText(ATOM atom) {
  wchar_t buffer[256] = {};
  const UINT length = GlobalGetAtomNameW(atom, buffer, 256);
  return Utf8(std::wstring_view(buffer, length));
}

}  // namespace

LRESULT FrameWindow::OnCommand(WPARAM wp, LPARAM lp) {
  const WORD id = LOWORD(wp);
  switch (RouteCommand(id, {app_.ActiveDocument() != nullptr})) {
    case CommandRoute::kFrame:
      if (RunFrameCommand(id, wp, lp)) RefreshControls();
      return 0;
    case CommandRoute::kForwardToDocument:
      ForwardToDocument(wp, lp);
      return 0;
    case CommandRoute::kIgnore:
      break;
  }
  // The window list of the Window menu, and whatever else the MDI frame knows.
  return DefaultHandling(WM_COMMAND, wp, lp);
}

void FrameWindow::ForwardToDocument(WPARAM wp, LPARAM lp) {
  const HWND active = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
  if (active && app_.FindDocument(active)) SendMessageW(active, WM_COMMAND, wp, lp);
}

// Carries out a command of the frame; false when the frame has gone meanwhile.
bool FrameWindow::RunFrameCommand(WORD id, WPARAM wp, LPARAM lp) {
  switch (FrameActionFor(id)) {
    case FrameAction::kCascade: SendMessageW(mdiClient_, WM_MDICASCADE, 0, 0); break;
    case FrameAction::kTile: SendMessageW(mdiClient_, WM_MDITILE, 0, 0); break;
    case FrameAction::kArrangeIcons: SendMessageW(mdiClient_, WM_MDIICONARRANGE, 0, 0); break;
    case FrameAction::kOpen: OnOpenCommand(); break;
    case FrameAction::kAbout: OnAbout(); break;
    case FrameAction::kExit: SendMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); return false;
    case FrameAction::kPasteNew: OnPaste(); break;
    case FrameAction::kHelp: OnHelp(); break;
    case FrameAction::kToggleMacroRecording: {
      AppShell shell(app_, hwnd());
      MaskContext ctx = app_.MaskContextFor(shell);
      ToggleMacroRecording(ctx);
      break;
    }
    case FrameAction::kOpenBitmap: OpenBitmap(reinterpret_cast<HBITMAP>(lp), HIWORD(wp) != 0); break;
    case FrameAction::kOpenHandedOverFile: OnOpenHandedOver(static_cast<ATOM>(lp)); break;
    case FrameAction::kOpenCommandLineFile: OnOpenCommandLineFile(reinterpret_cast<const char*>(lp)); break;
    case FrameAction::kOpenDroppedPath: OnOpenDropped(reinterpret_cast<HGLOBAL>(lp)); break;
    case FrameAction::kSlideShowFromAtom: {
      GlobalAtom atom(static_cast<ATOM>(lp));
      StartSlideShow(app_, AtomText(atom.get()));
      break;
    }
    case FrameAction::kSlideShowFromList: StartSlideShow(app_, reinterpret_cast<const char*>(lp)); break;
    case FrameAction::kToggleQuickZoom:
    case FrameAction::kJpegOptions:
    case FrameAction::kQ0Options:
    case FrameAction::kRgbOptions:
    case FrameAction::kSlideShow:
    case FrameAction::kTwainAcquire:
    case FrameAction::kTwainSelect:
    case FrameAction::kPageSetup:
      RunFrameFeature(app_, FrameActionFor(id));
      break;
    case FrameAction::kNone: break;
  }
  return IsWindow(hwnd()) != 0;
}

void FrameWindow::OnOpenCommand() {
  if (std::optional<std::string> path = ShowOpenDialog(app_, hwnd())) OpenFile(*path);
}

void FrameWindow::OnPaste() {
  ClipboardSession clipboard(hwnd());
  if (!clipboard.is_open()) return;
  const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  // The clipboard keeps its bitmap: the new document copies the pixels while it is open.
  if (bitmap) OpenBitmap(bitmap, false);
}

void FrameWindow::OnAbout() { ShowAboutBox(app_, hwnd()); }

void FrameWindow::OnHelp() { ShowHelp(app_, hwnd()); }

void FrameWindow::OnOpenHandedOver(ATOM atom) {
  GlobalAtom owned(atom);
  if (const std::optional<std::string> path = ResolveLongPath(AtomText(owned.get())); path && FileExists(*path))
    OpenFile(*path);
}

void FrameWindow::OnOpenCommandLineFile(const char* path) {
  if (!path) return;
  if (const std::optional<std::string> resolved = ResolveLongPath(path); resolved && FileExists(*resolved))
    OpenFile(*resolved);
}

void FrameWindow::OnOpenDropped(HGLOBAL block) {
  GlobalBlock owned(block);
  std::string path;
  {
    GlobalLockGuard<const char> text(owned.get());
    if (!text) return;
    path = text.get();
  }
  if (UseDroppedPath(path, IsDirectory) == DroppedPathUse::kSlideShowOfFolder) {
    StartSlideShowFromFolder(app_, path);  // the whole path, spaces and all, is the folder
    return;
  }
  OpenFile(path);
}

void FrameWindow::ProcessCommandLine() {
  app_.commandLineDone = true;
  const FirstTickAction action =
      DecideFirstTick(app_.pendingCommandLine, app_.screenSaverMode, app_.options.slideFolder, IsDirectory);
  switch (action.kind) {
    case FirstTickKind::kNothing: break;
    case FirstTickKind::kSlideShow:
      SendMessageW(hwnd(), WM_COMMAND, cmd::kSlideShowFromList, reinterpret_cast<LPARAM>(action.slideShowLine.c_str()));
      break;
    case FirstTickKind::kOpenFiles:
      for (const std::string& file : action.files) {
        if (!IsWindow(hwnd())) return;
        SendMessageW(hwnd(), WM_COMMAND, cmd::kOpenCommandLineFile, reinterpret_cast<LPARAM>(file.c_str()));
      }
      break;
  }
}

DocumentWindow* FrameWindow::OpenFile(const std::string& path, bool askAboutContent) {
  if (!CanOpenAnotherDocument(app_, hwnd())) return nullptr;
  LoadOptions options = DocumentLoadOptions(app_);
  if (askAboutContent) {
    if (const std::optional<ContentMismatch> mismatch = FindContentMismatch(path)) {
      MessageBeep(0);
      const std::string question = OpenAsFoundQuestion(path, *mismatch, app_.language.languageLoaded);
      if (ShowMessageBox(hwnd(), question, "Warning", MB_YESNO | MB_ICONWARNING) != IDYES) return nullptr;
      // The document keeps its name, and a save keeps choosing the writer by it.
      options.mismatchedContent = MismatchedContent::kReadAsFound;
    }
  }
  app_.currentPath = path;
  app_.currentTitle = FileTitleOf(path);
  AppShell shell(app_, hwnd());
  std::unique_ptr<ImageDoc> doc;
  // A mismatched file is never preloaded (see PreloadFirstPicture).
  if (std::optional<PreloadedPicture> early = app_.preload.Take(app_.currentPath)) {
    for (const std::string& error : early->errors) shell.ShowError(error);
    if (early->status != 0) return nullptr;
    doc = std::move(early->doc);
  } else {
    doc = std::make_unique<ImageDoc>();
    doc->path = app_.currentPath;
    if (LoadImageFile(shell, *doc, options) != 0) return nullptr;
  }
  doc->mdiClient = reinterpret_cast<WindowRef>(mdiClient_);
  auto window = std::make_unique<DocumentWindow>(app_, std::move(doc), app_.currentTitle);
  return CreateDocument(window.release()) ? app_.documents.back().get() : nullptr;
}

DocumentWindow* FrameWindow::OpenBitmap(HBITMAP bitmap, bool isNewImage) {
  if (!bitmap || !CanOpenAnotherDocument(app_, hwnd())) return nullptr;
  auto doc = std::make_unique<ImageDoc>();
  doc->mdiClient = reinterpret_cast<WindowRef>(mdiClient_);
  doc->isNewImage = isNewImage ? 1 : 0;
  if (!BuildDocFromBitmap(*doc, bitmap)) {
    ShowStartupError(hwnd(), "Failed to Allocate INFO data!");
    return nullptr;
  }
  std::string name = isNewImage ? app_.generatedNames.NextNewImageName() : app_.generatedNames.NextClipboardName();
  auto window = std::make_unique<DocumentWindow>(app_, std::move(doc), std::move(name));
  return CreateDocument(window.release()) ? app_.documents.back().get() : nullptr;
}

DocumentWindow* FrameWindow::OpenScannedPicture(PackedDib picture) {
  if (picture.empty() || !CanOpenAnotherDocument(app_, hwnd())) return nullptr;
  auto doc = std::make_unique<ImageDoc>();
  doc->mdiClient = reinterpret_cast<WindowRef>(mdiClient_);
  SetDocPicture(*doc, std::move(picture));
  doc->fileHeader[0] = 'B';
  doc->fileHeader[1] = 'M';
  auto window = std::make_unique<DocumentWindow>(app_, std::move(doc), app_.generatedNames.NextScanName());
  return CreateDocument(window.release()) ? app_.documents.back().get() : nullptr;
}

// Hands a document window to the application and creates it as an MDI child;
// false (and nothing left behind) when the window could not be made.
bool FrameWindow::CreateDocument(DocumentWindow* window) {
  app_.documents.emplace_back(window);
  MDICREATESTRUCTW create{};
  create.szClass = kDocumentClass;
  create.szTitle = L"";
  create.hOwner = app_.instance;
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.style = kDocumentStyle;
  create.lParam = reinterpret_cast<LPARAM>(window);
  const HWND child = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  if (child && app_.FindDocument(child)) return true;
  // Not created, or it closed itself while being created.
  std::erase_if(app_.documents, [window](const std::unique_ptr<DocumentWindow>& d) {
    return d.get() == window && !d->hwnd();
  });
  return false;
}

}  // namespace veilo
