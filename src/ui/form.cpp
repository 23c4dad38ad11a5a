#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/menu.h"

namespace quonel {

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* form : forms_)
    if (form->HandleAllocated() && form->Handle() == active) return form;
  return nullptr;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisibleFlag(false);
  Screen().forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  if (created_ && OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
    }
  }
  if (Application) Application->ForgetIdleTasks(this);
  auto& forms = Screen().forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  // The window goes while the object is still a form.
  DestroyHandle();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(unsigned icons) {
  if (borderIcons_ == icons) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu_ == menu) return;
  if (menu_) {
    menu_->RemoveFreeNotification(this);
    menu_->SetWindowHandle(nullptr);
  }
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (HandleAllocated()) {
    if (menu_) menu_->SetWindowHandle(Handle());
    ::SetMenu(Handle(), MenuHandle());
    FitClientSize();
  }
}

HMENU TCustomForm::MenuHandle() const { return menu_ ? menu_->Handle() : nullptr; }

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  params.style |= WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone: params.style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow: params.style |= WS_CAPTION; break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin: params.style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
      params.style |= WS_CAPTION;
      params.exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
    params.exStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
    params.style |= WS_SYSMENU;
    // A dialog border has no minimise or maximise box.
    if (borderStyle_ != TFormBorderStyle::bsDialog) {
      if (borderIcons_ & biMinimize) params.style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) params.style |= WS_MAXIMIZEBOX;
    }
  }
  if (clientWidth_ >= 0 || clientHeight_ >= 0) {
    RECT frame = {0, 0, clientWidth_ >= 0 ? clientWidth_ : width_, clientHeight_ >= 0 ? clientHeight_ : height_};
    AdjustWindowRectEx(&frame, params.style, MenuHandle() != nullptr, params.exStyle);
    params.width = width_ = frame.right - frame.left;
    params.height = height_ = frame.bottom - frame.top;
  }
  // A centred form is made where it will appear: moving it later costs a
  // trip to the window system before it is shown.
  if (Centred()) {
    const POINT place = CentredPlace(params.width, params.height);
    params.x = left_ = place.x;
    params.y = top_ = place.y;
  }
  params.classBackground = nullptr;
}

bool TCustomForm::Centred() const {
  return position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter;
}

POINT TCustomForm::CentredPlace(int width, int height) {
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

void TCustomForm::HandleCreated() {
  if (menu_) {
    menu_->SetWindowHandle(Handle());
    ::SetMenu(Handle(), menu_->Handle());
  }
  FitClientSize();
}

// The platform's frame metrics decide the window size: correct it until the
// client area has the stored size.
void TCustomForm::FitClientSize() {
  if (!HandleAllocated() || (clientWidth_ < 0 && clientHeight_ < 0)) return;
  RECT client, window;
  GetClientRect(Handle(), &client);
  GetWindowRect(Handle(), &window);
  const int dx = clientWidth_ >= 0 ? clientWidth_ - client.right : 0;
  const int dy = clientHeight_ >= 0 ? clientHeight_ - client.bottom : 0;
  if (dx || dy)
    SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::SetClientWidth(int width) {
  clientWidth_ = width;
  if (HandleAllocated()) FitClientSize();
}

void TCustomForm::SetClientHeight(int height) {
  clientHeight_ = height;
  if (HandleAllocated()) FitClientSize();
}

RECT TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  return RECT{0, 0, clientWidth_ >= 0 ? clientWidth_ : width_, clientHeight_ >= 0 ? clientHeight_ : height_};
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (activeControl_ == control) return;
  if (activeControl_) activeControl_->RemoveFreeNotification(this);
  activeControl_ = control;
  if (control) control->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* component, Operation operation) {
  TWinControl::Notification(component, operation);
  if (operation == Operation::Remove && component == activeControl_) activeControl_ = nullptr;
  if (operation == Operation::Remove && component == menu_) {
    if (HandleAllocated() && GetMenu(Handle()) == menu_->Handle()) ::SetMenu(Handle(), nullptr);
    menu_ = nullptr;
  }
}

void TCustomForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  if (OnCreate) OnCreate(this);
}

void TCustomForm::VisibleChanged() {
  if (!Visible()) {
    if (OnHide) OnHide(this);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    return;
  }
  HWND window = Handle();
  if (Centred()) {
    RECT box;
    GetWindowRect(window, &box);
    const POINT place = CentredPlace(box.right - box.left, box.bottom - box.top);
    if (place.x != box.left || place.y != box.top)
      SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The show event comes before the window appears, as a form's set-up expects.
  if (OnShow) OnShow(this);
  ShowWindow(window, SW_SHOWNORMAL);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Hide();
    Application->Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    case TCloseAction::caFree: Release(); break;
    case TCloseAction::caNone: break;
  }
}

void TCustomForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::SelectNext(bool backward) {
  HWND next = GetNextDlgTabItem(Handle(), GetFocus(), backward);
  if (next) ::SetFocus(next);
}

bool TCustomForm::DialogKey(TMessage& message) {
  switch (message.WParam) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0) return false;
      SelectNext(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
    case VK_ESCAPE: {
      // Buttons anywhere on the form may answer (a default or cancel button).
      std::function<bool(TWinControl&)> ask = [&](TWinControl& container) {
        for (int i = 0; i < container.ControlCount(); ++i) {
          TControl* control = container.Controls(i);
          if (control->Perform(CM_DIALOGKEY, message.WParam, message.LParam)) return true;
          if (auto* inner = dynamic_cast<TWinControl*>(control); inner && ask(*inner)) return true;
        }
        return false;
      };
      return ask(*this);
    }
  }
  return false;
}

bool TCustomForm::MenuMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND:
      // A menu's command (an accelerator's has 1 in the high word).
      if (message.LParam != 0 || HIWORD(message.WParam) != 0) return false;
      if (TMenuItem* item = TMenuItem::FindByCommand(LOWORD(message.WParam))) {
        item->Click();
        return true;
      }
      return false;
    case WM_MEASUREITEM: {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
      if (measure.CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FindByCommand(static_cast<UINT>(measure.itemData));
      if (!item) return false;
      WindowDc screen;
      NONCLIENTMETRICSW metrics{};
      metrics.cbSize = sizeof metrics;
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
      OwnedFont font(CreateFontIndirectW(&metrics.lfMenuFont));
      SelectionScope selected(screen.Get(), font.Get());
      int width = 0, height = 0;
      item->MeasureItem(screen.Get(), width, height);
      measure.itemWidth = static_cast<UINT>(std::max(width, 0));
      measure.itemHeight = static_cast<UINT>(std::max(height, 0));
      message.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      if (draw.CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FindByCommand(static_cast<UINT>(draw.itemData));
      if (!item) return false;
      item->DrawItem(draw.hDC, draw.rcItem, draw.itemState);
      message.Result = TRUE;
      return true;
    }
    case WM_DESTROY:
      // The platform destroys the menu of a window that goes; ours lives on.
      if (menu_ && GetMenu(Handle()) == menu_->Handle()) ::SetMenu(Handle(), nullptr);
      return false;
  }
  return false;
}

// The controls that wait for the first paint get their windows once the
// window is on the screen and nothing else is waiting.
void TCustomForm::FirstPainted() {
  painted_ = true;
  if (Application) Application->WhenIdle(this, [this] { CreateWindowsAfterFirstPaint(); });
  else PostMessageW(Handle(), CM_CREATEAFTERPAINT, 0, 0);
}

void TCustomForm::WndProc(TMessage& message) {
  if (MenuMessage(message)) return;
  switch (message.Msg) {
    case WM_PAINT:
      TWinControl::WndProc(message);
      if (!painted_) FirstPainted();
      return;
    case CM_CREATEAFTERPAINT:
      CreateWindowsAfterFirstPaint();
      return;
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) != WA_INACTIVE) {
        // The platform's default would give the focus to the form's own
        // window only for it to move on to the control at once; it runs only
        // when no control takes the focus (under Wine that detour was most of
        // the cost of showing a form).
        if (activeControl_ && activeControl_->CanFocus()) {
          activeControl_->SetFocus();
        } else if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
          ::SetFocus(first);
        }
        HWND focus = GetFocus();
        if (!focus || (focus != Handle() && !IsChild(Handle(), focus))) TWinControl::WndProc(message);
        Perform(CM_ACTIVATE);
      } else {
        TWinControl::WndProc(message);
        Perform(CM_DEACTIVATE);
      }
      return;
    case CM_ACTIVATE:
      if (OnActivate) OnActivate(this);
      return;
    case CM_DEACTIVATE:
      if (OnDeactivate) OnDeactivate(this);
      return;
    case CM_FOCUSCHANGED:
      if (auto* control = reinterpret_cast<TWinControl*>(message.LParam)) {
        if (activeControl_ != control) {
          if (activeControl_) activeControl_->RemoveFreeNotification(this);
          activeControl_ = control;
          control->FreeNotification(this);
        }
      }
      return;
    case CM_DIALOGKEY:
      message.Result = DialogKey(message) ? 1 : 0;
      return;
    case CM_RELEASE:
      if (Application) Application->FreeAfterMessage(this);
      return;
  }
  TWinControl::WndProc(message);
}

}  // namespace quonel
