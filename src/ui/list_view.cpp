#include "ui/list_view.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/image_list.h"
#include "core/property_registry.h"

namespace quonel {

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
}

void TListView::CreateParams(TCreateParams& params) {
  // The common controls are registered when the first of them is made, not
  // at start-up: the list view is not on the wizard's first page.
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(params);
  params.systemClass = WC_LISTVIEWW;
  params.style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
  AddEditBorder(params);
}

void TListView::HandleCreated() {
  ApplyExtendedStyle();
  const COLORREF background = ColorToRGB(Color());
  SendMessageW(Handle(), LVM_SETBKCOLOR, 0, background);
  SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, background);
  SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(Font().Color()));
  if (stateImages_)
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_->Handle()));
  for (int i = 0; i < ColumnCount(); ++i) InsertColumnWindow(i);
  for (int i = 0; i < ItemCount(); ++i) InsertRowWindow(i);
  FitAutoSizeColumns();
}

void TListView::ApplyExtendedStyle() {
  if (!HandleAllocated()) return;
  DWORD style = 0;
  if (gridLines_) style |= LVS_EX_GRIDLINES;
  if (flatScrollBars_) style |= LVS_EX_FLATSB;
  if (rowSelect_) style |= LVS_EX_FULLROWSELECT;
  SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_FULLROWSELECT, style);
}

void TListView::SetGridLines(bool value) {
  gridLines_ = value;
  ApplyExtendedStyle();
}

void TListView::SetFlatScrollBars(bool value) {
  flatScrollBars_ = value;
  ApplyExtendedStyle();
}

void TListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  ApplyExtendedStyle();
}

void TListView::SetStateImages(TImageList* images) {
  if (stateImages_) stateImages_->RemoveFreeNotification(this);
  stateImages_ = images;
  if (images) images->FreeNotification(this);
  if (HandleAllocated())
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_STATE,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TListView::Notification(TComponent* component, Operation operation) {
  TWinControl::Notification(component, operation);
  if (operation != Operation::Remove) return;
  if (component == stateImages_) {
    stateImages_ = nullptr;
    if (HandleAllocated()) SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_STATE, 0);
  }
  columns_.erase(std::remove(columns_.begin(), columns_.end(), component), columns_.end());
}

void TListView::AddColumn(TListColumn* column) {
  columns_.push_back(column);
  column->FreeNotification(this);
  if (HandleAllocated()) {
    InsertColumnWindow(ColumnCount() - 1);
    FitAutoSizeColumns();
  }
}

void TListView::InsertColumnWindow(int index) {
  TListColumn& column = Column(index);
  LVCOLUMNW lv = {};
  lv.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  lv.pszText = const_cast<wchar_t*>(column.caption.c_str());
  lv.cx = column.width;
  lv.iSubItem = index;
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&lv));
}

int TListView::ColumnWidth(int index) {
  if (!HandleAllocated()) return Column(index).width;
  return static_cast<int>(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, index, 0));
}

// An automatic column takes the client width the fixed columns leave.
void TListView::FitAutoSizeColumns() {
  if (!HandleAllocated()) return;
  int fixed = 0, automatic = 0;
  for (TListColumn* column : columns_) {
    if (column->autoSize) ++automatic;
    else fixed += column->width;
  }
  if (automatic == 0) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int each = std::max(0, static_cast<int>(client.right - fixed) / automatic);
  for (int i = 0; i < ColumnCount(); ++i)
    if (columns_[static_cast<size_t>(i)]->autoSize) SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, i, each);
}

TListRow& TListView::Row(int index) {
  if (index < 0 || index >= ItemCount()) throw Exception(L"List index out of bounds (" + std::to_wstring(index) + L")");
  return rows_[static_cast<size_t>(index)];
}

void TListView::InsertRowWindow(int index) {
  const TListRow& row = rows_[static_cast<size_t>(index)];
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE;
  item.iItem = index;
  item.iImage = row.imageIndex;
  item.pszText = const_cast<wchar_t*>(row.caption.c_str());
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(row.stateIndex + 1);
  SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  for (size_t sub = 0; sub < row.subItems.size(); ++sub) {
    LVITEMW text = {};
    text.iSubItem = static_cast<int>(sub) + 1;
    text.pszText = const_cast<wchar_t*>(row.subItems[sub].c_str());
    SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&text));
  }
}

