#include "gallery_mdi.h"

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/mdi_forms.h"
#include "ui/menu.h"
#include "ui/menu_item.h"

namespace quonel {

namespace {

void AddChild(TMDIParentForm& parent, const std::wstring& caption, int left, int top) {
  auto* child = new TMDIChildForm(&parent, parent);
  child->SetCaption(caption);
  child->SetBounds(left, top, 260, 160);
  auto* edit = new TEdit(child);
  edit->SetBounds(10, 10, 200, 21);
  edit->SetCaption(caption);
  edit->SetParent(child);
  auto* check = new TCheckBox(child);
  check->SetBounds(10, 40, 200, 17);
  check->SetCaption(L"A check box");
  check->SetChecked(true);
  check->SetParent(child);
  auto* button = new TButton(child);
  button->SetBounds(10, 66, 90, 25);
  button->SetCaption(L"Button");
  button->SetParent(child);
  child->OnClose = [](TComponent*, TCloseAction& action) { action = TCloseAction::caFree; };
  child->Show();
}

}  // namespace

TMDIParentForm* ShowGalleryMdiParent(TComponent* owner) {
  auto* parent = new TMDIParentForm(owner);
  parent->SetCaption(L"MDI parent");
  parent->SetBorderStyle(TFormBorderStyle::bsSizeable);
  parent->SetBounds(80, 80, 560, 400);
  auto* menu = new TMainMenu(parent);
  auto add = [parent](TMenuItem& under, const std::wstring& caption, std::function<void()> action = {}) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    if (action) item->OnClick = [action](TComponent*) { action(); };
    under.Add(item);
    return item;
  };
  TMenuItem* file = add(*menu->Items(), L"&File");
  add(*file, L"&Close", [parent] { parent->Close(); });
  TMenuItem* window = add(*menu->Items(), L"&Window");
  add(*window, L"&Cascade", [parent] { SendMessageW(parent->ClientHandle(), WM_MDICASCADE, 0, 0); });
  add(*window, L"&Tile", [parent] { SendMessageW(parent->ClientHandle(), WM_MDITILE, MDITILE_VERTICAL, 0); });
  parent->SetMenu(menu);
  parent->OnClose = [](TComponent*, TCloseAction& action) { action = TCloseAction::caFree; };
  parent->Show();
  AddChild(*parent, L"First child", 10, 10);
  AddChild(*parent, L"Second child", 60, 60);
  return parent;
}

}  // namespace quonel
