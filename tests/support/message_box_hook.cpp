#include "support/message_box_hook.h"

namespace quonel::testing {

namespace {

thread_local MessageBoxAnswerer* active = nullptr;

std::wstring WindowText(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return text;
}

// The box's message: the static control that is not its icon.
std::wstring MessageText(HWND box) {
  std::wstring found;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM result) -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Static") != 0) return TRUE;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
        const std::wstring text = WindowText(child);
        if (!text.empty()) *reinterpret_cast<std::wstring*>(result) = text;
        return text.empty();
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int button, Moment moment) : defaultButton_(button), moment_(moment) {
  active = this;
  hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (active == this) active = nullptr;
}

void MessageBoxAnswerer::QueueAnswers(std::initializer_list<int> buttons) {
  queued_.insert(queued_.end(), buttons.begin(), buttons.end());
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  // After the box's WM_INITDIALOG its caption and text are set; WM_ACTIVATE
  // comes once it is shown.
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  const UINT seenAt = active && active->moment_ == Moment::Active ? WM_ACTIVATE : WM_INITDIALOG;
  if (code == HC_ACTION && active && call->message == seenAt &&
      (seenAt != WM_ACTIVATE || (LOWORD(call->wParam) != WA_INACTIVE && call->hwnd != active->lastAnswered_))) {
    wchar_t className[16] = {};
    GetClassNameW(call->hwnd, className, 16);
    if (lstrcmpW(className, L"#32770") == 0) active->Answer(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::Answer(HWND box) {
  lastAnswered_ = box;
  SeenMessageBox seen{box, WindowText(box), MessageText(box), GetWindow(box, GW_OWNER)};
  boxes_.push_back(seen);
  if (OnBox) OnBox(seen);
  int button = defaultButton_;
  if (!queued_.empty()) {
    button = queued_.front();
    queued_.pop_front();
  }
  // Posted: the box's own modal loop takes it once the box is up.
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

}  // namespace quonel::testing
