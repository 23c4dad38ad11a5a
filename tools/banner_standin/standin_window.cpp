// The stand-in's window: a gradient that moves with the clock, the movie
// address over it, composed off screen and blitted once; clicks become the
// banner's events.
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "standin_control.h"

namespace quonel::standin {
namespace {

constexpr wchar_t kWindowClass[] = L"QuonelBannerStandIn";
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kFrameMs = 40;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

LRESULT CALLBACK BannerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* control = reinterpret_cast<StandInControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE:
      SetTimer(window, kAnimationTimer, kFrameMs, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == kAnimationTimer) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window, &client);
      if (msg == WM_PRINTCLIENT) {
        if (control) control->Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
      }
      PaintScope paint(window);
      if (control) control->Paint(paint.Get(), client);
      return 0;
    }
    case WM_LBUTTONUP:
      if (control) control->Clicked(false);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (control) control->Clicked(true);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kAnimationTimer);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

void RegisterWindowClassOnce() {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(ThisModule(), kWindowClass, &existing)) return;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = BannerWindowProc;
  windowClass.hInstance = ThisModule();
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // the hand: a banner is a link
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
}

// A blue-to-orange band that wanders across the banner once every few seconds.
COLORREF GradientAt(int x, int width, DWORD clock) {
  const double phase = static_cast<double>(clock % 4000) / 4000.0;
  const double t = 0.5 + 0.5 * std::sin(6.283185307 * (static_cast<double>(x) / (width > 0 ? width : 1) - phase));
  const auto mix = [t](int a, int b) { return static_cast<BYTE>(a + (b - a) * t); };
  return RGB(mix(20, 250), mix(80, 140), mix(200, 30));
}

}  // namespace

void StandInControl::CreateBannerWindow(HWND parent, const RECT& bounds) {
  RegisterWindowClassOnce();
  window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr, ThisModule(),
                            this);
}

void StandInControl::AskAmbientFont() {
  ComPtr<IDispatch> ambient = site_.As<IDispatch>(IID_IDispatch);
  if (!ambient) return;
  DISPPARAMS none = {};
  VARIANT font;
  VariantInit(&font);
  if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &font, nullptr, nullptr)) &&
      font.vt == VT_DISPATCH && font.pdispVal)
    font.pdispVal->QueryInterface(IID_IFont, font_.PutVoid());
  VariantClear(&font);
}

void StandInControl::Paint(HDC dc, const RECT& client) {
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  MemoryDc memory(dc);
  void* bits = nullptr;
  OwnedBitmap bitmap = CreateDibSection(width, height, 32, &bits);
  if (!bitmap || !bits) return;
  SelectionScope selectBitmap(memory.Get(), bitmap.Get());
  // One row of the gradient, copied to every row.
  auto* pixels = static_cast<DWORD*>(bits);
  const DWORD clock = GetTickCount();
  for (int x = 0; x < width; ++x) {
    const COLORREF colour = GradientAt(x, width, clock);
    pixels[x] = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  }
  for (int y = 1; y < height; ++y) std::copy(pixels, pixels + width, pixels + static_cast<size_t>(y) * width);
  HFONT font = nullptr;
  if (font_) font_->get_hFont(&font);
  SelectionScope selectFont(memory.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(memory.Get(), TRANSPARENT);
  SetTextColor(memory.Get(), RGB(255, 255, 255));
  const std::wstring movie = properties_.Text(L"Movie");
  std::wstring text = L"Banner stand-in\n" + (movie.empty() ? std::wstring(L"(no movie)") : movie);
  RECT box = {0, 0, width, height};
  RECT measured = box;
  DrawTextW(memory.Get(), text.c_str(), -1, &measured, DT_CENTER | DT_CALCRECT | DT_NOPREFIX);
  box.top = (height - (measured.bottom - measured.top)) / 2;
  DrawTextW(memory.Get(), text.c_str(), -1, &box, DT_CENTER | DT_NOPREFIX);
  BitBlt(dc, client.left, client.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace quonel::standin
