// The skinned frame's message handling: which messages it answers itself,
// which it lets the window handle first, and which pass untouched.
#include <windowsx.h>

#include "skin/data/skin_data.h"
#include "skin/frame/skinned_frame.h"
#include "skin/frame/system_menu.h"
#include "skin/skin_messages.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel {

namespace {

// The platform's undocumented caption and frame drawing messages.
constexpr UINT kPlatformDrawCaption = 0xAE;
constexpr UINT kPlatformDrawFrame = 0xAF;

}  // namespace

void SkinnedFrame::HandleMessage(TWindowSubclass& link, TMessage& m) {
  switch (m.Msg) {
    case SKM_ISSKINNED:
      m.Result = 1;
      return;
    case SKM_INITFRAME:
      InitFrame();
      return;
    case SKM_PAINTFRAME:
      PaintNonClient();
      return;
    case SKM_MENUCLICK: {
      // A click at a screen point: the bar button there opens its menu.
      const int index = frameOn_ ? MenuBarButtonAt(WindowPoint(m.LParam)) : -1;
      if (index >= 0) menuBar_->OpenBarMenu(index);
      m.Result = 0;
      return;
    }
    case kPlatformDrawCaption:
    case kPlatformDrawFrame:
      m.Result = 0;
      return;
    case WM_NCDESTROY:
      Closing(link, m);
      return;
    default:
      // These share their values with the control library's reflected
      // notifications: only with the marker are they ours, and then they
      // end here.
      if (IsMarkedSkinMessage(m.Msg, static_cast<long long>(m.LParam))) {
        if (m.Msg == SKM_PRINTFRAME) PaintNonClient(reinterpret_cast<HDC>(m.WParam));
        if (m.Msg == SKM_PRINTCLIENT)
          SendMessageW(window_, WM_PRINTCLIENT, m.WParam, PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
        m.Result = kSkinMessageMarker;
        return;
      }
      break;
  }
  if (!form_ && frameOn_) {
    // Windows without form object (system dialogs, message boxes): the
    // skin's face behind them and behind their texts.
    if (m.Msg == WM_ERASEBKGND) {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(m.WParam), &client, data_->FaceBrush());
      m.Result = 1;
      return;
    }
    if (m.Msg == WM_CTLCOLORSTATIC || m.Msg == WM_CTLCOLORBTN || m.Msg == WM_CTLCOLORDLG) {
      SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
      m.Result = reinterpret_cast<LRESULT>(data_->FaceBrush());
      return;
    }
  }
  if (frameOn_ && HandleNonClient(link, m)) return;
  link.CallNext(m);
}

