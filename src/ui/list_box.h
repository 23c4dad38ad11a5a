// TListBox: a single-selection list of texts. The items are kept beside the
// window too, so that they survive a re-created window.
#pragma once
#include "core/strings.h"
#include "ui/win_control.h"

namespace quonel {

class TListBox;

class TListBoxStrings : public TStringList {
 public:
  explicit TListBoxStrings(TListBox& owner) : owner_(owner) {}
  const wchar_t* ClassName() const override { return L"TListBoxStrings"; }
  void Put(int index, const std::wstring& text) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  TListBox& owner_;
};

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TListBox"; }

  TStrings& Items() { return items_; }
  int ItemIndex();
  void SetItemIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  friend class TListBoxStrings;
  TListBoxStrings items_{*this};
  int itemIndex_ = -1;
  int itemHeight_ = 0;
};

void RegisterListBoxClass();

}  // namespace quonel
