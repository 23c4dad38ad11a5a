// Scrolling controls. TScrollBar: the platform's scroll bar control.
// TUpDown: the platform's spin button. TScrollBox: a container whose
// children scroll under its own window scroll bars.
#pragma once
#include "ui/win_control.h"

namespace quonel {

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TScrollBar"; }
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  void SetPosition(int position);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int position_ = 0;
};

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TUpDown"; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TScrollBox"; }
  // Sets the scroll ranges from where the children reach.
  void UpdateScrollRange();
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override { UpdateScrollRange(); }

 private:
  void ScrollBy(int bar, int request);
  POINT offset_{};
};

void RegisterScrollClasses();

}  // namespace quonel
