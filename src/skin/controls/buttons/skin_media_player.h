// TSkinMP: a media player's button bar drawn by the skin. The player keeps
// its window; an overlay panel (TWMediaPlayer) of the player's size lies on
// it, draws every visible button as a frame of the skin's Buttons strip
// (2 while pressed, 3 disabled, else 1) with the button's picture, and hands
// the clicks to the player underneath.
#pragma once
#include <memory>

#include "skin/controls/skin_control.h"
#include "ui/panel.h"

namespace quonel {

class TSkinMP;

class TWMediaPlayer : public TPanel {
 public:
  TWMediaPlayer(TComponent* owner, TSkinMP& skin, TWinControl& player);
  const wchar_t* ClassName() const override { return L"TWMediaPlayer"; }
  // The pressed button, -1 for none.
  int PressedButton() const { return pressed_; }
  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(HDC dc) override;

 private:
  void Forward(const TMessage& message);
  TSkinMP& skin_;
  TWinControl& player_;
  int pressed_ = -1;
};

class TSkinMP : public TSkinControl {
 public:
  TSkinMP();
  ~TSkinMP() override;
  const wchar_t* ClassName() const override { return L"TSkinMP"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void Detach() override;
  TWMediaPlayer* Overlay() const { return overlay_.get(); }

 protected:
  void AfterMessage(TMessage& message) override;

 private:
  void FollowPlayer();
  std::unique_ptr<TWMediaPlayer> overlay_;
};

}  // namespace quonel
