// The platform's bar controls as library controls: TProgressBar, TTrackBar
// and TStatusBar (panels of fixed widths, or one simple text, and a size
// grip).
#pragma once
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace quonel {

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TProgressBar"; }
  int Position() const { return position_; }
  void SetPosition(int position);
  int Max() const { return max_; }
  void SetMax(int max);

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  int position_ = 0;
  int max_ = 100;
};

class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TTrackBar"; }
  int Position() const { return position_; }
  void SetPosition(int position);

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  int position_ = 0;
};

struct TStatusPanel {
  std::wstring text;
  int width = 0;  // -1: to the bar's right edge
};

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TStatusBar"; }
  void SetPanels(std::vector<TStatusPanel> panels);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  void SendPanels();
  std::vector<TStatusPanel> panels_;
  bool sizeGrip_ = true;
};

void RegisterBarClasses();

}  // namespace quonel
