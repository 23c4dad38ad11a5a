#include "core/strings.h"

#include <algorithm>
#include <cwctype>

namespace quonel {

bool SameText(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(x) == std::towlower(y);
         });
}

void TStrings::IndexError(int index) {
  throw EStringListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

void TStrings::Put(int index, const std::wstring& text) {
  void* object = GetObject(index);
  Delete(index);
  Insert(index, text);
  PutObject(index, object);
}

void* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, void*) {}

int TStrings::Add(const std::wstring& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::wstring& text, void* object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

int TStrings::IndexOf(const std::wstring& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), text)) return i;
  return -1;
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  Clear();
  for (int i = 0; i < source.Count(); ++i) AddObject(source.Get(i), source.GetObject(i));
}

void TStrings::AddStrings(const std::vector<std::wstring>& lines) {
  for (const auto& line : lines) Add(line);
}

std::wstring TStrings::Text() const {
  std::wstring text;
  for (int i = 0; i < Count(); ++i) text += Get(i) + L"\r\n";
  return text;
}

void TStrings::SetText(const std::wstring& text) {
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    if (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ++end;
    start = end + 1;
  }
}

std::wstring TStrings::Names(int index) const {
  const std::wstring line = Get(index);
  const size_t equals = line.find(L'=');
  return equals == std::wstring::npos ? std::wstring() : line.substr(0, equals);
}

int TStrings::IndexOfName(const std::wstring& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::wstring line = Get(i);
    const size_t equals = line.find(L'=');
    if (equals != std::wstring::npos && SameText(line.substr(0, equals), name)) return i;
  }
  return -1;
}

std::wstring TStrings::Values(const std::wstring& name) const {
  const int index = IndexOfName(name);
  if (index < 0) return {};
  const std::wstring line = Get(index);
  return line.substr(line.find(L'=') + 1);
}

const TStringList::Item& TStringList::At(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<size_t>(index)];
}

std::wstring TStringList::Get(int index) const { return At(index).text; }

void TStringList::Put(int index, const std::wstring& text) {
  At(index);
  items_[static_cast<size_t>(index)].text = text;
}

void* TStringList::GetObject(int index) const { return At(index).object; }

void TStringList::PutObject(int index, void* object) {
  At(index);
  items_[static_cast<size_t>(index)].object = object;
}

void TStringList::Insert(int index, const std::wstring& text) {
  if (index < 0 || index > Count()) IndexError(index);
  items_.insert(items_.begin() + index, Item{text, nullptr});
}

void TStringList::Delete(int index) {
  At(index);
  items_.erase(items_.begin() + index);
}

}  // namespace quonel
