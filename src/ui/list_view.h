// TListView in report style: stored columns (one may take the width the
// others leave), grid lines, flat scroll bars, a state image list, and rows
// of a caption, sub-items and a state image index (-1: none).
#pragma once
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace quonel {

class TImageList;

class TListColumn : public TComponent {
 public:
  explicit TListColumn(TComponent* owner) : TComponent(owner) {}
  const wchar_t* ClassName() const override { return L"TListColumn"; }
  std::wstring caption;
  int width = 50;
  bool autoSize = false;
};

struct TListRow {
  std::wstring caption;
  std::vector<std::wstring> subItems;
  int stateIndex = -1;
  int imageIndex = -1;
};

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TListView"; }

  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool value);
  bool FlatScrollBars() const { return flatScrollBars_; }
  void SetFlatScrollBars(bool value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value);
  TImageList* StateImages() const { return stateImages_; }
  void SetStateImages(TImageList* images);

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  TListColumn& Column(int index) const { return *columns_.at(static_cast<size_t>(index)); }
  void AddColumn(TListColumn* column);
  // The width a column has in the window (an automatic one fills the rest).
  int ColumnWidth(int index);

  int ItemCount() const { return static_cast<int>(rows_.size()); }
  const TListRow& Item(int index) const { return rows_.at(static_cast<size_t>(index)); }
  int AddItem(const std::wstring& caption);
  void SetItemCaption(int index, const std::wstring& caption);
  void SetSubItem(int index, int subIndex, const std::wstring& text);
  void SetStateIndex(int index, int stateIndex);
  void SetImageIndex(int index, int imageIndex);
  // Both pictures of a row in one message: a row changing its picture many
  // times a second pays for one notification, not two.
  void SetImages(int index, int stateIndex, int imageIndex);
  void ClearItems();
  // Between these the view does not repaint: adding thousands of rows one
  // by one to a visible view would otherwise repaint it thousands of times.
  void BeginUpdate();
  void EndUpdate();

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void Notification(TComponent* component, Operation operation) override;

 private:
  void ApplyExtendedStyle();
  void InsertColumnWindow(int index);
  void InsertRowWindow(int index);
  void FitAutoSizeColumns();
  TListRow& Row(int index);

  bool gridLines_ = false;
  bool flatScrollBars_ = false;
  int updateCount_ = 0;
  bool rowSelect_ = false;
  TImageList* stateImages_ = nullptr;
  std::vector<TListColumn*> columns_;
  std::vector<TListRow> rows_;
};

void RegisterListViewClasses();

}  // namespace quonel