bool SkinnedFrame::HandleNonClient(TWindowSubclass& link, TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      HandleNcCalcSize(link, m);
      return true;
    case WM_NCPAINT:
      if (state_ != FrameState::Attached) PaintNonClient();
      m.Result = 0;
      return true;
    case WM_NCACTIVATE:
      // Before the deferred set-up nothing is drawn, but the activation is
      // always allowed to happen.
      if (state_ == FrameState::Attached && !mdiChild_) {
        active_ = m.WParam != 0;
        m.Result = TRUE;
        return true;
      }
      HandleActivation(m);
      return true;
    case WM_NCHITTEST:
      link.CallNext(m);
      if (kind_ != BorderKind::None) {
        const POINT p = WindowPoint(m.LParam);
        m.Result = FrameHitTest(static_cast<int>(m.Result), {p.x, p.y}, borders_, menuHeight_);
      }
      return true;
    case WM_NCMOUSEMOVE:
      if (!MouseMove(m.LParam)) return false;
      m.Result = 0;
      return true;
    case WM_NCLBUTTONDOWN:
      return LeftButtonDown(m);
    case WM_NCLBUTTONUP:
      if (!LeftButtonUp(m.LParam)) return false;
      m.Result = 0;
      return true;
    case WM_NCLBUTTONDBLCLK:
      return DoubleClick(m);
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
      // The platform would open its own system menu on the way up.
      if (m.WParam != HTCAPTION || mdiChild_) return false;
      if (m.Msg == WM_NCRBUTTONDOWN) ShowSystemMenu({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      m.Result = 0;
      return true;
    case WM_CONTEXTMENU:
      // A right click on the caption was answered on the way down.
      if (m.LParam == -1 || SendMessageW(window_, WM_NCHITTEST, 0, m.LParam) != HTCAPTION) return false;
      m.Result = 0;
      return true;
    case WM_TIMER:
      if (m.WParam != reinterpret_cast<UINT_PTR>(this)) return false;
      CheckHover();
      m.Result = 0;
      return true;
    case WM_SETTEXT:
      HandleSetText(link, m);
      return true;
    case WM_SETICON:
      link.CallNext(m);
      PaintNonClient();
      return true;
    case WM_SIZE:
      link.CallNext(m);
      placement_ = m.WParam == SIZE_MINIMIZED ? 2 : m.WParam == SIZE_MAXIMIZED ? 1 : 0;
      // The parent's bar and the other children's captions follow a child's placement.
      if (mdiChild_) PostMessageW(GetParent(window_), SKM_REDRAWMDI, 0, 0);
      // A maximised or minimised child is not shaped: the region cut for its
      // normal size would hide most of it.
      if (mdiChild_ && placement_ != 0) {
        if (region_.Shaped()) region_.Remove(window_);
      } else if (placement_ != 2 && (state_ == FrameState::Ready || state_ == FrameState::Refreshing)) {
        UpdateRegion();
      }
      return true;
    case WM_SYSCOMMAND:
      HandleSysCommand(link, m);
      return true;
    case WM_MEASUREITEM: {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (!(systemMenu && systemMenu->Measure(measure)) && !(menuBar_ && menuBar_->MeasureItem(measure))) return false;
      m.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      if (!(systemMenu && systemMenu->Draw(draw)) && !(menuBar_ && menuBar_->DrawItem(draw))) return false;
      m.Result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void SkinnedFrame::HandleNcCalcSize(TWindowSubclass& link, TMessage& m) {
  // Both forms of the message carry the proposed window rectangle first.
  RECT* proposed = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                            : reinterpret_cast<RECT*>(m.LParam);
  const RECT window = *proposed;
  link.CallNext(m);
  if (kind_ == BorderKind::None || (mdiChild_ && placement_ != 0)) return;
  RECT client{window.left + borders_.left, window.top + borders_.top + menuHeight_, window.right - borders_.right,
              window.bottom - borders_.bottom};
  // A window smaller than its borders (a minimised one) has an empty client area.
  if (client.right < client.left) client.right = client.left;
  if (client.bottom < client.top) client.bottom = client.top;
  *proposed = client;
  if (m.WParam) {
    reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[1] = client;
    m.Result = WVR_VALIDRECTS;
  } else {
    m.Result = 0;
  }
}

void SkinnedFrame::HandleSetText(TWindowSubclass& link, TMessage& m) {
  // Where the platform still has a caption of its own it draws the new text
  // into it at once: it runs with redrawing off, and the frame paints after.
  const bool platformDraws = !nativeCaptionHidden_ && IsWindowVisible(window_) &&
                             (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  if (platformDraws) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  link.CallNext(m);
  if (platformDraws) SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
  PaintNonClient();
}

void SkinnedFrame::HandleSysCommand(TWindowSubclass& link, TMessage& m) {
  const WPARAM command = m.WParam & 0xFFF0;
  if (command == SC_KEYMENU && m.LParam == L' ') {
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    ShowSystemMenu(origin);
    m.Result = 0;
    return;
  }
  // F10 or a lone Alt (no key) opens the bar's first menu, Alt+letter the
  // menu of that mnemonic; the platform no longer knows the window's menu.
  if (command == SC_KEYMENU && OpenMenuByKey(static_cast<wchar_t>(m.LParam))) {
    m.Result = 0;
    return;
  }
  if (command == SC_MINIMIZE) placement_ = 2;
  else if (command == SC_MAXIMIZE) placement_ = 1;
  else if (command == SC_RESTORE) placement_ = placement_ == 2 && IsZoomed(window_) ? 1 : 0;
  link.CallNext(m);
}

void SkinnedFrame::HandleActivation(TMessage& m) {
  active_ = m.WParam != 0;
  if (!active_ && hot_) hot_->MouseLeave();
  if (!active_ && menuBar_) menuBar_->MouseLeave();
  // A window activated as it first appears gets its frame painted by the
  // show's own WM_NCPAINT, in the state set here: once is enough.
  if (!(mdiChild_ && placement_ == 1) && framePainted_) PaintNonClient();
  m.Result = TRUE;
}

void SkinnedFrame::HandleFormMessage(TMessage& m) {
  if (m.Msg == SKM_REFRESH) {
    if (form_ && data_) {
      form_->SetColor(data_->Colours().ButtonFace);
      // The skins there are take the skin again; controls made since get theirs.
      ReapplyControlSkins();
      SkinChildControls(*form_);
    }
    m.Result = 0;
    return;
  }
  if (savedFormHandler_) savedFormHandler_(m);
  if (m.Msg == CM_DIALOGCHAR && m.Result == 0) ForwardDialogChar(m);
}

void SkinnedFrame::ForwardDialogChar(TMessage& m) {
  // Bit 29 of the key data: Alt was down with the character.
  const bool onlyAlt = (m.LParam & (1 << 29)) && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
  // Alt+'-' on an MDI frame: the maximised child's system menu.
  if (onlyAlt && m.WParam == L'-' && OpenMaximisedChildMenu()) {
    m.Result = 1;
    return;
  }
  const int index = onlyAlt && menuBar_ ? menuBar_->ButtonForKey(static_cast<wchar_t>(m.WParam)) : -1;
  if (index >= 0) {
    // Opened as a click on the button, once this message is answered.
    const RECT& button = menuBar_->Buttons()[static_cast<size_t>(index)].rect;
    RECT outer{};
    GetWindowRect(window_, &outer);
    PostMessageW(window_, WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(outer.left + button.left + 1, outer.top + button.top + 1));
    m.Result = 1;
    return;
  }
  TCustomForm* target = nullptr;
  if (mdiChild_) {
    const HWND client = GetParent(window_);
    target = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(client ? GetParent(client) : nullptr));
  } else if (Application && Application->MainForm() != form_) {
    target = Application->MainForm();
  }
  // A disabled form (a modal dialog is up) opens no menu of its own.
  if (target && target != form_ && target->HandleAllocated() && IsWindowEnabled(target->Handle()))
    m.Result = target->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
}

}  // namespace quonel
