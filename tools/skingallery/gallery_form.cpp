#include "gallery_form.h"

#include <commdlg.h>

#include "core/property_registry.h"
#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_caption.h"
#include "ui/application.h"
#include "ui/bars.h"
#include "ui/bit_btn.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/date_time_picker.h"
#include "ui/edit.h"
#include "ui/group_box.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/list_view.h"
#include "ui/media_player.h"
#include "ui/menu.h"
#include "ui/menu_item.h"
#include "ui/page_control.h"
#include "ui/panel.h"
#include "ui/radio_button.h"
#include "ui/radio_group.h"
#include "ui/scroll_controls.h"
#include "ui/speed_button.h"
#include "ui/tab_control.h"
#include "ui/tool_bar.h"
#include "gallery_mdi.h"

namespace quonel {

namespace {

// A push button with a drop-down arrow, known to the skin only by its class name.
class TDropDownButton : public TButton {
 public:
  using TButton::TButton;
  const wchar_t* ClassName() const override { return L"TDropDownButton"; }
};

template <class T>
T* Place(TCustomForm* form, TWinControl* parent, int left, int top, int width, int height,
         const std::wstring& caption = L"") {
  // The form owns every control: its skin walks the form's components.
  auto* control = new T(form);
  control->SetBounds(left, top, width, height);
  if (!caption.empty()) control->SetCaption(caption);
  control->SetParent(parent);
  return control;
}

// A 16 x 16 glyph: a green disc on the transparent olive of its bottom-left pixel.
void DrawDiscGlyph(TBitmap& bitmap) {
  void* bits = nullptr;
  OwnedBitmap handle = CreateDibSection(16, 16, 24, &bits);
  if (!handle) return;
  {
    MemoryDc dc;
    SelectionScope selected(dc.Get(), handle.Get());
    RECT all{0, 0, 16, 16};
    OwnedBrush olive(CreateSolidBrush(RGB(128, 128, 0)));
    FillRect(dc.Get(), &all, olive.Get());
    OwnedBrush green(CreateSolidBrush(RGB(0, 160, 64)));
    SelectionScope brush(dc.Get(), green.Get());
    Ellipse(dc.Get(), 2, 2, 14, 14);
  }
  bitmap.SetHandle(handle.Release());
}

}  // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
  ClassRegistrar<TDropDownButton>(L"TDropDownButton", L"TButton");
  SetCaption(L"Skin gallery");
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetClientWidth(960);
  SetClientHeight(600);
  SetBounds(20, 20, Width(), Height());
  Font().SetName(L"Tahoma");
  Font().SetHeight(-11);
  AddMenu();
  AddButtons();
  AddMarks();
  AddTextEntry();
  AddLists();
  AddBarsAndScrolling();
  AddTabs();
}

void TGalleryForm::AddMenu() {
  auto* menu = new TMainMenu(this);
  auto add = [this](TMenuItem& parent, const std::wstring& caption, std::function<void()> action = {}) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    if (action) item->OnClick = [action](TComponent*) { action(); };
    parent.Add(item);
    return item;
  };
  TMenuItem& top = *menu->Items();
  TMenuItem* file = add(top, L"&File");
  add(*file, L"&Open...", [this] { ShowOpenDialog(); });
  add(*file, L"-");
  add(*file, L"E&xit", [this] { Close(); });
  TMenuItem* view = add(top, L"&View");
  TMenuItem* checked = add(*view, L"&Checked item");
  checked->SetChecked(true);
  TMenuItem* disabled = add(*view, L"&Disabled item");
  disabled->SetEnabled(false);
  TMenuItem* windows = add(top, L"&Windows");
  add(*windows, L"&Message boxes...", [this] { ShowMessageBoxes(); });
  add(*windows, L"M&DI parent...", [this] { ShowMdiParent(); });
  add(top, L"&Help");
  SetMenu(menu);
}

void TGalleryForm::AddButtons() {
  auto* toolBar = Place<TToolBar>(this, this, 0, 0, 960, 26);
  toolBar->SetFlat(true);
  toolBar->SetButtons({L"New", L"Open", L"Save", L"Print"});

  auto* area = Place<TGroupBox>(this, this, 8, 32, 228, 150, L"Buttons");
  Place<TButton>(this, area, 10, 20, 100, 25, L"Push");
  Place<TButton>(this, area, 116, 20, 100, 25, L"Disabled")->SetEnabled(false);
  auto* glyph = Place<TBitBtn>(this, area, 10, 52, 100, 25, L"Glyph");
  DrawDiscGlyph(glyph->ButtonGlyph().Glyph);
  Place<TDropDownButton>(this, area, 116, 52, 100, 25, L"Drop-down");
  auto* speed = Place<TSpeedButton>(this, area, 10, 84, 100, 25, L"Speed");
  speed->SetGroupIndex(1);
  speed->SetDown(true);
  Place<TSpeedButton>(this, area, 116, 84, 100, 25, L"Flat speed")->SetFlat(true);
  Place<TMediaPlayer>(this, area, 10, 116, 206, 26);
}

