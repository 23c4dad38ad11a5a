// Painting the skinned frame and shaping the window.
#include "skin/data/skin_data.h"
#include "skin/frame/skinned_frame.h"
#include "skin/skin_messages.h"
#include "ui/form.h"

namespace quonel {

namespace {

// Takes the system-menu style off the window for a paint and puts it back
// however the paint ends, so that the platform draws no caption buttons of
// its own meanwhile and the window never loses its system menu.
class SystemMenuStyleOff {
 public:
  SystemMenuStyleOff(HWND window, bool needed) : window_(window) {
    if (!needed) return;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (!(style & WS_SYSMENU)) return;
    removed_ = true;
    SetWindowLongPtrW(window, GWL_STYLE, style & ~WS_SYSMENU);
  }
  ~SystemMenuStyleOff() {
    if (removed_) SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | WS_SYSMENU);
  }
  SystemMenuStyleOff(const SystemMenuStyleOff&) = delete;
  SystemMenuStyleOff& operator=(const SystemMenuStyleOff&) = delete;

 private:
  HWND window_;
  bool removed_ = false;
};

}  // namespace

CaptionState SkinnedFrame::CurrentCaptionState() const {
  CaptionState s;
  s.systemMenu = systemMenu_;
  s.minimiseBox = minimiseBox_;
  s.maximiseBox = maximiseBox_;
  s.maximised = placement_ == 1;
  s.minimised = placement_ == 2;
  s.active = active_;
  s.dialogFrame = kind_ == BorderKind::Dialog;
  s.systemDialog = systemDialog_;
  s.mdiChildMaximisedWithMenuBar = mdiMaximised_ && menuBar_ != nullptr;
  return s;
}

void SkinnedFrame::LayOutButtons(int windowWidth) {
  const AskButtonVisible ask = [this](int visibility, int action) {
    return SendMessageW(window_, SKM_BUTTONVISIBLE, static_cast<WPARAM>(visibility), action) > 0;
  };
  int menuLeftMargin = 0;
  if (const TDataSkinObject* bar = data_->Slot(SkinSlot::MenuBar)) menuLeftMargin = bar->Margins.left;
  rightLimit_ = LayOutCaptionButtons(buttons_, CurrentCaptionState(), windowWidth, borders_,
                                     {menuHeight_, menuLeftMargin, rightToLeft_}, ask);
}

void SkinnedFrame::PaintNonClient(HDC dc) {
  if (!window_ || !data_ || data_->Empty()) return;
  if (state_ != FrameState::Ready && state_ != FrameState::Refreshing) return;
  if (kind_ == BorderKind::None || (mdiChild_ && placement_ == 1)) return;
  RECT frame{};
  if (!GetWindowRect(window_, &frame)) return;
  SystemMenuStyleOff noPlatformButtons(window_, !nativeCaptionHidden_);
  try {
    if (dc) {
      PaintFrame(dc, frame.right - frame.left, frame.bottom - frame.top);
    } else {
      WholeWindowDc windowDc(window_);
      if (windowDc.Get()) PaintFrame(windowDc.Get(), frame.right - frame.left, frame.bottom - frame.top);
      framePainted_ = true;
    }
  } catch (...) {
    // A frame that cannot be painted keeps what it showed.
  }
  // The buttons were drawn in their resting look: nothing is hot any more.
  for (const auto& button : buttons_) button->state = TNCObject::kNormal;
  SetHotObject(nullptr);
}

void SkinnedFrame::PaintFrame(HDC dc, int width, int height) {
  LayOutButtons(width);
  for (const auto& button : buttons_) button->state = TNCObject::kNormal;
  FramePaint paint;
  paint.dc = dc;
  paint.data = data_;
  paint.borders = borders_;
  paint.menuHeight = menuHeight_;
  paint.width = width;
  paint.height = height;
  paint.active = active_;
  paint.minimised = placement_ == 2;
  paint.buttons = &buttons_;
  paint.icon = WindowIcon();
  paint.iconSize = GetSystemMetrics(SM_CXSMICON);
  paint.captionText = [this](HDC strip, int windowWidth) {
    if (!CaptionPainter) return;
    CaptionTextParams params;
    params.data = data_;
    const int length = GetWindowTextLengthW(window_);
    params.text.resize(static_cast<size_t>(length) + 1);
    params.text.resize(static_cast<size_t>(GetWindowTextW(window_, params.text.data(), length + 1)));
    params.windowWidth = windowWidth;
    params.borders = borders_;
    params.rightLimit = rightLimit_;
    params.active = active_;
    CaptionPainter(strip, params);
  };
  if (menuBar_)
    paint.menuBar = [this](HDC dc, const RECT& band) {
      // The toolkit menu may have changed since (its items, its captions);
      // not while a drop-down is open, which keeps its button pressed, and
      // only when the skin data lets the bar follow the form's menu.
      menuBar_->SetToolkitMenu(form_ ? form_->Menu() : nullptr);
      if (menuBar_->TrackedButton() < 0 && data_->MenuUpdate()) menuBar_->Rebuild();
      menuBar_->PaintBar(dc, band, active_);
      PaintMdiButtons(dc);
    };
  strip_.Paint(paint);
  PaintSideEdges(paint);
}

void SkinnedFrame::UpdateRegion(bool redraw) {
  if (!frameOn_ || !window_ || !data_ || state_ == FrameState::Closed) return;
  if (mdiChild_ && placement_ != 0) return;
  RECT frame{};
  if (!GetWindowRect(window_, &frame)) return;
  region_.Update(window_, *data_, borders_, frame.right - frame.left, frame.bottom - frame.top, redraw);
}

}  // namespace quonel
