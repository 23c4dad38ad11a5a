// Edit controls: TEdit (one line) and TMemo (many lines, with Lines as a
// string list over the text).
#pragma once
#include "core/strings.h"
#include "ui/win_control.h"

namespace quonel {

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TCustomEdit"; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TEdit"; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo;

// Lines of a memo: each line of the text; the text keeps a CR LF after every line.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TMemo& memo) : memo_(memo) {}
  const wchar_t* ClassName() const override { return L"TMemoStrings"; }
  int Count() const override;
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  void Split(TStringList& lines) const;
  void Join(const TStringList& lines);
  TMemo& memo_;
};

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TMemo"; }

  TStrings& Lines() { return lines_; }
  // Lines().Add(line) without rewriting the whole text: a log grows by
  // thousands of lines, and each append must cost only its own length.
  void AppendLine(const std::wstring& line);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TMemoStrings lines_{*this};
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
};

void RegisterEditClasses();

}  // namespace quonel
