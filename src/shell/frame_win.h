#pragma once
// The frame window (VeiloMDIFrameClass): the MDI client, the toolbar strip and
// its buttons and tips, the three status panes and the 100 ms timer. It opens
// documents, carries out the application commands and forwards the document
// commands to the active document window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "doc/packed_dib.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "shell/enabling.h"
#include "shell/status_panes_win.h"
#include "shell/tip_window_win.h"
#include "shell/tips.h"
#include "shell/toolbar_win.h"

namespace veilo {

struct App;
class DocumentWindow;

inline constexpr wchar_t kFrameClass[] = L"VeiloMDIFrameClass";
inline constexpr char kFrameTitle[] = "VEILO";
inline constexpr UINT_PTR kFrameTimerId = 1;
inline constexpr UINT kFrameTimerMs = 100;

class FrameWindow : public Window {
 public:
  explicit FrameWindow(App& app) : app_(app) {}
  static bool RegisterClass(HINSTANCE instance);
  // Position and size of the frame (CW_USEDEFAULT where the system chooses).
  HWND Create(const ChildRect& placement);

  // Brings every menu item and toolbar button up to date with the state.
  void RefreshControls();
  UiSnapshot Snapshot() const;

  StatusPanes& panes() { return panes_; }
  // The zoom pane for the active document ("" without one).
  void ShowZoom(int32_t zoomPercent);
  void ClearZoom();
  // Area and pointer texts of the position pane.
  void ShowArea(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void ShowPointer(int32_t x, int32_t y);
  void ClearPosition();
  // The caption while `document` (a document window's caption) is maximised.
  void ShowMaximisedCaption(std::string_view document);

  // Switches the menu bar: the document menu while a document is active.
  void UseDocumentMenu(bool document);

  // The toolbar tips see every mouse message before it is dispatched.
  void TrackTip(const MSG& msg);
  int dpi() const { return dpi_; }
  // Whether the 100 ms timer runs (it drives edge scrolling and the auto-scroll).
  bool timerRunning() const { return timerRunning_; }

  // Opening documents (also used by the private commands and the tests). A
  // file whose content is another format than its name says is offered to be
  // opened as what it is (a Yes/No question); without `askAboutContent`, its
  // mismatch is only explained and nothing opens.
  DocumentWindow* OpenFile(const std::string& path, bool askAboutContent = true);
  DocumentWindow* OpenBitmap(HBITMAP bitmap, bool isNewImage);
  // A scanned picture (canonical 24-bit) as a new document "TWAIN%03d".
  DocumentWindow* OpenScannedPicture(PackedDib picture);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT OnCreate();
  LRESULT OnSize(int width, int height);
  LRESULT OnTimer(UINT_PTR id);
  LRESULT OnCommand(WPARAM wp, LPARAM lp);
  LRESULT OnDropFiles(HDROP drop);
  LRESULT OnInitMenu();
  LRESULT OnCtlColorStatic(HDC dc, HWND control, WPARAM wp, LPARAM lp);
  LRESULT OnDrawItem(const DRAWITEMSTRUCT* item);
  LRESULT OnSysCommand(WPARAM wp, LPARAM lp);
  LRESULT OnDestroy();
  LRESULT OnDpiChanged(int dpi, const RECT* suggested);
  LRESULT OnSysColorChange();

  // Frame commands (frame_commands_win.cpp).
  bool RunFrameCommand(WORD id, WPARAM wp, LPARAM lp);
  void OnOpenCommand();
  void OnPaste();
  void OnAbout();
  void OnHelp();
  void OnOpenHandedOver(ATOM atom);
  void OnOpenCommandLineFile(const char* path);
  void OnOpenDropped(HGLOBAL block);
  void ProcessCommandLine();
  void ForwardToDocument(WPARAM wp, LPARAM lp);
  bool CreateDocument(DocumentWindow* window);

  void MeasureFont();
  void ApplyTipEffects(const TipEffects& effects);
  void LayoutChildren();

  App& app_;
  HWND mdiClient_ = nullptr;
  HWND topLine_ = nullptr, strip_ = nullptr, blackLine_ = nullptr;
  Toolbar toolbar_;
  StatusPanes panes_;
  TipWindow tip_;
  TipTracker tips_;
  Font font_;
  int dpi_ = 96;
  bool timerRunning_ = false;
  bool documentMenuShown_ = false;
};

}  // namespace veilo
