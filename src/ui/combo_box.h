// TComboBox and TComboBoxEx: the platform's combo boxes as library controls.
// Their items are kept by the control and handed to each window it makes.
#pragma once
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace quonel {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TComboBox"; }

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  const std::vector<std::wstring>& Items() const { return items_; }
  void SetItems(std::vector<std::wstring> items);
  int ItemIndex();
  void SetItemIndex(int index);

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  virtual void AddItemToWindow(const std::wstring& text);

  std::vector<std::wstring> items_;
  int itemIndex_ = -1;

 private:
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
};

// An extended combo box: a ComboBoxEx32 window around an inner combo box.
class TComboBoxEx : public TComboBox {
 public:
  explicit TComboBoxEx(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TComboBoxEx"; }
  // The inner combo box, or null before the window exists.
  HWND ComboWindow();

 protected:
  void CreateParams(TCreateParams& params) override;
  void AddItemToWindow(const std::wstring& text) override;
};

void RegisterComboBoxClasses();

}  // namespace quonel
