// TToolBar: the platform's tool bar with text buttons, placed by the
// library like any control; Flat gives buttons that show an edge only
// under the pointer.
#pragma once
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace quonel {

class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TToolBar"; }
  void SetButtons(std::vector<std::wstring> captions);
  int ButtonCount() const { return static_cast<int>(captions_.size()); }
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  // Raised when button index is clicked.
  std::function<void(int index)> OnButtonClick;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  std::vector<std::wstring> captions_;
  bool flat_ = false;
};

void RegisterToolBarClass();

}  // namespace quonel
