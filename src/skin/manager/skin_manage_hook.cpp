// The manager's CBT hook on the user-interface thread: it sees windows being
// created, activated and destroyed before the window itself does.
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/manager/window_class.h"
#include "ui/win_control.h"

namespace quonel {

struct SkinManageHook {
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    TSkinManage* manager = TSkinManage::Instance();
    // An exception must not cross the platform's hook call.
    if (manager && manager->started_ != TSkinManage::kDestroying) try {
        Handle(*manager, code, reinterpret_cast<HWND>(wParam), lParam);
      } catch (...) {
        HandleEscapedException();
      }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static void Handle(TSkinManage& manager, int code, HWND window, LPARAM lParam) {
    switch (code) {
      case HCBT_CREATEWND: {
        const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        const std::wstring lowerClass = LowerAscii(WindowClassName(window));
        if (lowerClass == L"scrollbar" && (create.style & SBS_SIZEGRIP)) {
          if (TSkinForm* frame = manager.FindForm(create.hwndParent))
            frame->TakeOverSizeGrip(window, static_cast<DWORD>(create.style));
        } else if (!(create.style & WS_CHILD) && lowerClass == L"#32768") {
          manager.AttachPopup(window);
        } else if (create.dwExStyle & WS_EX_MDICHILD) {
          manager.AttachForm(window);
        } else if (!(create.style & (WS_CHILD | WS_VISIBLE)) && create.hInstance == ThisModule() && manager.active_) {
          manager.WatchFirstShow(window);
        }
        break;
      }
      case HCBT_DESTROYWND:
        manager.DetachPopup(window);
        break;
      case HCBT_ACTIVATE:
        manager.MarkStarted();
        manager.AttachForm(window);
        break;
    }
  }
};

void TSkinManage::InstallHook() {
  if (hook_ || started_ == kDestroying) return;
  hook_.Reset(SetWindowsHookExW(WH_CBT, SkinManageHook::Procedure, nullptr, GetCurrentThreadId()));
}

}  // namespace quonel
