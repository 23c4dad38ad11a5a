// TSkinPopupMenu: the skin of one open popup-menu window (class "#32768"),
// made by the skin manager when the window is created and freed when it is
// destroyed. It sits in front of the window's procedure, declares the window
// skinned (SKM_ISSKINNED answers 1) and, when the skin has a MenuBackground
// image, paints the popup's frame and background from it: the items, drawn
// by their owner, take their background from the same bitmap.
#pragma once
#include <windows.h>

#include <functional>

#include "skin/gdi/skin_bitmap.h"
#include "ui/window_subclass.h"

namespace quonel {

class TSkinData;

class TSkinPopupMenu {
 public:
  TSkinPopupMenu(HWND window, TSkinData* data, bool menuFlag);
  ~TSkinPopupMenu();  // gives the window its procedure back
  TSkinPopupMenu(const TSkinPopupMenu&) = delete;
  TSkinPopupMenu& operator=(const TSkinPopupMenu&) = delete;

  void Detach();
  bool Attached() const { return link_.Attached(); }
  HWND Window() const { return window_; }
  TSkinData* SkinData() const { return skinData_; }
  bool MenuFlag() const { return menuFlag_; }
  // The menu this popup shows: as bound, else as the window tells; none: nullptr.
  HMENU BoundMenu() const;
  void BindMenu(HMENU menu) { boundMenu_ = menu; }
  // The popup's painted background, for drawing its items over (empty
  // without a MenuBackground image).
  const SkinBitmap& Background() const { return background_; }
  SkinBitmap& Background() { return background_; }
  // The background at the window's present size (built when missing).
  const SkinBitmap& CurrentBackground();
  // Where the client area starts inside the window: the popup's real border.
  POINT BorderOffset() const;
  // The attached popup skin showing menu, or null: the items drawn into a
  // popup take its background.
  static TSkinPopupMenu* Showing(HMENU menu);
  // While this answers false the popup only passes messages on (the manager is off).
  std::function<bool()> ManagerActive;

 private:
  void HandleMessage(TMessage& message);
  bool HasBackgroundImage() const;
  void RebuildBackground();
  void PrintClient(HDC dc);
  // The parts of the client area no item covers, from the background.
  void CoverAroundItems();

  TWindowSubclass link_;
  HWND window_;
  TSkinData* skinData_;
  bool menuFlag_;
  HMENU boundMenu_ = nullptr;
  SkinBitmap background_;
};

}  // namespace quonel
