#include "skin/controls/skin_control.h"

#include <windowsx.h>

#include "core/property_access.h"
#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/parent_background.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/gdi/skin_text.h"
#include "skin/skin_messages.h"
#include "ui/control.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

}  // namespace

TSkinControl::TSkinControl() : TComponent(nullptr) {}

TSkinControl::~TSkinControl() {
  if (lifeState_ == kAttached || lifeState_ == kWindowGone) TSkinControl::Detach();
  Unhook();
  if (control_) control_->RemoveFreeNotification(this);
}

HWND TSkinControl::Window() const {
  if (window_) return window_;
  auto* windowed = dynamic_cast<TWinControl*>(control_);
  return windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
}

void TSkinControl::RegisterAttachment(TSkinData* data, TSkinForm* form) {
  skinData_ = data;
  form_ = form;
}

void TSkinControl::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  if (attached_ || !control || !data) return;
  controlHook_.Install(*control, [this](TMessage& message) { WndProc(message); });
  AttachWithoutHandler(control, data, form, recolour);
}

void TSkinControl::AttachWithoutHandler(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  if (attached_ || !control || !data) return;
  RegisterAttachment(data, form);
  control_ = control;
  control->FreeNotification(this);
  recolour_ = recolour;
  if (recolour) {
    SetParentBackground(true);
    savedColour_ = control->Color();
    control->SetColor(data->Colours().ButtonFace);
  }
  if (parentBackgroundForced_) backgroundMode_ = kParentBackground;
  control->Invalidate();
  attached_ = true;
  lifeState_ = kAttached;
}

void TSkinControl::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  if (attached_ || !data || !IsWindow(window)) return;
  RegisterAttachment(data, form);
  enabled_ = true;
  backgroundMode_ = kOwnBackground;
  caption_ = GetControlText(window);
  windowLink_.SetHandler([this](TWindowSubclass&, TMessage& message) { WndProc(message); });
  // The subclass leaves by itself once WM_NCDESTROY went through the chain.
  windowLink_.OnDetached = [this] {
    window_ = nullptr;
    if (lifeState_ == kAttached) lifeState_ = kWindowGone;
  };
  if (!windowLink_.Attach(window)) return;
  window_ = window;
  InvalidateRect(window, nullptr, TRUE);
  attached_ = true;
  lifeState_ = kAttached;
}

void TSkinControl::Detach() {
  // A control in the middle of one of its own messages (its window being
  // destroyed with it) is not written into.
  if (recolour_ && control_ && !controlHook_.Dispatching()) {
    SetParentBackground(false);
    control_->SetColor(savedColour_);
  }
  recolour_ = false;
  const HWND window = lifeState_ == kAttached ? Window() : nullptr;
  Unhook();
  mouseState_ = 0;
  if (lifeState_ == kAttached) lifeState_ = kDetached;
  if (window) InvalidateRect(window, nullptr, TRUE);
}

void TSkinControl::Unhook() {
  controlHook_.Remove();
  windowLink_.Detach();
}

void TSkinControl::SkinChanged() {
  if (recolour_ && control_ && skinData_) control_->SetColor(skinData_->Colours().ButtonFace);
  Redraw();
}

void TSkinControl::Notification(TComponent* component, Operation operation) {
  TComponent::Notification(component, operation);
  if (operation == Operation::Remove && component == control_) {
    controlHook_.Forget();
    control_ = nullptr;
  }
}

void TSkinControl::WndProc(TMessage& message) {
  if (message.Msg == SKM_ENABLE) {
    skinActive_ = static_cast<LONG_PTR>(message.WParam) > 0;
    message.Result = 0;
    SkinActiveChanged();
    // Either way the window shows at once the look that is now in charge.
    Redraw();
    return;
  }
  // The control's own handling may free this skin (a form dropping its
  // skins from inside a notification); nothing of it is touched afterwards.
  const TLiveness::Watch alive = liveness_.Observe();
  if (!skinActive_) {
    CallDefault(message);
    if (!alive.Alive()) return;
    if (message.Msg == WM_NCDESTROY && lifeState_ == kAttached) {
      lifeState_ = kWindowGone;
      controlHook_.PassThrough();
    }
    return;
  }
  if (BeforeMessage(message)) {
    CallDefault(message);
    if (alive.Alive()) AfterMessage(message);
  }
}

void TSkinControl::CallDefault(TMessage& message) {
  if (controlHook_.Installed()) controlHook_.CallSaved(message);
  else windowLink_.CallNext(message);
}

bool TSkinControl::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_NCDESTROY:
      CallDefault(message);
      skinActive_ = false;
      mouseState_ = 0;
      lifeState_ = kWindowGone;
      controlHook_.PassThrough();
      return false;
    case SKM_ISSKINNED:
      message.Result = 1;
      return false;
  }
  return true;
}

void TSkinControl::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
      Redraw();
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintFrame(reinterpret_cast<HDC>(message.WParam));
      break;
  }
}

void TSkinControl::PaintSkin(HDC, const RECT&) {}

void TSkinControl::SkinActiveChanged() {}

