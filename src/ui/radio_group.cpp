#include "ui/radio_group.h"

#include <algorithm>

#include "core/property_registry.h"
#include "ui/check_box.h"
#include "ui/radio_button.h"

namespace quonel {

void TCustomButtonGroup::SetItems(const std::vector<std::wstring>& items) {
  for (TButtonControl* button : buttons_) delete button;
  buttons_.clear();
  for (const std::wstring& item : items) {
    TButtonControl* button = MakeButton();
    button->SetCaption(item);
    button->SetParent(this);
    buttons_.push_back(button);
  }
  Arrange();
}

void TCustomButtonGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  Arrange();
}

void TCustomButtonGroup::SetBounds(int left, int top, int width, int height) {
  TGroupBox::SetBounds(left, top, width, height);
  Arrange();
}

void TCustomButtonGroup::Arrange() {
  if (buttons_.empty()) return;
  // Below the caption line, items fill the columns top to bottom.
  const int rows = (ItemCount() + columns_ - 1) / columns_;
  const int top = 16, inner = std::max(1, Height() - top - 4);
  const int columnWidth = std::max(1, (Width() - 16) / columns_);
  const int rowHeight = std::max(1, inner / rows);
  for (int i = 0; i < ItemCount(); ++i) {
    const int column = i / rows, row = i % rows;
    buttons_[i]->SetBounds(8 + column * columnWidth, top + row * rowHeight + (rowHeight - 17) / 2, columnWidth - 4, 17);
  }
}

int TRadioGroup::ItemIndex() const {
  for (int i = 0; i < ItemCount(); ++i)
    if (static_cast<TRadioButton*>(Button(i))->Checked()) return i;
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  for (int i = 0; i < ItemCount(); ++i) static_cast<TRadioButton*>(Button(i))->SetChecked(i == index);
}

TButtonControl* TRadioGroup::MakeButton() { return new TRadioButton(this); }

bool TCheckGroup::Checked(int index) const { return static_cast<TCheckBox*>(Button(index))->Checked(); }

void TCheckGroup::SetChecked(int index, bool checked) { static_cast<TCheckBox*>(Button(index))->SetChecked(checked); }

TButtonControl* TCheckGroup::MakeButton() { return new TCheckBox(this); }

void RegisterButtonGroupClasses() {
  ClassRegistrar<TCustomButtonGroup>(L"TCustomButtonGroup", L"TGroupBox");
  ClassRegistrar<TRadioGroup>(L"TRadioGroup", L"TCustomButtonGroup").Creatable();
  ClassRegistrar<TCheckGroup>(L"TCheckGroup", L"TCustomButtonGroup").Creatable();
}

}  // namespace quonel
