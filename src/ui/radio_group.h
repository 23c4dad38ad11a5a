// TRadioGroup and TCheckGroup: a group box that makes one radio button or
// check box per item and lays them out in columns.
#pragma once
#include <string>
#include <vector>

#include "ui/group_box.h"

namespace quonel {

class TButtonControl;

class TCustomButtonGroup : public TGroupBox {
 public:
  using TGroupBox::TGroupBox;
  const wchar_t* ClassName() const override { return L"TCustomButtonGroup"; }
  void SetItems(const std::vector<std::wstring>& items);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ItemCount() const { return static_cast<int>(buttons_.size()); }
  TButtonControl* Button(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  virtual TButtonControl* MakeButton() = 0;

 private:
  void Arrange();
  std::vector<TButtonControl*> buttons_;
  int columns_ = 1;
};

class TRadioGroup : public TCustomButtonGroup {
 public:
  using TCustomButtonGroup::TCustomButtonGroup;
  const wchar_t* ClassName() const override { return L"TRadioGroup"; }
  int ItemIndex() const;
  void SetItemIndex(int index);

 protected:
  TButtonControl* MakeButton() override;
};

class TCheckGroup : public TCustomButtonGroup {
 public:
  using TCustomButtonGroup::TCustomButtonGroup;
  const wchar_t* ClassName() const override { return L"TCheckGroup"; }
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);

 protected:
  TButtonControl* MakeButton() override;
};

void RegisterButtonGroupClasses();

}  // namespace quonel
