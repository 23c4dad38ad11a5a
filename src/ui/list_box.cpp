#include "ui/list_box.h"

#include "core/property_registry.h"

namespace quonel {

void TListBoxStrings::Put(int index, const std::wstring& text) {
  TStringList::Put(index, text);
  if (owner_.HandleAllocated()) {
    SendMessageW(owner_.Handle(), LB_DELETESTRING, index, 0);
    SendMessageW(owner_.Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void TListBoxStrings::Insert(int index, const std::wstring& text) {
  TStringList::Insert(index, text);
  if (owner_.HandleAllocated())
    SendMessageW(owner_.Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBoxStrings::Delete(int index) {
  TStringList::Delete(index);
  if (owner_.HandleAllocated()) SendMessageW(owner_.Handle(), LB_DELETESTRING, index, 0);
}

void TListBoxStrings::Clear() {
  TStringList::Clear();
  owner_.itemIndex_ = -1;
  if (owner_.HandleAllocated()) SendMessageW(owner_.Handle(), LB_RESETCONTENT, 0, 0);
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

void TListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"LISTBOX";
  params.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  AddEditBorder(params);
}

void TListBox::HandleCreated() {
  for (int i = 0; i < items_.Count(); ++i)
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Get(i).c_str()));
  if (itemHeight_ > 0) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
  if (itemIndex_ >= 0) SendMessageW(Handle(), LB_SETCURSEL, itemIndex_, 0);
}

int TListBox::ItemIndex() {
  if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), LB_SETCURSEL, index, 0);
}

void TListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  if (HandleAllocated() && height > 0) {
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height);
    Invalidate();
  }
}

void TListBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == LBN_SELCHANGE) {
      itemIndex_ = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
      Click();
    }
    return;
  }
  TWinControl::WndProc(message);
}

void RegisterListBoxClass() {
  ClassRegistrar<TListBox>(L"TListBox", L"TWinControl")
      .Creatable()
      .Integer(L"ItemHeight", [](TListBox& l) { return l.ItemHeight(); },
               [](TListBox& l, int64_t v) { l.SetItemHeight(static_cast<int>(v)); })
      .Integer(L"ItemIndex", [](TListBox& l) { return l.ItemIndex(); },
               [](TListBox& l, int64_t v) { l.SetItemIndex(static_cast<int>(v)); })
      .Lines(L"Items", [](TListBox& l, const std::vector<std::wstring>& lines) {
        l.Items().Clear();
        l.Items().AddStrings(lines);
      });
}

}  // namespace quonel
