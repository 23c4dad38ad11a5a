// The wizard form: its stored layout gives the window and every component;
// the fields below are bound to them by name once the layout has been read.
#pragma once
#include <cstdint>
#include <string>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/gauge.h"
#include "ui/group_box.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/list_view.h"
#include "ui/notebook.h"
#include "ui/strings.h"

namespace quonel {

class TForm_Update : public TForm {
 public:
  explicit TForm_Update(TComponent* owner);
  ~TForm_Update() override;
  const wchar_t* ClassName() const override { return L"TForm_Update"; }

  // Stored components, in stored order.
  TNotebook* Notebook_step = nullptr;
  TLabel* Label1 = nullptr;
  TListBox* ListBox_servers = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* Edt_url = nullptr;
  TLabel* Label3 = nullptr;
  TListView* ListView_files = nullptr;
  TLabel* Label4 = nullptr;
  TGauge* Gauge_process = nullptr;
  TButton* btn_pre = nullptr;
  TButton* btn_next = nullptr;
  TButton* Button2 = nullptr;
  TMemo* Memo1 = nullptr;
  TWinControl* ShockwaveFlash1 = nullptr;
  TImageList* ImageList = nullptr;
  TComponent* HTTPFiles = nullptr;
  TComponent* SkinData1 = nullptr;
  TComponent* SkinCaption1 = nullptr;

  // The wizard's own state.
  std::wstring AppPath;
  std::wstring SubSysName;
  TStringList* FileList = nullptr;  // owned by the form
  std::string UrlPath;
  std::string UrlHost;
  bool RangeOK = false;
  bool AbortFlag = false;
  bool UpdateReady = false;

 private:
  void BindComponents();
};

// The resume offset of the current download.
extern int64_t StartPos;

// The registered classes the wizard's layout names.
void RegisterFormUpdateClasses();

}  // namespace quonel
