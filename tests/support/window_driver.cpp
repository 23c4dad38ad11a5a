#include "support/window_driver.h"

#include <cwctype>

namespace quonel::testing {
namespace {

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == found->first && IsWindowVisible(window)) found->second.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  std::pair<DWORD, std::vector<HWND>> found{processId, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  // WM_GETTEXT rather than GetWindowText: it also reads controls of other processes.
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

HWND FindChildByText(HWND parent, const std::wstring& text) {
  HWND hidden = nullptr;
  for (HWND child : Descendants(parent)) {
    if (WindowText(child) != text) continue;
    if (IsWindowVisible(child)) return child;
    if (!hidden) hidden = child;
  }
  return hidden;
}

HWND FindChildByClass(HWND parent, const std::wstring& part) {
  const std::wstring wanted = Lower(part);
  for (HWND child : Descendants(parent))
    if (IsWindowVisible(child) && Lower(ClassName(child)).find(wanted) != std::wstring::npos) return child;
  return nullptr;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (static_cast<int>(deadline - GetTickCount()) <= 0) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

void PostClick(HWND button) {
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void ClickListItem(HWND listBox, int index) {
  RECT item = {};
  SendMessageTimeoutW(listBox, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageW(listBox, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(listBox, WM_LBUTTONUP, 0, at);
}

MessageBoxWindow FindMessageBox(DWORD processId) {
  for (HWND window : TopLevelWindows(processId)) {
    if (ClassName(window) != L"#32770") continue;
    MessageBoxWindow box;
    box.window = window;
    box.caption = WindowText(window);
    for (HWND child : Descendants(window)) {
      const std::wstring kind = Lower(ClassName(child));
      if (kind == L"static" && !WindowText(child).empty()) box.text = WindowText(child);
    }
    return box;
  }
  return {};
}

bool AnswerMessageBox(const MessageBoxWindow& box, const std::wstring& label) {
  if (!box.window) return false;
  for (HWND child : Descendants(box.window)) {
    if (Lower(ClassName(child)) != L"button") continue;
    if (!label.empty() && WindowText(child).rfind(label, 0) != 0) continue;
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                 reinterpret_cast<LPARAM>(child));
    return true;
  }
  return false;
}

bool AnswerMessageBoxWith(const MessageBoxWindow& box, int buttonId) {
  HWND button = box.window ? GetDlgItem(box.window, buttonId) : nullptr;
  if (!button) return false;
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}

}  // namespace quonel::testing
