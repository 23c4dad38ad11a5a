// Tabs as library controls. TTabControl: the platform's tab control, with
// tabs drawn as tabs or as buttons. TTabSet: the older tab set of our own,
// a row of tabs hanging down from the top edge, painted by the control.
#pragma once
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace quonel {

enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TTabControl : public TWinControl {
 public:
  explicit TTabControl(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TTabControl"; }
  void SetTabs(std::vector<std::wstring> tabs);
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle style);
  int TabIndex();
  void SetTabIndex(int index);

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  std::vector<std::wstring> tabs_;
  TTabStyle style_ = TTabStyle::tsTabs;
  int tabIndex_ = 0;
};

class TTabSet : public TWinControl {
 public:
  explicit TTabSet(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TTabSet"; }
  const std::vector<std::wstring>& Tabs() const { return tabs_; }
  void SetTabs(std::vector<std::wstring> tabs);
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int index);
  int TabCount() const { return static_cast<int>(tabs_.size()); }
  // Where tab index lies in client coordinates (empty for no such tab).
  RECT TabRect(int index);
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(HDC dc) override;

 private:
  std::vector<std::wstring> tabs_;
  int tabIndex_ = 0;
};

void RegisterTabClasses();

}  // namespace quonel
