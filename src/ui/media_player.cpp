#include "ui/media_player.h"

#include <windowsx.h>

#include <bit>

#include "core/property_registry.h"
#include "core/win32_owners.h"

namespace quonel {

void DrawMediaGlyph(HDC dc, const RECT& rect, TMPBtnType button, COLORREF colour) {
  const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
  OwnedBrush brush(CreateSolidBrush(colour));
  OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
  SelectionScope selectBrush(dc, brush.Get());
  SelectionScope selectPen(dc, pen.Get());
  auto bar = [&](int left, int top, int right, int bottom) {
    RECT r{cx + left, cy + top, cx + right, cy + bottom};
    FillRect(dc, &r, brush.Get());
  };
  auto triangle = [&](int tipX, int baseX) {
    const POINT points[] = {{cx + baseX, cy - 4}, {cx + tipX, cy}, {cx + baseX, cy + 4}};
    Polygon(dc, points, 3);
  };
  switch (button) {
    case TMPBtnType::btPlay: triangle(3, -2); break;
    case TMPBtnType::btPause: bar(-3, -4, -1, 5); bar(1, -4, 3, 5); break;
    case TMPBtnType::btStop: bar(-3, -3, 4, 4); break;
    case TMPBtnType::btNext: triangle(2, -3); bar(3, -4, 5, 5); break;
    case TMPBtnType::btPrev: triangle(-2, 3); bar(-5, -4, -3, 5); break;
    case TMPBtnType::btStep: triangle(1, -4); triangle(5, 0); break;
    case TMPBtnType::btBack: triangle(-1, 4); triangle(-5, 0); break;
    case TMPBtnType::btRecord: Ellipse(dc, cx - 4, cy - 4, cx + 5, cy + 5); break;
    case TMPBtnType::btEject: {
      const POINT points[] = {{cx - 4, cy + 1}, {cx, cy - 4}, {cx + 4, cy + 1}};
      Polygon(dc, points, 3);
      bar(-4, 3, 5, 5);
      break;
    }
  }
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 253, 30); }

void TMediaPlayer::SetVisibleButtons(unsigned buttons) {
  visible_ = buttons & kAllMediaButtons;
  Invalidate();
}

void TMediaPlayer::SetEnabledButtons(unsigned buttons) {
  enabled_ = buttons & kAllMediaButtons;
  Invalidate();
}

void TMediaPlayer::SetColoredButtons(unsigned buttons) {
  coloured_ = buttons & kAllMediaButtons;
  Invalidate();
}

int TMediaPlayer::VisibleCount() const { return std::popcount(visible_); }

int TMediaPlayer::ButtonAt(int x) const {
  const int count = VisibleCount();
  if (count == 0 || x < 0) return -1;
  const int cell = Width() / count;
  if (cell <= 0) return -1;
  int slot = x / cell;
  for (int button = 0; button < kMediaButtonCount; ++button) {
    if (!(visible_ & (1u << button))) continue;
    if (slot-- == 0) return button;
  }
  return -1;
}

void TMediaPlayer::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
      pressed_ = ButtonAt(GET_X_LPARAM(message.LParam));
      Invalidate();
      break;
    case WM_LBUTTONUP: {
      const int button = ButtonAt(GET_X_LPARAM(message.LParam));
      const bool click = button >= 0 && button == pressed_ && (enabled_ & (1u << button));
      pressed_ = -1;
      Invalidate();
      if (click && OnClick) OnClick(static_cast<TMPBtnType>(button));
      break;
    }
  }
  TWinControl::WndProc(message);
}

void TMediaPlayer::PaintWindow(HDC dc) {
  const RECT client = ClientRect();
  FillRect(dc, &client, BackgroundBrush());
  const int count = VisibleCount();
  if (count == 0) return;
  const int cell = client.right / count;
  int left = 0;
  for (int button = 0; button < kMediaButtonCount; ++button) {
    if (!(visible_ & (1u << button))) continue;
    RECT face{left, 0, left + cell, client.bottom};
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (button == pressed_ ? DFCS_PUSHED : 0));
    const bool enabled = (enabled_ & (1u << button)) != 0;
    const COLORREF colour = !enabled                      ? GetSysColor(COLOR_GRAYTEXT)
                            : (coloured_ & (1u << button)) ? RGB(0, 128, 0)
                                                           : GetSysColor(COLOR_BTNTEXT);
    DrawMediaGlyph(dc, face, static_cast<TMPBtnType>(button), colour);
    left += cell;
  }
}

void RegisterMediaPlayerClass() {
  const std::vector<std::wstring> names{L"btPlay", L"btPause", L"btStop",   L"btNext", L"btPrev",
                                        L"btStep", L"btBack",  L"btRecord", L"btEject"};
  ClassRegistrar<TMediaPlayer>(L"TMediaPlayer", L"TWinControl")
      .Creatable()
      .SetOf(L"VisibleButtons", names, [](TMediaPlayer& p) { return p.VisibleButtons(); },
             [](TMediaPlayer& p, int64_t v) { p.SetVisibleButtons(static_cast<unsigned>(v)); })
      .SetOf(L"EnabledButtons", names, [](TMediaPlayer& p) { return p.EnabledButtons(); },
             [](TMediaPlayer& p, int64_t v) { p.SetEnabledButtons(static_cast<unsigned>(v)); })
      .SetOf(L"ColoredButtons", names, [](TMediaPlayer& p) { return p.ColoredButtons(); },
             [](TMediaPlayer& p, int64_t v) { p.SetColoredButtons(static_cast<unsigned>(v)); });
}

}  // namespace quonel
