// TControl: a visual component with bounds, visibility, enabled state, text,
// colour and font, placed on a windowed parent. Every message for the control
// goes through WindowProc, a replaceable callable: a skin saves it, installs
// its own and passes on what it does not handle; putting the saved one back
// leaves the control working as before.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/color.h"
#include "core/component.h"
#include "ui/graphics.h"
#include "ui/messages.h"

namespace quonel {

class TWinControl;
class TCustomForm;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TWndMethod = std::function<void(TMessage& message)>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, unsigned shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, unsigned shift, int x, int y)>;

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// The shift state carried by a mouse message's key flags.
unsigned ShiftStateFromKeys(WPARAM keys);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const wchar_t* ClassName() const override { return L"TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  TCustomForm* GetParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& text) { SetText(text); }
  std::wstring Text() const { return GetText(); }
  void SetTextProperty(const std::wstring& text) { SetText(text); }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return *font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);

  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool UseRightToLeftReading() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }

  // Sends a message through WindowProc and gives its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void Invalidate();
  virtual void Update() {}
  void Repaint() {
    Invalidate();
    Update();
  }
  virtual void Click();

  // The message method a skin replaces; starts as the control's own WndProc.
  TWndMethod WindowProc;
  // The control's own handling; what it does not handle reaches DefaultHandler.
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Raises the mouse-down event as the control's own button-down handling does.
  virtual void MouseDown(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseUp(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseMove(unsigned shift, int x, int y);

 protected:
  virtual std::wstring GetText() const { return text_; }
  virtual void SetText(const std::wstring& text);
  // Reactions to the control notifications, after skins had their look.
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  // The parent's font or colour changed, or the control moved to a new parent.
  void TakeParentFont();
  void TakeParentColor();
  // Sets the flag alone, without a notification (forms start hidden).
  void SetVisibleFlag(bool visible) { visible_ = visible; }

  std::wstring text_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

 private:
  void HandleMouse(TMessage& message);
  void FontChangedByUser();

  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool takingParentFont_ = false;
  std::wstring hint_;
  bool showHint_ = false;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
  bool leftButtonDown_ = false;
  friend class TWinControl;
};

}  // namespace quonel
