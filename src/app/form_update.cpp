#include "app/form_update.h"

#include "net/net_http_registration.h"
#include "skin/data/skin_data_class.h"
#include "skin/manager/skin_manage.h"
#include "ui/application.h"
#include "core/property_registry.h"
#include "ui/resource_layout.h"
#include "ui/standard_classes.h"
#include "core/stored_form_reader.h"

namespace quonel {
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
  RegisterNetHTTPClass();
  RegisterSkinDataClass();
  RegisterSkinManager();
  RegisterSkinCaptionClass();
  RegisterShockwaveFlashClass(TOleControlOptions{TControlPresence::Optional, 0, true});
}

std::vector<FontToPrepare> TForm_Update::FirstPageFonts() {
  return {{L"宋体", GB2312_CHARSET, -12, L"选择升级服务器：上一步下一步中断下载"}};
}

TForm_Update::TForm_Update(TComponent* owner) : TForm(owner) {
  RegisterFormUpdateClasses();
  ReadLayoutResource(*this, L"TFORM_UPDATE");
  BindComponents();
  ConnectHandlers();
}

TForm_Update::~TForm_Update() { delete FileList; }

void TForm_Update::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  if ((BorderIcons() & biSystemMenu) && (BorderIcons() & biMinimize)) params.style |= WS_MINIMIZEBOX;
}

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
  ShockwaveFlash1 = Bound<TShockwaveFlash>(*this, L"ShockwaveFlash1");
  ImageList = Bound<TImageList>(*this, L"ImageList");
  SkinData1 = Bound<TSkinData>(*this, L"SkinData1");
  SkinCaption1 = Bound<TSkinCaption>(*this, L"SkinCaption1");
  HTTPFiles = Bound<TNetHTTP>(*this, L"HTTPFiles");
}

void TForm_Update::ConnectHandlers() {
  OnCreate = [this](TComponent* sender) { FormCreate(sender); };
  OnShow = [this](TComponent* sender) { FormShow(sender); };
  OnCloseQuery = [this](TComponent* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
  ListBox_servers->OnClick = [this](TComponent* sender) { ListBox_serversClick(sender); };
  Notebook_step->OnPageChanged = [this](TComponent* sender) { Notebook_stepPageChanged(sender); };
  btn_next->OnClick = [this](TComponent* sender) { btn_nextClick(sender); };
  btn_pre->OnClick = [this](TComponent* sender) { btn_preClick(sender); };
  Button2->OnClick = [this](TComponent* sender) { Button2Click(sender); };
  ShockwaveFlash1->OnControlFailure = [this](TComponent* sender, const std::wstring& text) {
    ShockwaveFlash1ControlFailure(sender, text);
  };
}

void TForm_Update::ShockwaveFlash1ControlFailure(TComponent* sender, const std::wstring& text) {
  LogLine(sender->Name() + L": " + text + L"\r\n");
}

void TForm_Update::LogLine(const std::wstring& text) {
  if (!log_) log_ = std::make_unique<TWizardLog>(*Memo1);
  log_->Add(text);
  // A run writes its entries in batches, whenever it serves the window; what
  // the user's actions log meanwhile shows at once.
  if (!runActive_ || pumping_) log_->Flush();
}

void TForm_Update::ShowDownloadAmount(const std::wstring& amountText, int64_t gaugeMaximum,
                                      int64_t gaugeProgress) {
  amountText_ = amountText;
  gaugeMaximum_ = gaugeMaximum;
  gaugeProgress_ = gaugeProgress;
}

void TForm_Update::RepaintProgressPage() {
  // The gauge counts in 32 bits: halve both numbers of a larger file alike.
  int64_t maximum = gaugeMaximum_, progress = gaugeProgress_;
  while (maximum > INT32_MAX) {
    maximum >>= 1;
    progress >>= 1;
  }
  Label4->SetCaption(amountText_);
  Gauge_process->SetMaxValue(static_cast<int>(maximum));
  Gauge_process->SetProgress(static_cast<int>(progress));
  if (Notebook_step->HandleAllocated()) RedrawWindow(Notebook_step->Handle(), nullptr, nullptr,
                                                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm_Update::ProcessMessages() {
  if (log_) log_->FlushSoon();
  ShowFileRows();
  const bool outerPump = pumping_;
  pumping_ = true;
  if (Application) Application->ProcessMessages();
  pumping_ = outerPump;
  lastPump_ = std::chrono::steady_clock::now();
}

// A run changes rows faster than anyone reads them, and each change of a
// visible row costs a repaint: the check loop holds the view's redraw and the
// window shows the rows each time it is served. Between those times, and
// during a long download, the view draws as usual.
void TForm_Update::HoldFileRows() {
  if (rowsHeld_) return;
  ListView_files->BeginUpdate();
  rowsHeld_ = true;
}

void TForm_Update::ShowFileRows() {
  if (!rowsHeld_) return;
  rowsHeld_ = false;
  ListView_files->EndUpdate();
}

void TForm_Update::KeepWindowAnswering() {
  // Well inside the 30 ms a window may take to answer, whatever one file costs.
  if (std::chrono::steady_clock::now() - lastPump_ >= std::chrono::milliseconds(15)) ProcessMessages();
}

// The list view has only a state image list, so the state image is what shows;
// the image index carries the same number for whoever reads the row.
void TForm_Update::SetRowImage(int row, int image) { ListView_files->SetImages(row, image, image); }

void TForm_Update::ReleaseFileList() {
  delete FileList;
  FileList = nullptr;
  outcomes_.clear();
}

}  // namespace quonel
