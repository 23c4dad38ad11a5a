#include "skin/controls/buttons/skin_media_player.h"

#include <windowsx.h>

#include "core/property_access.h"
#include "core/property_registry.h"
#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_bitmap.h"
#include "ui/media_player.h"

namespace quonel {

namespace {

const wchar_t* const kButtonNames[kMediaButtonCount] = {L"btPlay", L"btPause", L"btStop",   L"btNext", L"btPrev",
                                                        L"btStep", L"btBack",  L"btRecord", L"btEject"};

// The buttons a set property of the player lists, as bits; a player without
// the property lists them all.
unsigned ButtonSet(TControl& player, const wchar_t* property) {
  const ClassInfo* info = FindClassInfo(player.ClassName());
  const PropertyInfo* set = info ? info->FindProperty(property) : nullptr;
  if (!set || set->kind != PropertyKind::Set || !set->getInt) return kAllMediaButtons;
  const int64_t bits = set->getInt(player);
  unsigned buttons = 0;
  // A button is listed when its name is one of the set's members.
  for (int i = 0; i < kMediaButtonCount; ++i)
    for (size_t m = 0; m < set->memberNames.size() && m < 63; ++m)
      if ((bits & (int64_t{1} << m)) && set->memberNames[m] == kButtonNames[i]) buttons |= 1u << i;
  return buttons;
}

int VisibleCount(unsigned visible) {
  int count = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) count += (visible >> i) & 1;
  return count;
}

// The visible button whose cell holds x, -1 for none.
int ButtonAt(unsigned visible, int width, int x) {
  const int count = VisibleCount(visible);
  const int cell = count ? width / count : 0;
  if (cell <= 0 || x < 0) return -1;
  int slot = x / cell;
  for (int i = 0; i < kMediaButtonCount; ++i)
    if (((visible >> i) & 1) && slot-- == 0) return i;
  return -1;
}

}  // namespace

TWMediaPlayer::TWMediaPlayer(TComponent* owner, TSkinMP& skin, TWinControl& player)
    : TPanel(owner), skin_(skin), player_(player) {
  SetBevelOuter(TBevelCut::bvNone);
}

void TWMediaPlayer::Forward(const TMessage& message) {
  if (player_.HandleAllocated()) SendMessageW(player_.Handle(), message.Msg, message.WParam, message.LParam);
}

void TWMediaPlayer::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = ButtonAt(ButtonSet(player_, L"VisibleButtons"), Width(), GET_X_LPARAM(message.LParam));
      Forward(message);
      ReleaseCapture();
      Invalidate();
      message.Result = 0;
      return;
    case WM_LBUTTONUP: {
      const int button = ButtonAt(ButtonSet(player_, L"VisibleButtons"), Width(), GET_X_LPARAM(message.LParam));
      const bool same = button >= 0 && button == pressed_;
      pressed_ = -1;
      Invalidate();
      if (same) Forward(message);
      message.Result = 0;
      return;
    }
  }
  TPanel::WndProc(message);
}

void TWMediaPlayer::PaintWindow(HDC dc) {
  TSkinData* data = skin_.SkinData();
  const RECT client = ClientRect();
  if (!data || client.right <= 0 || client.bottom <= 0) return;
  SkinBitmap canvas = SkinBitmap::Create(client.right, client.bottom);
  if (canvas.Empty()) return;
  BitmapDc composed(canvas);
  FillRect(composed.Get(), &client, data->FaceBrush());
  const unsigned visible = ButtonSet(player_, L"VisibleButtons");
  const unsigned enabled = ButtonSet(player_, L"EnabledButtons");
  const unsigned coloured = ButtonSet(player_, L"ColoredButtons");
  const int count = VisibleCount(visible);
  const TDataSkinButton& buttons = data->Buttons();
  int left = 0;
  for (int i = 0; count > 0 && i < kMediaButtonCount; ++i) {
    if (!((visible >> i) & 1)) continue;
    const int cell = client.right / count;
    const bool isEnabled = (enabled >> i) & 1;
    const int frame = i == pressed_ ? 2 : isEnabled ? 1 : 3;
    if (!buttons.Image.Empty()) DrawSkinObject(composed.Get(), {left, 0, left + cell, client.bottom}, buttons.Frames, frame, buttons);
    const int shift = i == pressed_ ? 1 : 0;
    const COLORREF colour = !isEnabled               ? ColorToRGB(data->Colours().ButtonShadow)
                            : ((coloured >> i) & 1) ? RGB(0, 128, 0)
                                                    : ColorToRGB(buttons.NormalColour2);
    DrawMediaGlyph(composed.Get(), {left + shift, shift, left + cell + shift, client.bottom + shift},
                   static_cast<TMPBtnType>(i), colour);
    left += cell;
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, composed.Get(), 0, 0, SRCCOPY);
}

TSkinMP::TSkinMP() = default;

TSkinMP::~TSkinMP() {
  if (GetLifeState() == kAttached) Detach();
}

void TSkinMP::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  auto* player = dynamic_cast<TWinControl*>(control);
  if (GetLifeState() != kAttached || !player || !player->Parent()) return;
  overlay_ = std::make_unique<TWMediaPlayer>(nullptr, *this, *player);
  // Tagged so that the form does not skin the overlay once more.
  overlay_->SetTag(data->DisableTag());
  overlay_->SetParent(player->Parent());
  FollowPlayer();
}

void TSkinMP::Detach() {
  // A destroyed player's parent frees its windows; the overlay goes with the skin.
  overlay_.reset();
  TSkinControl::Detach();
}

void TSkinMP::FollowPlayer() {
  TControl* player = Control();
  if (!overlay_ || !player) return;
  overlay_->SetBounds(player->Left(), player->Top(), player->Width(), player->Height());
  overlay_->SetVisible(player->Visible());
  if (overlay_->HandleAllocated())
    SetWindowPos(overlay_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSkinMP::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED:
      FollowPlayer();
      return;
  }
  TSkinControl::AfterMessage(message);
}

}  // namespace quonel