void TGalleryForm::AddMarks() {
  auto* area = Place<TGroupBox>(this, this, 8, 188, 228, 250, L"Check boxes and radio buttons");
  Place<TCheckBox>(this, area, 10, 20, 100, 17, L"Checked")->SetChecked(true);
  Place<TCheckBox>(this, area, 116, 20, 100, 17, L"Unchecked");
  auto* grayed = Place<TCheckBox>(this, area, 10, 40, 100, 17, L"Grayed");
  grayed->SetAllowGrayed(true);
  grayed->SetState(TCheckBoxState::cbGrayed);
  Place<TCheckBox>(this, area, 116, 40, 100, 17, L"Disabled")->SetEnabled(false);
  Place<TRadioButton>(this, area, 10, 60, 100, 17, L"Radio one")->SetChecked(true);
  Place<TRadioButton>(this, area, 116, 60, 100, 17, L"Radio two");
  auto* radios = Place<TRadioGroup>(this, area, 10, 82, 206, 74, L"Radio group");
  radios->SetColumns(2);
  radios->SetItems({L"North", L"South", L"East", L"West"});
  radios->SetItemIndex(2);
  auto* checks = Place<TCheckGroup>(this, area, 10, 162, 206, 78, L"Check group");
  checks->SetItems({L"Bold", L"Italic", L"Underline"});
  checks->SetChecked(0, true);
  checks->SetChecked(2, true);

  auto* panel = Place<TPanel>(this, this, 8, 444, 228, 40, L"A panel");
  panel->SetBevelOuter(TBevelCut::bvRaised);
}

void TGalleryForm::AddTextEntry() {
  auto* area = Place<TGroupBox>(this, this, 244, 32, 230, 262, L"Text entry");
  Place<TEdit>(this, area, 10, 20, 210, 21)->SetCaption(L"An edit");
  auto* spin = Place<TEdit>(this, area, 10, 48, 100, 21);
  spin->SetCaption(L"42");
  Place<TUpDown>(this, spin, 80, 0, 16, 17);
  Place<TDateTimePicker>(this, area, 116, 48, 104, 21);
  auto* dropDown = Place<TComboBox>(this, area, 10, 76, 100, 21);
  dropDown->SetItems({L"Drop-down", L"Second", L"Third"});
  dropDown->SetItemIndex(0);
  auto* list = Place<TComboBox>(this, area, 116, 76, 104, 21);
  list->SetStyle(TComboBoxStyle::csDropDownList);
  list->SetItems({L"List only", L"Second"});
  list->SetItemIndex(0);
  auto* extended = Place<TComboBoxEx>(this, area, 10, 104, 100, 21);
  extended->SetItems({L"Extended", L"Second"});
  extended->SetItemIndex(0);
  auto* simple = Place<TComboBox>(this, area, 116, 104, 104, 70);
  simple->SetStyle(TComboBoxStyle::csSimple);
  simple->SetItems({L"Simple", L"Second", L"Third", L"Fourth"});
  simple->SetItemIndex(0);
  auto* memo = Place<TMemo>(this, area, 10, 180, 210, 72);
  memo->SetScrollBars(TScrollStyle::ssBoth);
  memo->SetWordWrap(false);
  for (int i = 1; i <= 12; ++i) memo->Lines().Add(L"Memo line " + std::to_wstring(i) + L" is long enough to scroll across");
}

void TGalleryForm::AddLists() {
  auto* area = Place<TGroupBox>(this, this, 244, 300, 230, 184, L"Lists");
  auto* box = Place<TListBox>(this, area, 10, 20, 80, 154);
  for (int i = 1; i <= 14; ++i) box->Items().Add(L"Item " + std::to_wstring(i));
  box->SetItemIndex(1);
  auto* view = Place<TListView>(this, area, 96, 20, 124, 154);
  view->SetGridLines(true);
  view->SetRowSelect(true);
  for (const wchar_t* caption : {L"Name", L"Size"}) {
    auto* column = new TListColumn(this);
    column->caption = caption;
    column->width = 56;
    view->AddColumn(column);
  }
  for (int i = 1; i <= 12; ++i) {
    const int row = view->AddItem(L"file" + std::to_wstring(i));
    view->SetSubItem(row, 0, std::to_wstring(i * 7) + L" KB");
  }
}

