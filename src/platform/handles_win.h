#pragma once
// Move-only owners for the Win32 handles that have a release rule. Each
// releases exactly once; release() hands ownership away after a receiving
// call (SetClipboardData, SetWindowLongPtr, ...) has succeeded.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

namespace veilo {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Handle{}));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Handle{}; }
  Handle release() { return std::exchange(h_, Handle{}); }
  void reset(Handle h = Handle{}) {
    if (h_ != Handle{}) Traits::Release(h_);
    h_ = h;
  }

 private:
  Handle h_{};
};

template <typename T>
struct GdiTraits {
  static void Release(T h) { DeleteObject(h); }
};
template <typename T>
using GdiObject = UniqueHandle<T, GdiTraits<T>>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;

struct MenuTraits {
  static void Release(HMENU h) { DestroyMenu(h); }
};
using Menu = UniqueHandle<HMENU, MenuTraits>;

struct AcceleratorTraits {
  static void Release(HACCEL h) { DestroyAcceleratorTable(h); }
};
using Accelerators = UniqueHandle<HACCEL, AcceleratorTraits>;

struct IconTraits {
  static void Release(HICON h) { DestroyIcon(h); }
};
using Icon = UniqueHandle<HICON, IconTraits>;

struct WindowTraits {
  static void Release(HWND h) {
    if (IsWindow(h)) DestroyWindow(h);
  }
};
using OwnedWindow = UniqueHandle<HWND, WindowTraits>;

struct GlobalMemoryTraits {
  static void Release(HGLOBAL h) { GlobalFree(h); }
};
using GlobalBlock = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

struct LibraryTraits {
  static void Release(HMODULE h) { FreeLibrary(h); }
};
using Library = UniqueHandle<HMODULE, LibraryTraits>;

struct AtomTraits {
  static void Release(ATOM a) { GlobalDeleteAtom(a); }
};
using GlobalAtom = UniqueHandle<ATOM, AtomTraits>;

// A device context made by CreateDC or a print dialog.
struct DcTraits {
  static void Release(HDC h) { DeleteDC(h); }
};
using OwnedDc = UniqueHandle<HDC, DcTraits>;

// A memory device context compatible with `reference` (the screen when null).
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(MemoryDc&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& o) noexcept {
    if (this != &o) {
      if (dc_) DeleteDC(dc_);
      dc_ = std::exchange(o.dc_, nullptr);
    }
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
};

// GetDC/ReleaseDC, keeping the window the context belongs to.
class ClientDc {
 public:
  explicit ClientDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ClientDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ClientDc(const ClientDc&) = delete;
  ClientDc& operator=(const ClientDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~PaintDc() { EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& update() const { return ps_.rcPaint; }
  // The background still has to be erased (WM_ERASEBKGND left it).
  bool erase() const { return ps_.fErase != FALSE; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// Selects an object into a context and puts the previous one back. Declare it
// after the object it selects, so that it restores first.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// GlobalLock for the guard's lifetime.
template <typename T = void>
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(static_cast<T*>(GlobalLock(block))) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(block_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  T* get() const { return data_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  HGLOBAL block_;
  T* data_;
};

// The bytes of a movable block (all GlobalSize says it holds); empty when it cannot be locked.
inline std::vector<uint8_t> GlobalBytes(HGLOBAL block) {
  if (!block) return {};
  const SIZE_T size = GlobalSize(block);
  GlobalLockGuard<const uint8_t> data(block);
  if (!data || size == 0) return {};
  return std::vector<uint8_t>(data.get(), data.get() + size);
}

// A zero-initialised movable block holding a copy of `bytes`; none for no bytes or no memory.
inline GlobalBlock GlobalCopy(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return {};
  GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size()));
  if (!block) return {};
  {
    GlobalLockGuard<uint8_t> data(block.get());
    if (!data) return {};
    std::memcpy(data.get(), bytes.data(), bytes.size());
  }
  return block;
}

// OpenClipboard ... CloseClipboard.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool is_open() const { return open_; }

 private:
  bool open_;
};

// The mouse cursor hidden for the guard's lifetime: the display count is taken below zero and
// put back as it was on every exit.
class HiddenCursorGuard {
 public:
  HiddenCursorGuard() {
    // The count may stand above zero (a wait cursor shown meanwhile); a few steps take it below.
    while (hides_ < 8) {
      ++hides_;
      if (ShowCursor(FALSE) < 0) break;
    }
  }
  ~HiddenCursorGuard() {
    for (int i = 0; i < hides_; ++i) ShowCursor(TRUE);
  }
  HiddenCursorGuard(const HiddenCursorGuard&) = delete;
  HiddenCursorGuard& operator=(const HiddenCursorGuard&) = delete;

 private:
  int hides_ = 0;
};

// The standard wait cursor for the guard's lifetime; the previous cursor comes back on every exit.
class WaitCursorGuard {
 public:
  WaitCursorGuard() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) { ShowCursor(TRUE); }
  ~WaitCursorGuard() {
    ShowCursor(FALSE);
    SetCursor(previous_);
  }
  WaitCursorGuard(const WaitCursorGuard&) = delete;
  WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace veilo
