#include "names_file.h"

#include "core/utf8.h"
#include "ini_text.h"

namespace quonel::updmanifest {
NamesFile NamesFile::Parse(const std::string& bytes) {
  NamesFile names;
  const std::string_view mark = "\xEF\xBB\xBF";
  std::wstring text = Utf8ToWide(std::string_view(bytes).starts_with(mark) ? bytes.substr(mark.size()) : bytes);
  size_t lineNumber = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    line = TrimBlanks(line);
    if (line.empty() || line[0] == L'#' || line[0] == L';') continue;
    const std::wstring where = L"names file, line " + std::to_wstring(lineNumber) + L": ";
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
      names.problems_.push_back(where + L"no \"=\" between the path and the display name");
      continue;
    }
    std::wstring path = TrimBlanks(line.substr(0, equals));
    std::wstring name = TrimBlanks(line.substr(equals + 1));
    if (path.empty() || name.empty()) {
      names.problems_.push_back(where + L"the path or the display name is empty");
      continue;
    }
    if (!names.entries_.emplace(FoldedSection(path), Entry{path, name}).second)
      names.problems_.push_back(where + path + L" is named twice");
  }
  return names;
}

const std::wstring* NamesFile::Find(const std::wstring& section) {
  const auto found = entries_.find(FoldedSection(section));
  if (found == entries_.end()) return nullptr;
  found->second.used = true;
  return &found->second.name;
}

std::vector<std::wstring> NamesFile::Unused() const {
  std::vector<std::wstring> unused;
  for (const auto& [folded, entry] : entries_)
    if (!entry.used) unused.push_back(entry.path);
  return unused;
}

}  // namespace quonel::updmanifest
