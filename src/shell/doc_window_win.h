#pragma once
// A document window (MDIClass): one picture, its view and its selection. The
// window routes mouse, keyboard, scroll, timer and paint messages to the view
// and selection code and runs the document commands the frame forwards.
#include <windows.h>

#include <memory>
#include <string>

#include "doc/image_doc.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "shell/app_shell_win.h"
#include "shell/commands.h"
#include "tools/read_ahead.h"
#include "view/scrolling.h"

namespace veilo {

struct App;

inline constexpr wchar_t kDocumentClass[] = L"MDIClass";

// The reduced copy of the whole picture that the Quick Zoom window shows: a
// bitmap selected into a memory context (put back out before either goes).
class Thumbnail {
 public:
  Thumbnail() = default;
  ~Thumbnail() { Reset(); }
  Thumbnail(const Thumbnail&) = delete;
  Thumbnail& operator=(const Thumbnail&) = delete;

  // A width x height copy compatible with `reference`; false when it cannot be made.
  bool Make(HDC reference, int32_t width, int32_t height);
  void Reset();
  HDC dc() const { return dc_.get(); }

 private:
  MemoryDc dc_;
  Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

class DocumentWindow;

// The core's requests on behalf of one document window.
class DocShell : public AppShell {
 public:
  DocShell(App& app, DocumentWindow& window);
  void InvalidateWindowRect(const ImageDoc& doc, const WindowRect& r) override;
  void RefreshOverview(ImageDoc& doc) override;
  void ReapplyZoom(ImageDoc& doc) override;

 protected:
  HWND Owner() const override;

 private:
  DocumentWindow& window_;
};

class DocumentWindow : public Window {
 public:
  // `name` is the title to register: the file's name or a generated one.
  DocumentWindow(App& app, std::unique_ptr<ImageDoc> doc, std::string name);
  static bool RegisterClass(HINSTANCE instance);

  ImageDoc& doc() { return *doc_; }
  const ImageDoc& doc() const { return *doc_; }
  DocShell& shell() { return shell_; }
  const Thumbnail& thumbnail() const { return thumb_; }
  // The folder's neighbours read ahead since the last step.
  const ReadAhead& readAhead() const { return readAhead_; }

  // Rebuilds the reduced copy for the Quick Zoom window's box.
  void RebuildThumbnail();
  // The picture changed size or zoom: ranges, repaint, zoom pane (SetZoom with the current zoom).
  void ApplyZoom(int32_t zoomPercent);
  // Sets both scroll bars from the document.
  // Without redraw the bars change unseen until the window's frame is repainted.
  void ApplyScrollBars(bool redraw = true);
  // Scroll ranges recomputed for the picture and client size, bars set, Quick Zoom told.
  void UpdateRanges(bool redrawBars = true);
  // Repaints after a scroll or zoom change and tells the Quick Zoom window what is visible.
  void NotifyVisibleRect();
  // One scroll-bar code on one bar, as WM_HSCROLL and WM_VSCROLL do it, with
  // the thumb position in full (Quick Zoom moves the view through it).
  void Scroll(ScrollBarKind bar, int32_t scrollCode, int32_t thumbPosition);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) override { return DefMDIChildProcW(hwnd(), msg, wp, lp); }
  void OnFinalMessage() override;

 private:
  LRESULT OnCreate();
  LRESULT OnDestroy();
  LRESULT OnSize(WPARAM wp, LPARAM lp);
  LRESULT OnPaint();
  LRESULT OnClose();
  LRESULT OnSetText(WPARAM wp, LPARAM lp);
  LRESULT OnMdiActivate(HWND activated);
  LRESULT OnTimer();
  LRESULT OnScroll(UINT msg, WPARAM wp);
  LRESULT OnMouseWheel(WPARAM wp, LPARAM lp);
  LRESULT OnKeyDown(WPARAM wp, LPARAM lp);
  LRESULT OnKeyUp(WPARAM wp, LPARAM lp);
  LRESULT OnCommand(WPARAM wp, LPARAM lp);
  LRESULT OnEraseBackground(HDC dc);

  // The mouse seams (the selection and auto-scroll handlers plug in here).
  LRESULT OnMouse(UINT msg, WPARAM wp, LPARAM lp);

  // Commands (doc_commands_win.cpp, doc_files_win.cpp).
  void RunAction(DocAction action);
  void RunCpMask();
  void CopyToClipboard();
  void Save();
  void SaveAs();
  void StepInFolder(bool backwards, bool fitWhole);
  void ReadAheadFrom(bool backwards);
  void DeleteFile();
  void ZoomBy(DocAction action);
  void FitWhole();
  void ReplaceDocument(std::unique_ptr<ImageDoc> next);
  // The document takes the window's client size as it is now.
  void MeasureClient();
  void RegisterTitle();
  void ReleaseTitle();

  App& app_;
  std::unique_ptr<ImageDoc> doc_;
  std::string name_;
  DocShell shell_;
  Thumbnail thumb_;
  ReadAhead readAhead_;
};

// Whether another document may open (the title table holds 101); shows why not.
bool CanOpenAnotherDocument(App& app, HWND owner);

}  // namespace veilo