void TGalleryForm::AddBarsAndScrolling() {
  auto* area = Place<TGroupBox>(this, this, 482, 32, 470, 190, L"Bars and scrolling");
  Place<TProgressBar>(this, area, 10, 22, 200, 18)->SetPosition(60);
  Place<TTrackBar>(this, area, 10, 48, 200, 32)->SetPosition(4);
  Place<TScrollBar>(this, area, 10, 90, 200, 17)->SetPosition(30);
  auto* vertical = Place<TScrollBar>(this, area, 220, 20, 17, 160);
  vertical->SetKind(TScrollBarKind::sbVertical);
  auto* scrollBox = Place<TScrollBox>(this, area, 246, 20, 214, 160);
  for (int i = 0; i < 6; ++i)
    Place<TButton>(this, scrollBox, 8, 8 + i * 34, 160, 25, L"In a scroll box " + std::to_wstring(i + 1));
  scrollBox->UpdateScrollRange();
  auto* statusBar = Place<TStatusBar>(this, this, 0, 578, 960, 22);
  statusBar->SetPanels({{L"Status panel", 160}, {L"Second panel", 200}, {L"Size grip at the right", -1}});
}

void TGalleryForm::AddTabs() {
  auto* area = Place<TGroupBox>(this, this, 482, 228, 470, 256, L"Tabs");
  // A page control: each tab a sheet of controls of its own.
  auto* pages = Place<TPageControl>(this, area, 10, 20, 220, 120);
  for (const wchar_t* caption : {L"General", L"Details", L"More"}) {
    auto* sheet = new TTabSheet(this);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
  }
  Place<TLabel>(this, pages->Pages(0), 8, 8, 180, 16, L"A sheet of a page control");
  Place<TCheckBox>(this, pages->Pages(0), 8, 32, 180, 17, L"On its first sheet");
  Place<TEdit>(this, pages->Pages(1), 8, 8, 180, 21, L"On the second sheet");
  Place<TLabel>(this, pages->Pages(2), 8, 8, 180, 16, L"The third sheet");
  auto* buttons = Place<TTabControl>(this, area, 240, 20, 220, 120);
  buttons->SetStyle(TTabStyle::tsButtons);
  buttons->SetTabs({L"One", L"Two", L"Three"});
  buttons->SetTabIndex(1);
  auto* tabSet = Place<TTabSet>(this, area, 10, 150, 450, 22);
  tabSet->SetTabs({L"Sheet 1", L"Sheet 2", L"Sheet 3"});
  tabSet->SetTabIndex(0);
  Place<TLabel>(this, area, 10, 184, 450, 16, L"File > Open: the platform's open dialog.");
  Place<TLabel>(this, area, 10, 204, 450, 16, L"Windows > Message boxes, Windows > MDI parent: windows of their own.");
}

void TGalleryForm::ShowOpenDialog() {
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = Handle();
  open.lpstrFilter = L"Skins (*.skn)\0*.skn\0All files\0*.*\0";
  open.lpstrFile = file;
  open.nMaxFile = MAX_PATH;
  open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  GetOpenFileNameW(&open);
}

void TGalleryForm::ShowMessageBoxes() {
  MessageBoxW(Handle(), L"An information message box, skinned like every dialog.", L"Skin gallery",
              MB_OK | MB_ICONINFORMATION);
  MessageBoxW(Handle(), L"A question with three answers?", L"Skin gallery", MB_YESNOCANCEL | MB_ICONQUESTION);
}

void TGalleryForm::ShowMdiParent() { ShowGalleryMdiParent(Owner()); }

TGalleryForm* CreateSkinnedGallery(TApplication& application, const std::string& archive, std::wstring& error,
                                   TSkinData** data) {
  auto* form = new TGalleryForm(&application);
  // The form carries the skin data component, and the caption component beside it.
  auto* skinData = new TSkinData(form);
  skinData->SetSkinStream(archive);
  if (!skinData->LoadSkin()) {
    error = L"not a skin archive";
    delete form;
    return nullptr;
  }
  // Classes of the gallery that stand for other libraries' controls.
  skinData->Skin3rd().Add(kMenuButtonMapping);
  skinData->Skin3rd().Add(kCheckGroupMapping);
  skinData->SetActive(true);
  skinData->Loaded();
  auto* caption = new TSkinCaption(form);
  caption->SetActive(true);
  caption->Loaded();
  if (data) *data = skinData;
  return form;
}

}  // namespace quonel
