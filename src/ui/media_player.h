// TMediaPlayer: a bar of the nine media buttons (play, pause, stop, next,
// previous, step, back, record, eject). Which buttons show, which are
// enabled and which are coloured are sets of button names. The player only
// reports clicks; what they do is its user's business.
#pragma once
#include <functional>

#include "ui/win_control.h"

namespace quonel {

enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
constexpr int kMediaButtonCount = 9;
// Sets of buttons, bit n for button n.
constexpr unsigned kAllMediaButtons = (1u << kMediaButtonCount) - 1;

// The picture of one button in colour, centred in rect: shared by the
// player and by whatever paints it differently.
void DrawMediaGlyph(HDC dc, const RECT& rect, TMPBtnType button, COLORREF colour);

class TMediaPlayer : public TWinControl {
 public:
  explicit TMediaPlayer(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TMediaPlayer"; }
  unsigned VisibleButtons() const { return visible_; }
  void SetVisibleButtons(unsigned buttons);
  unsigned EnabledButtons() const { return enabled_; }
  void SetEnabledButtons(unsigned buttons);
  unsigned ColoredButtons() const { return coloured_; }
  void SetColoredButtons(unsigned buttons);
  // The visible button under a client x, or -1.
  int ButtonAt(int x) const;
  std::function<void(TMPBtnType button)> OnClick;
  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(HDC dc) override;

 private:
  int VisibleCount() const;
  unsigned visible_ = kAllMediaButtons;
  unsigned enabled_ = kAllMediaButtons;
  unsigned coloured_ = kAllMediaButtons;
  int pressed_ = -1;
};

void RegisterMediaPlayerClass();

}  // namespace quonel
