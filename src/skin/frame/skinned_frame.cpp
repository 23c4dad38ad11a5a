#include "skin/frame/skinned_frame.h"

#include "core/ascii_case.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_font.h"
#include "skin/frame/system_menu.h"
#include "skin/gdi/transparent_blit.h"
#include "skin/skin_messages.h"
#include "ui/form.h"

namespace quonel {

SkinnedFrame::SkinnedFrame() = default;

SkinnedFrame::~SkinnedFrame() {
  if (link_.Attached()) DetachWindow();
  // The buttons go while their owner is still whole.
  hot_ = nullptr;
  buttons_.clear();
}

void SkinnedFrame::AttachWindow(HWND window, TSkinData* data, TCustomForm* form) {
  if (attachedOnce_ || !window || !data) return;
  attachedOnce_ = true;
  window_ = window;
  data_ = data;
  form_ = form;
  frameOn_ = InSet(data->SkinControls(), xcMainMenu);
  // Windows 9x draws no owner-drawn system menu of ours.
  if (!IsWindowsNT()) data->SetSkinControls(data->SkinControls() & ~SetBit(xcSystemMenu));

  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  className_ = name;
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  systemDialog_ = className_ == L"#32770" || className_ == L"TMessageForm";
  // The program hears of the form before anything of it changes.
  if (form_ && data->OnBeforeSkinForm) data->OnBeforeSkinForm(form_, window, className_);
  mdiChild_ = (exStyle & WS_EX_MDICHILD) != 0;
  if (mdiChild_ && InSet(data->Options(), xoMDIChildBorder)) frameOn_ = false;
  systemMenu_ = (style & WS_SYSMENU) != 0;
  minimiseBox_ = (style & WS_MINIMIZEBOX) != 0;
  maximiseBox_ = (style & WS_MAXIMIZEBOX) != 0;
  ReadPlacement();
  kind_ = BorderKindOf({(style & WS_CAPTION) == WS_CAPTION, (style & WS_THICKFRAME) != 0,
                        (style & DS_MODALFRAME) != 0, (exStyle & WS_EX_DLGMODALFRAME) != 0,
                        systemDialog_});
  active_ = GetActiveWindow() == window;
  // The client area the window is to keep under the skin, taken before
  // anything (the menu leaving it, a frame change) can alter it.
  RECT client{};
  GetClientRect(window, &client);
  clientSize_ = {client.right, client.bottom};

  link_.SetHandler([this](TWindowSubclass& link, TMessage& message) { HandleMessage(link, message); });
  link_.OnDetached = [this] {
    // The window is gone; what it held went with it.
    state_ = FrameState::Closed;
  };
  if (!link_.Attach(window)) {
    state_ = FrameState::Closed;
    return;
  }
  if (form_) {
    savedColour_ = form_->Color();
    colourSaved_ = true;
    form_->SetColor(data->Colours().ButtonFace);
    if (frameOn_) {
      savedFormHandler_ = form_->WindowProc;
      form_->WindowProc = [this](TMessage& message) { HandleFormMessage(message); };
    }
  }
  AttachMdiClient();
  // The form's menus are drawn by the skin for as long as it is skinned.
  if (form_) skinnedMenus_ = SkinFormMenus(*form_, *data);
  // Without the frame the window waits for its deferred set-up all the same:
  // its controls get their skins then.
  if (!frameOn_) return;
  // The platform draws no caption of its own for a top-level window that
  // has none: every path that would paint it over the skin is closed.
  const HWND owner = GetWindow(window, GW_OWNER);
  const bool topLevel = (exStyle & WS_EX_APPWINDOW) || (!owner && !mdiChild_);
  if (topLevel && kind_ != BorderKind::None && placement_ != 2) ShowNativeCaption(false);
  // The menu bar keeps its room under the caption; its skin draws it.
  if (GetMenu(window) && !mdiChild_) {
    menuHeight_ = GetSystemMetrics(SM_CYMENU);
    menuBar_ = std::make_unique<TSkinMenuBar>(window, data, form_ ? form_->Menu() : nullptr);
    menuHeight_ = menuBar_->Height();
  }
  UpdateBorders();
}

void SkinnedFrame::InitFrame() {
  if (!window_ || state_ != FrameState::Attached) return;
  // A window attached while it was being made (an MDI child) had no client
  // area yet: the one it has now, under the skin's borders, is the one to keep.
  if (clientSize_.cx <= 0 && clientSize_.cy <= 0) {
    RECT client{};
    GetClientRect(window_, &client);
    clientSize_ = {client.right, client.bottom};
  }
  if (form_) SkinChildControls(*form_);
  else {
    SkinBareChildren(window_);
    // A message box's own client area takes the skin's face colour too.
    if (AsciiLower(className_) == L"#32770") {
      std::unique_ptr<TSkinControl> box = AttachSkin(L"boxh", nullptr, window_, false);
      const bool attached = box != nullptr;
      controls_.push_back({nullptr, window_, L"boxh", attached, std::move(box), nullptr, std::nullopt});
    }
  }
  SkinMdiScrollbars();
  // A child shown maximised has its buttons in the parent's menu bar.
  if (mdiChild_ && placement_ == 1) PostMessageW(GetParent(window_), SKM_REDRAWMDI, 0, 0);
  if (frameOn_) {
    const bool child = (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) && !mdiChild_;
    if (!child && kind_ != BorderKind::None && placement_ != 2) {
      state_ = FrameState::Resizing;
      AdjustWindowSize(clientSize_);
      state_ = FrameState::Ready;
      // The first region only cuts the window just resized, whose frame is
      // painted below and whose client is still to be painted: a redraw here
      // would paint the whole window once more.
      if (placement_ == 0) UpdateRegion(false);
    }
  }
  if (frameOn_ && TSkinCaption::UnitSkinAlpha() > 0) ApplySkinAlpha(window_, TSkinCaption::UnitSkinAlpha());
  SendMessageW(window_, SKM_SKINNED, 0, kSkinMessageMarker);
  if (data_->OnAfterSkinForm) data_->OnAfterSkinForm(form_, window_, className_);
  state_ = FrameState::Ready;
  // A window set up before it is shown paints its frame when it appears.
  if (frameOn_ && IsWindowVisible(window_)) PaintNonClient();
}

void SkinnedFrame::UpdateBorders() {
  if (!data_ || data_->Empty()) return;
  auto strip = [this](FrameEdge edge) {
    const TDataSkinObject& e = data_->Edge(edge);
    return EdgeStrip{e.Image.Width(), e.Image.Height(), e.Frames};
  };
  borders_ = BordersFromEdges(kind_, strip(FrameEdge::Left), strip(FrameEdge::Top), strip(FrameEdge::Right),
                              strip(FrameEdge::Bottom));
  if (kind_ == BorderKind::None) menuHeight_ = 0;
  SetHotObject(nullptr);
  buttons_.clear();
  for (const auto& skin : data_->CaptionButtons()) buttons_.push_back(std::make_unique<TWinSysButton>(*this, *skin));
}

void SkinnedFrame::AdjustWindowSize(SIZE client) {
  if (!window_) return;
  if (placement_ == 1) {
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return;
  }
  int width = client.cx + borders_.left + borders_.right;
  const int height = client.cy + borders_.top + borders_.bottom + menuHeight_;
  if (systemDialog_) {
    // A message box keeps its whole caption text readable.
    const TDataSkinTitle& title = data_->Title();
    wchar_t text[512] = {};
    GetWindowTextW(window_, text, 512);
    WindowDc screen;
    SelectionScope font(screen.Get(), CaptionFont(data_->CaptionFont(), title.FontHeight));
    SIZE extent{};
    GetTextExtentPoint32W(screen.Get(), text, lstrlenW(text), &extent);
    const int wanted = title.Margins.left + extent.cx + title.Margins.right;
    if (wanted > width) {
      const int shift = (wanted - width) / 2;
      for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      width = wanted;
    }
  }
  SetWindowPos(window_, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SkinnedFrame::RefreshSkin() {
  if (!window_ || state_ != FrameState::Ready) return;
  if (form_) form_->SetColor(data_->Colours().ButtonFace);
  state_ = FrameState::Refreshing;
  ReapplyControlSkins();
  if (frameOn_) {
    UpdateBorders();
    region_.Forget();
    AdjustWindowSize(form_ ? SIZE{form_->ClientWidth(), form_->ClientHeight()} : clientSize_);
    if (placement_ == 0) UpdateRegion();
  }
  SendMessageW(window_, SKM_SKINNED, 0, kSkinMessageMarker);
  if (data_->OnAfterSkinForm) data_->OnAfterSkinForm(form_, window_, className_);
  state_ = FrameState::Ready;
  PaintNonClient();
}

void SkinnedFrame::DetachWindow() {
  if (!link_.Attached()) {
    state_ = FrameState::Closed;
    return;
  }
  UndoSkin(false);
  state_ = FrameState::Closed;
}

// What attaching did, undone; a closing window keeps its size and colour.
void SkinnedFrame::UndoSkin(bool closing) {
  // The client size under the skin, which the platform's frame is to keep.
  RECT client{0, 0, clientSize_.cx, clientSize_.cy};
  GetClientRect(window_, &client);
  if (hoverTimer_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
  hoverTimer_ = false;
  SetHotObject(nullptr);
  if (form_ && savedFormHandler_) form_->WindowProc = std::move(savedFormHandler_);
  savedFormHandler_ = nullptr;
  link_.Detach();
  mdiClientLink_.Detach();
  FreeControlSkins();
  ReleaseMenus(closing);
  if (form_ && colourSaved_ && !closing) form_->SetColor(savedColour_);
  colourSaved_ = false;
  if (!frameOn_ || closing) return;
  if (nativeCaptionHidden_) ShowNativeCaption(true);
  region_.Remove(window_);
  // The client area keeps its size under the platform's frame.
  const SIZE keep{client.right, client.bottom};
  RECT frame = client;
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  AdjustWindowRectEx(&frame, style, GetMenu(window_) != nullptr, exStyle);
  const bool resize = !mdiChild_ && placement_ == 0;
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (resize ? 0 : SWP_NOSIZE);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, flags);
  if (!resize) return;
  // The platform's own frame may differ from what it computes in advance.
  RECT now{}, outer{};
  GetClientRect(window_, &now);
  GetWindowRect(window_, &outer);
  const int dx = keep.cx - now.right, dy = keep.cy - now.bottom;
  if (dx || dy)
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinnedFrame::Closing(TWindowSubclass& link, TMessage& message) {
  state_ = FrameState::Closing;
  if (hoverTimer_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
  hoverTimer_ = false;
  SetHotObject(nullptr);
  if (form_ && savedFormHandler_) form_->WindowProc = std::move(savedFormHandler_);
  savedFormHandler_ = nullptr;
  FreeControlSkins();
  ReleaseMenus(true);
  link.CallNext(message);
  state_ = FrameState::Closed;
}

void SkinnedFrame::ReleaseMenus(bool closing) {
  skinnedMenus_.clear();
  if (menuBar_) menuBar_->SetToolkitMenu(form_ ? form_->Menu() : nullptr);
  if (menuBar_ && closing) menuBar_->WindowClosing();
  // The window shows its own menu bar again (not a closing one).
  menuBar_.reset();
  menuHeight_ = 0;
}

void SkinnedFrame::SetMdiCaptionHidden(bool hidden) {
  if (!mdiChild_ || !window_ || !ShowNativeCaption(!hidden)) return;
  // The platform placed a maximised child for the caption it had: without
  // it the child's client area is to fill the MDI client's. Any other child
  // only has its frame computed again.
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  RECT fill{};
  const HWND client = GetParent(window_);
  if (IsZoomed(window_) && client && GetClientRect(client, &fill))
    AdjustWindowRectEx(&fill, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  else
    flags |= SWP_NOMOVE | SWP_NOSIZE;
  SetWindowPos(window_, nullptr, fill.left, fill.top, fill.right - fill.left, fill.bottom - fill.top, flags);
}

bool SkinnedFrame::ShowNativeCaption(bool show) {
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  if (show) {
    if (!nativeCaptionHidden_) return false;
    SetWindowLongPtrW(window_, GWL_STYLE, style | WS_CAPTION);
    nativeCaptionHidden_ = false;
  } else {
    if ((style & WS_CAPTION) == 0) return false;
    SetWindowLongPtrW(window_, GWL_STYLE, style & ~WS_CAPTION);
    nativeCaptionHidden_ = true;
  }
  return true;
}

void SkinnedFrame::ReadPlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement_ = 0;
  if (!GetWindowPlacement(window_, &placement)) return;
  if (placement.showCmd == SW_SHOWMAXIMIZED) placement_ = 1;
  else if (placement.showCmd == SW_MINIMIZE || placement.showCmd == SW_SHOWMINIMIZED ||
           placement.showCmd == SW_SHOWMINNOACTIVE || IsIconic(window_))
    placement_ = 2;
  else if (IsZoomed(window_)) placement_ = 1;
}

HICON SkinnedFrame::WindowIcon() const {
  auto icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window_, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window_, GCLP_HICON));
  return icon;
}

void SkinnedFrame::SetHotObject(TNCObject* object) {
  hot_ = object;
  UpdateHoverTimer();
}

void SkinnedFrame::UpdateHoverTimer() {
  if (!window_ || !link_.Attached()) return;
  const bool wanted = hot_ || (menuBar_ && menuBar_->HotButton() >= 0);
  if (wanted && !hoverTimer_) hoverTimer_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), 250, nullptr) != 0;
  else if (!wanted && hoverTimer_) {
    KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    hoverTimer_ = false;
  }
}

}  // namespace quonel
