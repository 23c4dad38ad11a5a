// The optional names file: the display name (`name=`) of each release file.
// UTF-8 text (a byte-order mark is allowed), one "path=display name" a line,
// the path relative to the release folder with "\" or "/"; blank lines and
// lines starting with "#" or ";" are ignored.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace quonel::updmanifest {

class NamesFile {
 public:
  // Problems (a line without "=", an empty path or name, a path given twice)
  // are collected, not thrown.
  static NamesFile Parse(const std::string& bytes);

  // The display name of a section ("\" separators), matched without regard
  // to ASCII letter case, as the wizard matches sections; nullptr when none.
  // Marks the entry as used.
  const std::wstring* Find(const std::wstring& section);
  // Paths of the file that no section asked for: each is a typo or a file
  // that is no longer released.
  std::vector<std::wstring> Unused() const;
  const std::vector<std::wstring>& Problems() const { return problems_; }

 private:
  struct Entry {
    std::wstring path;  // as written
    std::wstring name;
    bool used = false;
  };
  std::map<std::wstring, Entry> entries_;  // by folded section
  std::vector<std::wstring> problems_;
};

}  // namespace quonel::updmanifest
