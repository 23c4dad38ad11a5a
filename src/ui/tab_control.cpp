#include "ui/tab_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include "core/property_registry.h"
#include "core/win32_owners.h"

namespace quonel {

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TTabControl::SetTabs(std::vector<std::wstring> tabs) {
  tabs_ = std::move(tabs);
  if (HandleAllocated()) RecreateWnd();
}

void TTabControl::SetStyle(TTabStyle style) {
  if (style_ == style) return;
  style_ = style;
  if (HandleAllocated()) RecreateWnd();
}

int TTabControl::TabIndex() {
  if (HandleAllocated()) tabIndex_ = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
  return tabIndex_;
}

void TTabControl::SetTabIndex(int index) {
  tabIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
}

void TTabControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = WC_TABCONTROLW;
  params.style |= WS_CLIPCHILDREN;
  if (style_ == TTabStyle::tsButtons) params.style |= TCS_BUTTONS;
  if (style_ == TTabStyle::tsFlatButtons) params.style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TTabControl::HandleCreated() {
  for (size_t i = 0; i < tabs_.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(tabs_[i].c_str());
    SendMessageW(Handle(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(Handle(), TCM_SETCURSEL, tabIndex_, 0);
}

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 21);
  SetTabStop(true);
}

void TTabSet::SetTabs(std::vector<std::wstring> tabs) {
  tabs_ = std::move(tabs);
  if (tabIndex_ >= TabCount()) tabIndex_ = TabCount() - 1;
  Invalidate();
}

void TTabSet::SetTabIndex(int index) {
  if (index < 0 || index >= TabCount() || index == tabIndex_) return;
  tabIndex_ = index;
  Invalidate();
  if (OnChange) OnChange(this);
}

RECT TTabSet::TabRect(int index) {
  if (index < 0 || index >= TabCount()) return {};
  // Each tab is its text's width and a margin of 8 on either side.
  WindowDc screen;
  SelectionScope font(screen.Get(), Font().Handle());
  int left = 4;
  for (int i = 0;; ++i) {
    SIZE extent{};
    GetTextExtentPoint32W(screen.Get(), tabs_[i].c_str(), static_cast<int>(tabs_[i].size()), &extent);
    const int width = extent.cx + 16;
    if (i == index) return RECT{left, 0, left + width, Height() - 1};
    left += width;
  }
}

void TTabSet::WndProc(TMessage& message) {
  if (message.Msg == WM_LBUTTONDOWN) {
    const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    for (int i = 0; i < TabCount(); ++i) {
      const RECT tab = TabRect(i);
      if (PtInRect(&tab, point)) SetTabIndex(i);
    }
  }
  TWinControl::WndProc(message);
}

void TTabSet::PaintWindow(HDC dc) {
  const RECT client = ClientRect();
  FillRect(dc, &client, BackgroundBrush());
  SelectionScope font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  // The row's top edge is the page the tabs hang from.
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, client.right, 0);
  for (int i = 0; i < TabCount(); ++i) {
    const RECT tab = TabRect(i);
    const POINT outline[] = {{tab.left, tab.top}, {tab.left + 4, tab.bottom}, {tab.right - 4, tab.bottom},
                             {tab.right, tab.top}};
    SelectionScope brush(dc, GetSysColorBrush(i == tabIndex_ ? COLOR_WINDOW : COLOR_BTNFACE));
    Polygon(dc, outline, 4);
    RECT text = tab;
    DrawTextW(dc, tabs_[i].c_str(), static_cast<int>(tabs_[i].size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void RegisterTabClasses() {
  ClassRegistrar<TTabControl>(L"TTabControl", L"TWinControl")
      .Creatable()
      .Enumeration(L"Style", {L"tsTabs", L"tsButtons", L"tsFlatButtons"},
                   [](TTabControl& c) { return static_cast<int>(c.Style()); },
                   [](TTabControl& c, int64_t v) { c.SetStyle(static_cast<TTabStyle>(v)); });
  ClassRegistrar<TTabSet>(L"TTabSet", L"TWinControl")
      .Creatable()
      .Integer(L"TabIndex", [](TTabSet& c) { return c.TabIndex(); },
               [](TTabSet& c, int64_t v) { c.SetTabIndex(static_cast<int>(v)); });
}

}  // namespace quonel