int TListView::AddItem(const std::wstring& caption) {
  rows_.push_back(TListRow{caption, {}, -1, -1});
  const int index = ItemCount() - 1;
  if (HandleAllocated()) InsertRowWindow(index);
  return index;
}

void TListView::SetItemCaption(int index, const std::wstring& caption) {
  Row(index).caption = caption;
  if (HandleAllocated()) {
    LVITEMW text = {};
    text.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&text));
  }
}

void TListView::SetSubItem(int index, int subIndex, const std::wstring& text) {
  TListRow& row = Row(index);
  if (subIndex < 0) return;
  if (row.subItems.size() <= static_cast<size_t>(subIndex)) row.subItems.resize(static_cast<size_t>(subIndex) + 1);
  row.subItems[static_cast<size_t>(subIndex)] = text;
  if (HandleAllocated()) {
    LVITEMW item = {};
    item.iSubItem = subIndex + 1;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
  }
}

void TListView::SetStateIndex(int index, int stateIndex) { SetImages(index, stateIndex, Row(index).imageIndex); }

void TListView::SetImageIndex(int index, int imageIndex) { SetImages(index, Row(index).stateIndex, imageIndex); }

void TListView::SetImages(int index, int stateIndex, int imageIndex) {
  TListRow& row = Row(index);
  row.stateIndex = stateIndex;
  row.imageIndex = imageIndex;
  if (HandleAllocated()) {
    LVITEMW item = {};
    item.mask = LVIF_STATE | LVIF_IMAGE;
    item.iItem = index;
    item.iImage = imageIndex;
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(stateIndex + 1);
    SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void TListView::BeginUpdate() {
  if (updateCount_++ == 0 && HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ != 0 || !HandleAllocated()) return;
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  // While held the view counted as hidden, and what lay under it may have
  // painted over its frame and header too.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TListView::ClearItems() {
  rows_.clear();
  if (HandleAllocated()) SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

void TListView::WndProc(TMessage& message) {
  TWinControl::WndProc(message);
  if (message.Msg == WM_SIZE) FitAutoSizeColumns();
}

void RegisterListViewClasses() {
  ClassRegistrar<TListColumn>(L"TListColumn", L"TComponent")
      .Creatable()
      .OwnedByContainer()
      .Text(L"Caption", [](TListColumn& c) { return c.caption; },
            [](TListColumn& c, const std::wstring& v) { c.caption = v; })
      .Integer(L"Width", [](TListColumn& c) { return c.width; },
               [](TListColumn& c, int64_t v) { c.width = static_cast<int>(v); })
      .Boolean(L"AutoSize", [](TListColumn& c) { return c.autoSize; },
               [](TListColumn& c, bool v) { c.autoSize = v; });
  ClassRegistrar<TListView>(L"TListView", L"TWinControl")
      .Creatable()
      .Boolean(L"GridLines", [](TListView& l) { return l.GridLines(); },
               [](TListView& l, bool v) { l.SetGridLines(v); })
      .Boolean(L"FlatScrollBars", [](TListView& l) { return l.FlatScrollBars(); },
               [](TListView& l, bool v) { l.SetFlatScrollBars(v); })
      .Boolean(L"RowSelect", [](TListView& l) { return l.RowSelect(); },
               [](TListView& l, bool v) { l.SetRowSelect(v); })
      .Reference(L"StateImages", [](TListView& l) { return l.StateImages(); },
                 [](TListView& l, TComponent* c) {
                   auto* images = dynamic_cast<TImageList*>(c);
                   if (!images) throw Exception(L"StateImages must name an image list");
                   l.SetStateImages(images);
                 })
      .Container([](TListView& l, TComponent& child) {
        auto* column = dynamic_cast<TListColumn*>(&child);
        if (!column) throw Exception(L"A list view holds only columns");
        l.AddColumn(column);
      });
}

}  // namespace quonel
