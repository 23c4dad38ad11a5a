#include "skin/manager/skin_manage.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/skin_popup_menu.h"
#include "skin/manager/window_class.h"
#include "skin/skin_messages.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel {

namespace {

// Forms tagged with this value are never framed, whatever DisableTag says.
constexpr intptr_t kNeverFramedTag = 99;

bool IsSkinnedWindow(HWND window) { return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }

bool IsSystemDialogClass(const std::wstring& lowerClass) {
  return lowerClass == L"tmessageform" || lowerClass == L"#32770";
}

}  // namespace

void RegisterSkinManager() {
  TSkinManagerLink::Maker = [] { new TSkinManage(Application); };
}

void FreeSkinManager() { delete TSkinManage::Instance(); }

TSkinManage::TSkinManage(TComponent* owner) : TComponent(owner) {}

TSkinManage::~TSkinManage() {
  started_ = kDestroying;
  timer_.Stop();
  ++walking_;
  for (auto& form : forms_) form->DetachWindow();
  --walking_;
  showWatchers_.clear();
  forms_.clear();
  popups_.clear();
  components_.clear();
  requesting_ = default_ = nullptr;
  hook_.Reset();
}

TSkinManage* TSkinManage::Instance() { return dynamic_cast<TSkinManage*>(TSkinManagerLink::Current()); }

void TSkinManage::Register(TSkinData& data) {
  if (std::find(components_.begin(), components_.end(), &data) != components_.end()) return;
  components_.push_back(&data);
  if (!default_ && data.SkinFormtype() == TSkinFormType::sfMainform) default_ = &data;
}

void TSkinManage::Unregister(TSkinData& data) {
  std::erase(components_, &data);
  if (requesting_ == &data) requesting_ = nullptr;
  if (default_ == &data) ChooseDefaultComponent();
  // Skins drawn from a freed component would read freed objects.
  for (auto& form : forms_)
    if (form->SkinData() == &data) form->DetachWindow();
  for (auto& popup : popups_)
    if (popup->SkinData() == &data) popup->Detach();
  Purge();
  PurgePopups();
}

void TSkinManage::ChooseDefaultComponent() {
  default_ = nullptr;
  for (TSkinData* data : components_)
    if (data->SkinFormtype() == TSkinFormType::sfMainform) {
      default_ = data;
      return;
    }
}

void TSkinManage::MarkStarted() {
  if (started_ == 0) started_ = 1;
}

void TSkinManage::SwitchOn() {
  active_ = true;
  MarkStarted();
}

bool TSkinManage::AttachOwner(TSkinData& data) {
  auto* owner = dynamic_cast<TCustomForm*>(data.Owner());
  return owner && AttachForm(owner->Handle());
}

TCustomForm* TSkinManage::FormObjectOf(HWND window) const {
  for (int i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* form = Screen().Forms(i);
    if (form->HandleAllocated() && form->Handle() == window) return form;
  }
  return dynamic_cast<TCustomForm*>(TWinControl::FromHandle(window));
}

bool TSkinManage::AttachForm(HWND window, FrameSetUp setUp) {
  if (!active_ || started_ == kDestroying) return false;
  Purge();
  if (!IsWindow(window) || FindForm(window) || IsSkinnedWindow(window)) return false;
  TWinControl* control = TWinControl::FromHandle(window);
  TCustomForm* form = FormObjectOf(window);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const bool mdiChild = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
  if (!forcing_ && (style & WS_CHILD) && !IsMdiChildWindow(window)) return false;
  const std::wstring className = WindowClassName(window);
  const bool ours = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == ThisModule();
  if (!form && !control && !ours && className != L"#32770") return false;
  RECT bounds{};
  GetWindowRect(window, &bounds);
  if (IsRectEmpty(&bounds) && !mdiChild) return false;
  TControl* object = form ? static_cast<TControl*>(form) : control;
  if (object && object->Tag() == kNeverFramedTag) return false;
  if (className.find(L"TcxPopupEditPopupWindow") != std::wstring::npos || className == L"TApplication") return false;
  if (!DecideFormSkin(window, className)) return false;
  TSkinData* data = ChooseComponent(window, className);
  if (!data || data->Empty()) return false;

  auto frame = std::make_unique<TSkinForm>();
  frame->AttachWindow(window, data, form);
  if (frame->GetState() == TSkinForm::kClosed) return false;
  TSkinForm* attached = frame.get();
  forms_.push_back(std::move(frame));
  if (setUp == FrameSetUp::Now) attached->InitFrame();
  else PostMessageW(window, SKM_INITFRAME, 0, 1000);
  return true;
}

bool TSkinManage::DecideFormSkin(HWND window, const std::wstring& className) const {
  bool doSkin = true;
  if (!default_) return doSkin;
  if (!InSet(default_->Options(), xoPreview) && LowerAscii(className).find(L"preview") != std::wstring::npos)
    doSkin = false;
  default_->DecideFormSkin(window, className, doSkin);
  return doSkin;
}

TSkinData* TSkinManage::ChooseComponent(HWND window, const std::wstring& className) const {
  for (TSkinData* data : components_) {
    if (data->SkinFormtype() != TSkinFormType::sfOnlyThisForm) continue;
    auto* owner = dynamic_cast<TWinControl*>(data->Owner());
    if (owner && owner->HandleAllocated() && owner->Handle() == window) return data;
  }
  auto firstOf = [this](TSkinFormType type) -> TSkinData* {
    for (TSkinData* data : components_)
      if (data->SkinFormtype() == type) return data;
    return nullptr;
  };
  if (IsSystemDialogClass(LowerAscii(className)))
    if (TSkinData* dialog = firstOf(TSkinFormType::sfDialog)) return dialog;
  if (TSkinData* main = firstOf(TSkinFormType::sfMainform)) return main;
  return components_.empty() ? nullptr : components_.front();
}

TSkinForm* TSkinManage::FindForm(HWND window) const {
  for (const auto& form : forms_)
    if (form->Window() == window && form->GetState() != TSkinForm::kClosed) return form.get();
  return nullptr;
}

void TSkinManage::Purge() {
  if (walking_ > 0) return;
  std::erase_if(forms_, [](const std::unique_ptr<TSkinForm>& form) { return form->GetState() == TSkinForm::kClosed; });
}

void TSkinManage::SetMdiCaptionsHidden(bool hidden) {
  if (default_ && InSet(default_->Options(), xoMDIChildBorder)) return;
  for (auto& form : forms_)
    if (form->GetState() != TSkinForm::kClosed && (GetWindowLongPtrW(form->Window(), GWL_EXSTYLE) & WS_EX_MDICHILD))
      form->SetMdiCaptionHidden(hidden);
}

}  // namespace quonel
