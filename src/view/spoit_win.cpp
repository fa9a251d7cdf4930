#include "view/spoit_win.h"

#include <array>
#include <functional>
#include <optional>

#include "platform/dpi_scale.h"
#include "platform/dpi_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "platform/window_win.h"
#include "shell/app_win.h"
#include "shell/resource_ids.h"
#include "shell/texts.h"
#include "view/spoit.h"
#include "view/spoit_view_win.h"

namespace veilo {

namespace {

constexpr std::array<const wchar_t*, 5> kRadioTexts = {L"x 1", L"x 2", L"x 4", L"x 8", L"x16"};

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The picker: the swatch, the magnification buttons and the picture view.
class SpoitPicker : public Window, private SpoitViewHost {
 public:
  SpoitPicker(App& app, SpoitState& state, ColourPickTarget& target, HWND owner)
      : app_(app), state_(state), target_(target), owner_(owner), view_(state, target, *this) {}
  ~SpoitPicker() override { Close(); }
  SpoitPicker(const SpoitPicker&) = delete;
  SpoitPicker& operator=(const SpoitPicker&) = delete;

  bool Create();
  // The owner is enabled before the picker goes, so that it takes the activation back.
  void Close();
  // Whether the picker reads this document's picture.
  bool Reads(const ImageDoc& doc) const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT OnCreate();
  LRESULT OnSize(int width, int height);
  LRESULT OnCommand(WPARAM wp, LPARAM lp);
  LRESULT OnCtlColorStatic(WPARAM wp, LPARAM lp);
  LRESULT OnMouseWheel(WPARAM wp, LPARAM lp);
  void EnableOwner() const;

