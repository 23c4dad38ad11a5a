// Owners for Win32 handles, shared by every Windows layer: each releases what
// it holds exactly once, moves but never copies, and a selection into a DC or
// a saved DC state is undone when its scope ends.
#pragma once
#include <windows.h>
#include <bcrypt.h>
#include <unknwn.h>

#include <utility>

#include "core/color.h"

namespace quonel {

// A handle with the rules of its kind: Traits::Invalid() holds nothing,
// Traits::Free releases.
template <typename Traits>
class OwnedHandle {
 public:
  using Handle = typename Traits::Handle;
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Traits::Invalid()));
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid() && handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid() && handle_ != nullptr) Traits::Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { DeleteObject(handle); }
};
struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle handle) { CloseHandle(handle); }
};
struct KernelObjectTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { CloseHandle(handle); }
};
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { DestroyMenu(handle); }
};
struct CryptAlgorithmTraits {
  using Handle = BCRYPT_ALG_HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct CryptHashTraits {
  using Handle = BCRYPT_HASH_HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { BCryptDestroyHash(handle); }
};
struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { DestroyIcon(handle); }
};
struct HookTraits {
  using Handle = HHOOK;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { UnhookWindowsHookEx(handle); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { DeleteDC(handle); }
};

// Pens, brushes, bitmaps, regions and fonts: freed with DeleteObject.
template <typename Handle>
using GdiObject = OwnedHandle<GdiObjectTraits<Handle>>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedPen = GdiObject<HPEN>;
using OwnedRegion = GdiObject<HRGN>;

// A device-independent bitmap section, top row first, without a colour
// table (16, 24 or 32 bits per pixel); bits receives its pixel memory.
inline OwnedBitmap CreateDibSection(int width, int height, WORD bitsPerPixel, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  return OwnedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { GlobalFree(handle); }
};
// Memory blocks from GlobalAlloc (handed to a stream with Release()).
using OwnedGlobalMemory = OwnedHandle<GlobalMemoryTraits>;

// Files opened with CreateFile (INVALID_HANDLE_VALUE holds nothing).
using OwnedFile = OwnedHandle<FileTraits>;
// Events, threads, processes (null holds nothing).
using OwnedKernelHandle = OwnedHandle<KernelObjectTraits>;
// The platform's cryptography (CNG): an algorithm provider and a hash object.
using OwnedCryptAlgorithm = OwnedHandle<CryptAlgorithmTraits>;
using OwnedCryptHash = OwnedHandle<CryptHashTraits>;
// Icons made by LoadImage or CopyImage (not shared ones).
using OwnedIcon = OwnedHandle<IconTraits>;
// A window hook, removed when its owner goes.
using OwnedHook = OwnedHandle<HookTraits>;
// A timer of the thread, without a window (its procedure runs from the
// message loop); killed at the end of its owner.
class ThreadTimer {
 public:
  ThreadTimer() = default;
  ~ThreadTimer() { Stop(); }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;
  // (Re)starts: a running timer starts counting again with the new interval.
  void Start(UINT intervalMs, TIMERPROC procedure) {
    id_ = SetTimer(nullptr, id_, intervalMs, procedure);
  }
  void Stop() {
    if (id_) KillTimer(nullptr, std::exchange(id_, 0));
  }
  bool Running() const { return id_ != 0; }
  UINT_PTR Id() const { return id_; }

 private:
  UINT_PTR id_ = 0;
};

// Menus made with CreatePopupMenu / CreateMenu that no window holds.
using OwnedMenu = OwnedHandle<MenuTraits>;

// A memory DC compatible with the screen (or with a given DC), deleted at the end of its scope.
class MemoryDc : public OwnedHandle<MemoryDcTraits> {
 public:
  explicit MemoryDc(HDC compatibleWith = nullptr) : OwnedHandle(CreateCompatibleDC(compatibleWith)) {}
};

// A window's DC (the screen's for no window), released at the end of its scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A DC of the whole window, non-client area included, released at the end of its scope.
class WholeWindowDc {
 public:
  explicit WholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WholeWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WholeWindowDc(const WholeWindowDc&) = delete;
  WholeWindowDc& operator=(const WholeWindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint around a scope.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Get() const { return dc_; }
  const PAINTSTRUCT& Paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectionScope {
 public:
  SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectionScope() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// SaveDC / RestoreDC around a scope.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// One reference to a COM object, released once. Out-parameters take the
// address from Put(), which drops what the owner held.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller holds.
  explicit ComPtr(Interface* pointer) : pointer_(pointer) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.pointer_, nullptr));
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  // A new reference to pointer (AddRef'd here).
  static ComPtr Share(Interface* pointer) {
    if (pointer) pointer->AddRef();
    return ComPtr(pointer);
  }
  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  Interface** Put() {
    Reset();
    return &pointer_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  Interface* Detach() { return std::exchange(pointer_, nullptr); }
  void Reset(Interface* pointer = nullptr) {
    if (Interface* old = std::exchange(pointer_, pointer)) old->Release();
  }
  // Another interface of the same object; empty when it has none.
  template <typename Other>
  ComPtr<Other> As(const IID& iid) const {
    ComPtr<Other> other;
    if (pointer_) pointer_->QueryInterface(iid, other.PutVoid());
    return other;
  }

 private:
  Interface* pointer_ = nullptr;
};

// A negative colour is a system colour, resolved now: the low byte is its
// index (skins store the older 0x80000000-based values as well as 0xFF...).
inline COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF) & 0xFFFFFF;
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

}  // namespace quonel
