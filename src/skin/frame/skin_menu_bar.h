// TSkinMenuBar: the menu bar of a skinned window. It takes the window's
// menu away (the platform draws no bar any more), keeps one button per
// top-level item, paints them into the band the frame gives it (background
// from the skin's menu-bar object), answers hit tests, shows the hot and
// pressed states, and opens the drop-downs itself: the arrow keys move
// between the bar's menus while one is open. The window gets its menu back
// when the bar goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/liveness.h"
#include "skin/gdi/skin_bitmap.h"
#include "skin/menus/menu_geometry.h"
#include "ui/window_subclass.h"

namespace quonel {

class TSkinData;
class TMainMenu;
class TMenuItem;

// One button of the bar.
struct TMenuBtn {
  int index = 0;
  std::wstring caption;
  bool enabled = true;
  bool visible = true;
  UINT command = 0;
  HMENU subMenu = nullptr;
  TMenuItem* item = nullptr;  // the toolkit item, when there is one
  RECT rect{};                // in window coordinates
  int state = 1;              // 1 normal, 2 pressed, 3 hot
};

class TSkinMenuBar {
 public:
  // form menu: the window's toolkit menu bar, or null for a bare window.
  TSkinMenuBar(HWND window, TSkinData* data, TMainMenu* menu);
  ~TSkinMenuBar();  // the window shows its menu again
  TSkinMenuBar(const TSkinMenuBar&) = delete;
  TSkinMenuBar& operator=(const TSkinMenuBar&) = delete;

  // Reads the window's menu (or the last one) into buttons.
  void Rebuild();
  // The form's menu as it is now (null once freed): whoever knows the form
  // tells the bar before it rebuilds or goes.
  void SetToolkitMenu(TMainMenu* menu) { toolkitMenu_ = menu; }
  int Height() const;
  // Paints the bar into dc at rect (window coordinates when dc is the window's DC).
  void PaintBar(HDC dc, const RECT& rect, bool active);
  // The button under a window point, -1 for none.
  int HitTest(POINT windowPoint) const;
  void MouseMove(POINT windowPoint);
  void MouseDown(POINT windowPoint);
  void MouseLeave();
  // Opens the button's drop-down (a leaf item runs its command instead) and
  // returns when the menus are closed.
  void OpenBarMenu(int index);

  // The button a key opens: 0 (F10, a lone Alt) the first with a drop-down,
  // else the one whose caption has the key as mnemonic; -1 for none.
  int ButtonForKey(wchar_t key) const;
  // The window is being destroyed, and with it the menu it shows: a menu of
  // the platform's goes back to be destroyed with it, a toolkit menu (which
  // its form took off the window already) stays off.
  void WindowClosing() { closing_ = true; }

  HMENU MenuHandle() const { return menu_; }
  // The button under the mouse, -1 for none.
  int HotButton() const { return hot_; }
  const std::vector<TMenuBtn>& Buttons() const { return buttons_; }
  // The button whose drop-down is open, -1 while none is.
  int TrackedButton() const { return tracked_; }

  // The measure and draw requests of the platform menu items the bar made
  // owner-drawn for the open drop-down; false for any other item.
  bool MeasureItem(MEASUREITEMSTRUCT& measure) const;
  bool DrawItem(const DRAWITEMSTRUCT& draw) const;

 private:
  // The bar whose drop-down is open on this thread (menus are modal per thread).
  static inline thread_local TSkinMenuBar* tracking_ = nullptr;
  static LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam);
  bool RightToLeftMenu() const;
  bool FilterMessage(const MSG& message);
  // The open popup-menu window of this thread, or null.
  static HWND OpenPopupWindow();
  void WatchOwner(TMessage& message);
  void SwitchTo(int index);
  void SetButtonState(int index, int state);
  void PaintButton(HDC dc, const TMenuBtn& button);
  std::vector<MenuBarButtonText> Texts() const;
  // A drop-down the toolkit did not build is drawn by the skin while it is
  // open: its items (and their sub-menus' items) turn owner-drawn, and get
  // their own look back when it closes.
  void MarkOwnerDrawn(HMENU menu);
  void UnmarkOwnerDrawn();

  HWND window_;
  TSkinData* data_;
  TMainMenu* toolkitMenu_;
  HMENU menu_ = nullptr;
  std::vector<TMenuBtn> buttons_;
  RECT barRect_{};
  SkinBitmap background_;  // the bar as last painted without buttons
  bool active_ = true;
  bool closing_ = false;
  int hot_ = -1;
  // While a drop-down is open.
  int tracked_ = -1;
  int pendingSwitch_ = -1;
  bool firstFilterCall_ = false;
  BarMenuSelection selection_;
  struct MarkedItem {
    HMENU menu;
    UINT position;
    UINT id;
    UINT originalType;
    std::wstring text;
    bool isDefault;
  };
  std::vector<MarkedItem> marked_;
  TWindowSubclass ownerLink_;
  // OpenBarMenu watches it across the menu loop.
  TLiveness liveness_;
};

}  // namespace quonel
