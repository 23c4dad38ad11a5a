// TSkinDateTime: a date and time picker with the skin's drop-down arrow and
// border. TArrowButton is a small child window laid over the picker's own
// drop-down button: it shows the skin's combo arrow (hot while the pointer
// is on it) and hands its clicks to the picker, which opens its calendar.
#pragma once
#include <windows.h>

#include <memory>

#include "skin/controls/skin_control.h"

namespace quonel {

class TArrowButton {
 public:
  // A child of target, over its drop-down button; data is not owned.
  TArrowButton(HWND target, const TSkinData& data);
  ~TArrowButton();
  TArrowButton(const TArrowButton&) = delete;
  TArrowButton& operator=(const TArrowButton&) = delete;

  HWND Window() const { return window_; }
  bool Hot() const { return hot_; }
  // Follows the target's size and scroll-bar side.
  void Place();
  void Repaint();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  void Click(LPARAM point);

  HWND target_;
  const TSkinData& data_;
  int size_;
  bool hot_ = false;
  bool clipChildrenAdded_ = false;  // WS_CLIPCHILDREN is ours to take off
  HWND window_ = nullptr;
};

class TSkinDateTime : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinDateTime"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  void SkinChanged() override;
  TArrowButton* Arrow() const { return arrow_.get(); }

 protected:
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  void AddArrow();

  std::unique_ptr<TArrowButton> arrow_;
};

}  // namespace quonel
