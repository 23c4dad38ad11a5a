// Drives a program's real windows from outside, the way a user would:
// find windows by caption or text, click buttons, pick list items, answer
// message boxes. Used by end-to-end tests and by the demo.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quonel::testing {

// Visible top-level windows of a process, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// All descendants of a window, depth first.
std::vector<HWND> Descendants(HWND parent);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// The first descendant whose text equals text (visible ones first), or null.
HWND FindChildByText(HWND parent, const std::wstring& text);
// The first visible descendant whose class name contains part, ignoring case.
HWND FindChildByClass(HWND parent, const std::wstring& part);

// Polls condition, pumping this thread's messages, until it holds or
// timeoutMs has passed. Returns whether it held.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);

// Posts a click (no waiting for the handler, which may run for long).
void PostClick(HWND button);
// Clicks the list box item at index with the mouse messages a user causes.
void ClickListItem(HWND listBox, int index);

// A standard message box of the process: its caption, text and buttons.
struct MessageBoxWindow {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};
MessageBoxWindow FindMessageBox(DWORD processId);
// Presses the box's button whose text starts with label (e.g. L"确定", L"是").
// An empty label presses the first button.
bool AnswerMessageBox(const MessageBoxWindow& box, const std::wstring& label);
// Presses the box's button with the given id (IDOK, IDYES, IDNO ...); false
// when the box has no such button.
bool AnswerMessageBoxWith(const MessageBoxWindow& box, int buttonId);

}  // namespace quonel::testing
