// TSkinPopupMenu: the skin of one open popup-menu window (class "#32768"),
// made by the skin manager when the window is created and freed when it is
// destroyed. It sits in front of the window's procedure, declares the window
// skinned (SKM_ISSKINNED answers 1) and passes everything else on.
#pragma once
#include <windows.h>

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
  // The menu this popup shows, once the frame has told the manager; none: nullptr.
  HMENU BoundMenu() const { return boundMenu_; }
  void BindMenu(HMENU menu) { boundMenu_ = menu; }
  // The popup's painted background, for drawing its items over.
  const SkinBitmap& Background() const { return background_; }
  SkinBitmap& Background() { return background_; }

 private:
  void HandleMessage(TMessage& message);

  TWindowSubclass link_;
  HWND window_;
  TSkinData* skinData_;
  bool menuFlag_;
  HMENU boundMenu_ = nullptr;
  SkinBitmap background_;
};

}  // namespace quonel
