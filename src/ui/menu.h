// The menus of the control library: TMenu holds a root item whose sub-items
// are the entries, and one platform menu that shows them; TMainMenu is a
// form's menu bar, TPopupMenu a menu shown at a point. A menu whose
// OwnerDraw is set has every entry owner-drawn: the owning window passes the
// platform's measure and draw requests to the items (see TCustomForm).
#pragma once
#include <windows.h>

#include "core/win32_owners.h"
#include "ui/menu_item.h"

namespace quonel {

class TMenu : public TComponent {
 public:
  ~TMenu() override;
  const wchar_t* ClassName() const override { return L"TMenu"; }

  TMenuItem* Items() const { return items_; }
  HMENU Handle() const { return handle_.Get(); }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  // Builds the platform menu again from the items (done on every change).
  void Rebuild();
  // The item with that command identifier anywhere in this menu, or null.
  TMenuItem* FindItem(UINT command) const;

 protected:
  TMenu(TComponent* owner, HMENU handle);
  // After a rebuild (a menu bar redraws its window).
  virtual void MenuChanged() {}

 private:
  OwnedMenu handle_;
  TMenuItem* items_;  // owned as a component
  bool ownerDraw_ = false;
  bool rebuilding_ = false;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner, CreateMenu()) {}
  const wchar_t* ClassName() const override { return L"TMainMenu"; }
  // The window showing this menu bar (set by the form), or null.
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND window) { window_ = window; }

 protected:
  void MenuChanged() override;

 private:
  HWND window_ = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner, CreatePopupMenu()) {}
  const wchar_t* ClassName() const override { return L"TPopupMenu"; }
  // Shows the menu at a screen point and runs the chosen item's click. The
  // window receives the measure and draw requests: the owner form's window,
  // else the active window.
  void Popup(int x, int y);
  std::function<void(TComponent* sender)> OnPopup;
};

}  // namespace quonel