void TSkinControl::PaintFrame(HDC dc) {
  const HWND window = Window();
  if (!window) return;
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  windowRect_ = rect;
  OffsetRect(&rect, -rect.left, -rect.top);
  // A bad skin image must not stop the control's messages.
  try {
    if (dc) {
      PaintSkin(dc, rect);
    } else {
      WholeWindowDc whole(window);
      if (whole.Get()) PaintSkin(whole.Get(), rect);
    }
  } catch (...) {
  }
}

void TSkinControl::PaintHandler(TMessage& message) {
  message.Result = 0;
  const HWND window = Window();
  if (!window) return;
  RECT rect;
  GetWindowRect(window, &rect);
  windowRect_ = rect;
  OffsetRect(&rect, -rect.left, -rect.top);
  try {
    if (HDC dc = reinterpret_cast<HDC>(message.WParam)) {
      PaintSkin(dc, rect);
    } else {
      PaintScope paint(window);
      PaintSkin(paint.Get(), rect);
    }
  } catch (...) {
  }
}

void TSkinControl::EraseHandler(TMessage& message) {
  const HDC dc = reinterpret_cast<HDC>(message.WParam);
  const HWND window = Window();
  if (control_ && window) {
    DrawParentBackground(window, dc);
  } else if (window) {
    RECT client;
    GetClientRect(window, &client);
    FillParentColor(dc, client);
  }
  message.Result = 1;
}

void TSkinControl::Redraw() {
  if (const HWND window = Window()) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  } else if (control_ && !dynamic_cast<TWinControl*>(control_)) {
    // A control without a window repaints through its parent.
    control_->Invalidate();
    if (control_->Parent() && control_->Parent()->HandleAllocated()) UpdateWindow(control_->Parent()->Handle());
  }
}

void TSkinControl::FillBackground(HDC dc, const RECT& rect) const {
  if (skinData_) FillWithColor(dc, FromRECT(rect), skinData_->Colours().ButtonFace);
}

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) const {
  if (control_ && control_->Parent() && HasProperty(control_->Parent(), L"Color")) {
    FillWithColor(dc, FromRECT(rect), static_cast<TColor>(GetIntProp(control_->Parent(), L"Color")));
    return;
  }
  FillBackground(dc, rect);
}

void TSkinControl::SetParentBackground(bool attaching) {
  if (!control_ || !skinData_ || InSet(skinData_->Options(), xoParentBackGround)) return;
  if (!HasProperty(control_, L"ParentBackground")) return;
  if (attaching) {
    if (Lower(GetEnumPropText(control_, L"ParentBackground")) == L"true") {
      SetPropText(control_, L"ParentBackground", L"False");
      parentBackgroundForced_ = true;
    }
  } else if (parentBackgroundForced_) {
    SetPropText(control_, L"ParentBackground", L"True");
    parentBackgroundForced_ = false;
  }
}

void TSkinControl::ForwardMouseDown(const TMessage& message) {
  if (!control_) return;
  POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  // Coordinates of a message are 16 bits: a huge control asks the cursor.
  if (control_->Width() > 32768 || control_->Height() > 32768) {
    GetCursorPos(&point);
    if (const HWND window = Window()) ScreenToClient(window, &point);
  }
  control_->MouseDown(TMouseButton::mbLeft, ShiftStateFromKeys(message.WParam), point.x, point.y);
}

void TSkinControl::RefreshWindowState() {
  const HWND window = Window();
  if (!window) return;
  enabled_ = (GetWindowLongPtrW(window, GWL_STYLE) & WS_DISABLED) == 0;
  focused_ = GetFocus() == window;
}

std::wstring TSkinControl::ReadCaption() {
  if (control_) caption_ = GetTextProp(control_, L"Caption");
  else if (const HWND window = Window()) caption_ = GetControlText(window);
  return caption_;
}

HFONT TSkinControl::ControlFont(TColor* colour) const {
  if (control_) {
    if (auto* font = dynamic_cast<TFont*>(GetObjectPropOf(control_, L"Font", L"TFont"))) {
      if (colour) *colour = font->Color();
      return font->Handle();
    }
  }
  if (colour && skinData_) *colour = skinData_->Colours().ButtonText;
  const HWND window = Window();
  return window ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) : nullptr;
}

UINT TSkinControl::TextDirectionFlags(UINT format) const {
  if (!control_) return format;
  const std::wstring mode = GetEnumPropText(control_, L"BiDiMode");
  return !mode.empty() && mode != L"bdLeftToRight" ? format | DT_RTLREADING : format;
}

void DrawSkinObject(HDC dc, const Rect& rect, int count, int index, const TDataSkinObject& object) {
  StripFrame frame{object.Image};
  frame.count = count;
  frame.index = index;
  frame.margins = object.Margins;
  frame.tile = object.Tile != 0;
  frame.transparent = object.Trans == 1;
  DrawSkinImage(dc, rect, frame);
}

}  // namespace quonel

namespace quonel {

bool TSkinControl::TakeOverPainting(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return true;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintHandler(message);
      return true;
  }
  return false;
}

bool TSkinControl::NonEmptyClientRect(RECT& client) const {
  const HWND window = Window();
  return window && GetClientRect(window, &client) && client.right > 0 && client.bottom > 0;
}

}  // namespace quonel
