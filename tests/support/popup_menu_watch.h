// Looking at a popup menu while it is open: the menu's modal loop still
// dispatches thread timers, so a check that runs on every tick of one sees
// the open popup window and can close it.
#pragma once
#include <windows.h>

#include <functional>

namespace quonel::testing {

class PopupMenuWatch {
 public:
  // check runs on every tick until it answers true; give up after maxTicks
  // ticks by calling it with no popup.
  explicit PopupMenuWatch(std::function<bool(HWND popup)> check, int maxTicks = 250) {
    Current() = [check = std::move(check), maxTicks, ticks = 0]() mutable {
      HWND popup = FindWindowW(L"#32768", nullptr);
      if (popup && !IsWindowVisible(popup)) popup = nullptr;
      if (!popup && ++ticks < maxTicks) return false;
      return check(popup);
    };
    id_ = SetTimer(nullptr, 0, 20, Tick);
  }
  ~PopupMenuWatch() {
    KillTimer(nullptr, id_);
    Current() = nullptr;
  }
  PopupMenuWatch(const PopupMenuWatch&) = delete;
  PopupMenuWatch& operator=(const PopupMenuWatch&) = delete;

 private:
  static std::function<bool()>& Current() {
    static std::function<bool()> current;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    if (Current() && Current()()) {
      KillTimer(nullptr, id);
      Current() = nullptr;
    }
  }
  UINT_PTR id_ = 0;
};

}  // namespace quonel::testing
