#include "app/form_update.h"

#include "skin/skin_data_class.h"
#include "ui/placeholder_component.h"
#include "ui/placeholder_control.h"
#include "ui/property_registry.h"
#include "ui/resource_layout.h"
#include "ui/standard_classes.h"
#include "ui/stored_form_reader.h"

namespace quonel {

int64_t StartPos = 0;

namespace {

// A stored component of the given name and class; a layout without it is damaged.
template <class T>
T* Bound(TComponent& form, const wchar_t* name) {
  TComponent* found = form.FindComponent(name);
  if (!found) {
    // Pages and columns are owned by their containers; search one level down.
    for (int i = 0; i < form.ComponentCount() && !found; ++i) found = form.Components(i)->FindComponent(name);
  }
  T* typed = dynamic_cast<T*>(found);
  if (!typed) throw EReadLayoutError(std::wstring(L"The stored form has no ") + name + L" of the expected class");
  return typed;
}

}  // namespace

void RegisterFormUpdateClasses() {
  RegisterStandardClasses();
  RegisterClassInfo(L"TForm_Update", L"TForm");
  // Until their own code is part of the program, these keep their places.
  RegisterPlaceholderControlClass(L"TShockwaveFlash");
  RegisterPlaceholderClass(L"TNetHTTP");
  RegisterSkinDataClass();
  RegisterPlaceholderClass(L"TSkinCaption");
}

TForm_Update::TForm_Update(TComponent* owner) : TForm(owner) {
  RegisterFormUpdateClasses();
  ReadLayoutResource(*this, L"TFORM_UPDATE");
  BindComponents();
}

TForm_Update::~TForm_Update() { delete FileList; }

void TForm_Update::BindComponents() {
  Notebook_step = Bound<TNotebook>(*this, L"Notebook_step");
  Label1 = Bound<TLabel>(*this, L"Label1");
  ListBox_servers = Bound<TListBox>(*this, L"ListBox_servers");
  GroupBox1 = Bound<TGroupBox>(*this, L"GroupBox1");
  Label2 = Bound<TLabel>(*this, L"Label2");
  Edt_url = Bound<TEdit>(*this, L"Edt_url");
  Label3 = Bound<TLabel>(*this, L"Label3");
  ListView_files = Bound<TListView>(*this, L"ListView_files");
  Label4 = Bound<TLabel>(*this, L"Label4");
  Gauge_process = Bound<TGauge>(*this, L"Gauge_process");
  btn_pre = Bound<TButton>(*this, L"btn_pre");
  btn_next = Bound<TButton>(*this, L"btn_next");
  Button2 = Bound<TButton>(*this, L"Button2");
  Memo1 = Bound<TMemo>(*this, L"Memo1");
  ShockwaveFlash1 = Bound<TWinControl>(*this, L"ShockwaveFlash1");
  ImageList = Bound<TImageList>(*this, L"ImageList");
  HTTPFiles = Bound<TComponent>(*this, L"HTTPFiles");
  SkinData1 = Bound<TComponent>(*this, L"SkinData1");
  SkinCaption1 = Bound<TComponent>(*this, L"SkinCaption1");
}

}  // namespace quonel
