#include "ui/combo_box.h"

#include <commctrl.h>

#include "core/property_registry.h"

namespace quonel {

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style_ == style) return;
  style_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TComboBox::SetItems(std::vector<std::wstring> items) {
  items_ = std::move(items);
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::wstring& text : items_) AddItemToWindow(text);
}

int TComboBox::ItemIndex() {
  if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"COMBOBOX";
  params.style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case TComboBoxStyle::csDropDown: params.style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: params.style |= CBS_SIMPLE | CBS_NOINTEGRALHEIGHT; break;
    case TComboBoxStyle::csDropDownList: params.style |= CBS_DROPDOWNLIST; break;
  }
  // The drop-down list's height counts in the window's height.
  if (style_ != TComboBoxStyle::csSimple) params.height = 200;
}

void TComboBox::HandleCreated() {
  for (const std::wstring& text : items_) AddItemToWindow(text);
  if (itemIndex_ >= 0) SendMessageW(Handle(), CB_SETCURSEL, itemIndex_, 0);
}

void TComboBox::AddItemToWindow(const std::wstring& text) {
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

TComboBoxEx::TComboBoxEx(TComponent* owner) : TComboBox(owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_USEREX_CLASSES};
  InitCommonControlsEx(&classes);
}

HWND TComboBoxEx::ComboWindow() {
  if (!HandleAllocated()) return nullptr;
  return reinterpret_cast<HWND>(SendMessageW(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
}

void TComboBoxEx::CreateParams(TCreateParams& params) {
  TComboBox::CreateParams(params);
  params.systemClass = WC_COMBOBOXEXW;
  params.style &= ~static_cast<DWORD>(CBS_AUTOHSCROLL | WS_VSCROLL);
}

void TComboBoxEx::AddItemToWindow(const std::wstring& text) {
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT;
  item.iItem = -1;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(Handle(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void RegisterComboBoxClasses() {
  ClassRegistrar<TComboBox>(L"TComboBox", L"TWinControl")
      .Creatable()
      .Enumeration(L"Style", {L"csDropDown", L"csSimple", L"csDropDownList"},
                   [](TComboBox& c) { return static_cast<int>(c.Style()); },
                   [](TComboBox& c, int64_t v) { c.SetStyle(static_cast<TComboBoxStyle>(v)); });
  ClassRegistrar<TComboBoxEx>(L"TComboBoxEx", L"TComboBox").Creatable();
}

}  // namespace quonel
