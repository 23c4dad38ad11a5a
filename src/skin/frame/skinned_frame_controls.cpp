// Choosing a skin for every control of a skinned form.
#include <algorithm>

#include "core/ascii_case.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skinned_frame.h"
#include "skin/skin_messages.h"
#include "ui/form.h"
#include "ui/panel.h"

namespace quonel {

namespace {

bool AnswersSkinned(HWND window) { return window && SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }

}  // namespace

std::unique_ptr<TSkinControl> SkinnedFrame::AttachSkin(const std::wstring& kind, TControl* control, HWND window,
                                                       bool recolour) {
  std::unique_ptr<TSkinControl> skin = CreateControlSkin(kind);
  if (!skin) return nullptr;
  if (control) skin->Attach(control, data_, nullptr, recolour);
  else skin->AttachHandle(window, data_, nullptr);
  if (skin->GetLifeState() != TSkinControl::kAttached) return nullptr;
  return skin;
}

void SkinnedFrame::PurgeClosedSkins() {
  std::erase_if(controls_, [](const ChosenControlSkin& chosen) {
    if (chosen.custom && !chosen.Live()) return true;  // its owner freed it
    const TSkinControl* skin = chosen.Live();
    return skin && skin->GetLifeState() == TSkinControl::kWindowGone;
  });
}

void SkinnedFrame::ReapplyControlSkins() {
  PurgeClosedSkins();
  for (ChosenControlSkin& chosen : controls_)
    if (TSkinControl* skin = chosen.Live()) skin->SkinChanged();
}

void SkinnedFrame::FreeControlSkins() {
  // A skin's own Detach is virtual; its destructor only undoes what the base
  // did, so a skin that changed its control (a colour, glyphs, pictures)
  // would otherwise leave the control changed.
  for (ChosenControlSkin& chosen : controls_) {
    TSkinControl* skin = chosen.Live();
    if (skin && skin->GetLifeState() == TSkinControl::kAttached) skin->Detach();
  }
  controls_.clear();
}

void SkinnedFrame::SkinChildControls(TCustomForm& form) {
  PurgeClosedSkins();
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(form.Components(i))) SkinControl(*control, &form);
  for (TWinControl* control : form.TabList()) {
    if (!control->HandleAllocated() || control->Tag() == data_->DisableTag()) continue;
    if (AnswersSkinned(control->Handle())) continue;
    SkinControl(*control, &form);
  }
}

void SkinnedFrame::SkinBareChildren(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    if (style & WS_CHILD) SkinBareWindow(child, style);
  }
}

void SkinnedFrame::SkinBareWindow(HWND child, DWORD style) {
  const bool known = std::any_of(controls_.begin(), controls_.end(),
                                 [&](const ChosenControlSkin& c) { return !c.control && c.window == child; });
  if (known || AnswersSkinned(child)) return;
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  const ControlSkinChoice choice = BareWindowChoice(name, style);
  if (choice.skinChildren) SkinBareChildren(child);
  if (choice.recolour && choice.kind.empty()) {
    // Another library's panel: its own painting, on the skin's face colour.
    if (TWinControl* panel = TWinControl::FromHandle(child)) panel->SetColor(data_->Colours().ButtonFace);
  }
  if (choice.kind.empty()) return;
  std::unique_ptr<TSkinControl> skin = AttachSkin(choice.kind, nullptr, child, choice.recolour);
  const bool attached = skin != nullptr;
  controls_.push_back({nullptr, child, choice.kind, attached, std::move(skin)});
}

void SkinnedFrame::SkinControl(TControl& control, TWinControl* container) {
  if (control.Tag() == data_->DisableTag()) {
    // A radio or check group switched off takes its buttons along.
    const std::wstring name = AsciiLower(std::wstring(control.ClassName()));
    if (name.find(L"radiogroup") != std::wstring::npos || name.find(L"checkgroup") != std::wstring::npos) {
      if (auto* group = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < group->ControlCount(); ++i) group->Controls(i)->SetTag(data_->DisableTag());
    }
    return;
  }
  if (!control.Parent()) return;
  const bool known = std::any_of(controls_.begin(), controls_.end(),
                                 [&](const ChosenControlSkin& c) { return c.control == &control; });
  if (known) return;
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  // A control that has no window yet is not given one here: the library makes
  // hidden controls' windows when they are first shown (the file list's
  // common controls load only then), and a control skin attaches to the
  // control's message method, window or not.
  HWND window = windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
  if (window && AnswersSkinned(window)) return;
  if (data_->OnSkinControl) {
    TComponent* skinned = nullptr;
    data_->OnSkinControl(sender_, data_, container, &control, AsciiUpper(std::wstring(control.ClassName())),
                         skinned);
    if (skinned) {
      // The handler's own skin, owned where the handler put it; it leaves
      // the control with the frame's own skins.
      ChosenControlSkin chosen{&control, window, L"custom", false, nullptr};
      if (auto* custom = dynamic_cast<TSkinControl*>(skinned)) {
        custom->Attach(&control, data_, nullptr, true);
        chosen.attached = custom->GetLifeState() == TSkinControl::kAttached;
        chosen.custom = custom;
        chosen.customAlive = custom->ObserveLife();
      }
      controls_.push_back(std::move(chosen));
      if (auto* panel = dynamic_cast<TPanel*>(&control))
        for (int i = 0; i < panel->ControlCount(); ++i) SkinControl(*panel->Controls(i), panel);
      return;
    }
  }
  const DispatchGates gates{data_->SkinControls(), data_->Slot(SkinSlot::Tabs) != nullptr};
  const ControlSkinChoice choice = ChooseControlSkin(control, data_->Skin3rd(), gates);
  if (choice.skinChildren && windowed) {
    for (int i = 0; i < windowed->ControlCount(); ++i) SkinControl(*windowed->Controls(i), windowed);
  }
  if (choice.kind.empty()) return;
  std::unique_ptr<TSkinControl> skin = AttachSkin(choice.kind, &control, window, choice.recolour);
  const bool attached = skin != nullptr;
  controls_.push_back({&control, window, choice.kind, attached, std::move(skin)});
}

}  // namespace quonel