  void ShowPointerColour(const std::array<uint8_t, 3>& rgb) override;
  void FinishPicking() override { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

  App& app_;
  SpoitState& state_;
  ColourPickTarget& target_;
  HWND owner_;
  SpoitView view_;
  HWND swatch_ = nullptr;
  std::array<HWND, 5> radios_{};
  int32_t charWidth_ = 0, lineHeight_ = 0;
  Brush swatchBrush_;
  std::optional<std::array<uint8_t, 3>> swatchColour_;
};

// One spoit per program: its magnification is kept from one picking to the next.
SpoitState& Spoit() {
  static SpoitState state;
  return state;
}

SpoitPicker*& OpenPicker() {
  static SpoitPicker* picker = nullptr;
  return picker;
}

bool SpoitPicker::Create() {
  RECT ownerRect{};
  if (owner_) GetWindowRect(owner_, &ownerRect);
  const ControlBox at = SpoitPickerPlacement(ownerRect.left, ownerRect.top, app_.font.charWidth, app_.font.lineHeight,
                                             app_.dpi);
  const int dpi = WindowDpi(owner_);
  const std::wstring caption = Wide(Text(TextId::SpoitTitle, app_.language));
  return CreateWindowExW(0, kSpoitPickerClass, caption.c_str(),
                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN |
                             WS_VISIBLE,
                         at.x, at.y, ScaleToDpi(at.width, dpi), ScaleToDpi(at.height, dpi), owner_, nullptr,
                         app_.instance, this) != nullptr;
}

void SpoitPicker::Close() {
  if (!hwnd()) return;
  EnableOwner();
  DestroyWindow(hwnd());
}

void SpoitPicker::EnableOwner() const {
  if (owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
}

bool SpoitPicker::Reads(const ImageDoc& doc) const {
  if (doc.dib.empty()) return false;
  const uint8_t* begin = doc.dib.data();
  const uint8_t* end = begin + doc.dib.size();
  const auto inside = [begin, end](const uint8_t* p) {
    return p && !std::less<const uint8_t*>()(p, begin) && std::less<const uint8_t*>()(p, end);
  };
  return inside(target_.header) || inside(target_.pixels.bits);
}

LRESULT SpoitPicker::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_SIZE: return OnSize(LOWORD(lp), HIWORD(lp));
    case WM_COMMAND: return OnCommand(wp, lp);
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(wp, lp);
    case WM_MOUSEWHEEL: return OnMouseWheel(wp, lp);
    case WM_CLOSE: Close(); return 0;
    case WM_DESTROY: EnableOwner(); return 0;
    default: return DefaultHandling(msg, wp, lp);
  }
}

LRESULT SpoitPicker::OnCreate() {
  {
    ClientDc dc(hwnd());
    SelectGuard selected(dc.get(), GuiFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    charWidth_ = metrics.tmAveCharWidth;
    lineHeight_ = SpoitLineHeight(metrics.tmExternalLeading, metrics.tmHeight, WindowDpi(hwnd()));
  }
  if (!view_.Create(hwnd(), app_.instance)) return -1;
  swatch_ = CreateWindowExW(WS_EX_STATICEDGE, L"static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(), nullptr,
                            app_.instance, nullptr);
  if (!swatch_) return -1;
  for (size_t i = 0; i < radios_.size(); ++i) {
    const DWORD group = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
    radios_[i] = CreateWindowExW(0, L"button", kRadioTexts[i], WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | group, 0,
                                 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSpoitFirstRadioId + i)),
                                 app_.instance, nullptr);
    if (!radios_[i]) return -1;
    SendMessageW(radios_[i], WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  }
  const int32_t checked = SpoitRadioIndexOf(state_.magnification);
  CheckRadioButton(hwnd(), kSpoitFirstRadioId, kSpoitFirstRadioId + 4, kSpoitFirstRadioId + (checked < 0 ? 0 : checked));
  return 0;
}

LRESULT SpoitPicker::OnSize(int width, int height) {
  if (IsIconic(hwnd())) return 0;
  const SpoitLayout layout = SpoitPickerLayout(width, height, charWidth_, lineHeight_, WindowDpi(hwnd()));
  const auto place = [](HWND w, const ControlBox& b) { MoveWindow(w, b.x, b.y, b.width, b.height, TRUE); };
  place(swatch_, layout.swatch);
  for (size_t i = 0; i < radios_.size(); ++i) place(radios_[i], layout.radios[i]);
  place(view_.hwnd(), layout.view);
  return 0;
}

LRESULT SpoitPicker::OnCommand(WPARAM wp, LPARAM lp) {
  const int id = LOWORD(wp);
  const int32_t magnification = SpoitMagnificationOf(id - kSpoitFirstRadioId);
  if (HIWORD(wp) != BN_CLICKED || magnification == 0) return DefaultHandling(WM_COMMAND, wp, lp);
  CheckRadioButton(hwnd(), kSpoitFirstRadioId, kSpoitFirstRadioId + 4, id);
  if (magnification == state_.magnification || !SpoitSetMagnification(state_, magnification)) return 0;
  view_.ApplyBars();
  // Erased too: a smaller magnified picture uncovers the background.
  InvalidateRect(view_.hwnd(), nullptr, TRUE);
  return 0;
}

LRESULT SpoitPicker::OnCtlColorStatic(WPARAM wp, LPARAM lp) {
  if (reinterpret_cast<HWND>(lp) == swatch_ && swatchBrush_) return reinterpret_cast<LRESULT>(swatchBrush_.get());
  return DefaultHandling(WM_CTLCOLORSTATIC, wp, lp);
}

// The wheel turned over the picker or one of its buttons scrolls the picture.
LRESULT SpoitPicker::OnMouseWheel(WPARAM wp, LPARAM lp) {
  SendMessageW(view_.hwnd(), WM_MOUSEWHEEL, wp, lp);
  return 0;
}

void SpoitPicker::ShowPointerColour(const std::array<uint8_t, 3>& rgb) {
  if (swatchColour_ == rgb) return;
  swatchColour_ = rgb;
  swatchBrush_.reset(CreateSolidBrush(RGB(rgb[0], rgb[1], rgb[2])));
  InvalidateRect(swatch_, nullptr, TRUE);
  UpdateWindow(swatch_);
}

// The picker's messages until it has gone. A quit message ends the picking
// and is posted again, so that the outer loop ends the program as it should.
void RunUntilClosed(const Window& picker) {
  MSG msg;
  while (picker.hwnd()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool RegisterSpoitPickerClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kSpoitPickerClass, Window::Router, CS_OWNDC,
                             LoadIconW(instance, MAKEINTRESOURCEW(IDI_FRAME)), LoadCursorW(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INACTIVEBORDER + 1)));
}

bool RegisterSpoitViewClass(HINSTANCE instance) { return SpoitView::RegisterClass(instance); }

int PickColour(HWND owner, ColourPickTarget& target) {
  if (!HasApp()) return 0;
  SpoitState& state = Spoit();
  if (!SpoitBegin(state, target)) return 0;
  {
    SpoitPicker picker(TheApp(), state, target, owner);
    if (picker.Create()) {
      OpenPicker() = &picker;
      if (owner) EnableWindow(owner, FALSE);
      RunUntilClosed(picker);
      OpenPicker() = nullptr;
    }
  }
  const int picked = SpoitEnd(state);
  if (owner && IsWindow(owner)) SetFocus(owner);
  return picked;
}

int PickColourFromDocument(HWND owner, ImageDoc& doc, ColourPickTarget& target) {
  target = PickTargetOf(doc);
  return PickColour(owner, target);
}

void SpoitForgetPicture(const ImageDoc& doc) {
  if (SpoitPicker* picker = OpenPicker(); picker && picker->Reads(doc)) picker->Close();
}

}  // namespace veilo
