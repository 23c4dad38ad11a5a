// String lists: TStrings is the interface every list of lines shares (a list
// box's items, a memo's lines, a plain TStringList), so that callers fill any
// of them the same way.
#pragma once
#include <string>
#include <vector>

#include "core/exception.h"
#include "core/persistent.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EStringListError, Exception);

// Equal without regard to letter case, as names of sections, keys, classes
// and properties compare.
bool SameText(const std::wstring& a, const std::wstring& b);

class TStrings : public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TStrings"; }

  virtual int Count() const = 0;
  virtual std::wstring Get(int index) const = 0;
  virtual void Put(int index, const std::wstring& text);
  virtual void* GetObject(int index) const;
  virtual void PutObject(int index, void* object);
  virtual void Insert(int index, const std::wstring& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::wstring Strings(int index) const { return Get(index); }
  int Add(const std::wstring& text);
  int AddObject(const std::wstring& text, void* object);
  virtual int IndexOf(const std::wstring& text) const;  // without regard to letter case
  void Assign(const TStrings& source);
  void AddStrings(const std::vector<std::wstring>& lines);

  // Every line followed by CR LF.
  std::wstring Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  void SetText(const std::wstring& text);

  // "name=value" lines.
  std::wstring Names(int index) const;
  std::wstring Values(const std::wstring& name) const;
  int IndexOfName(const std::wstring& name) const;

 protected:
  [[noreturn]] static void IndexError(int index);
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  const wchar_t* ClassName() const override { return L"TStringList"; }

  int Count() const override { return static_cast<int>(items_.size()); }
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override { items_.clear(); }

 private:
  struct Item {
    std::wstring text;
    void* object = nullptr;
  };
  const Item& At(int index) const;
  std::vector<Item> items_;
};

}  // namespace quonel
