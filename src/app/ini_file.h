// An INI file read through the platform's private-profile functions, as
// config.ini and the stored manifest are: names compare without regard to
// case, values are trimmed and at most 2047 characters; section names are
// read whole, however many there are.
#pragma once
#include <string>
#include <vector>

#include "app/profile_index.h"

namespace quonel {

class TIniFile {
 public:
  explicit TIniFile(std::wstring path) : path_(std::move(path)) {}
  const std::wstring& FileName() const { return path_; }

  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback) const;
  // Every section name, in file order.
  std::vector<std::wstring> ReadSections() const;
  // Key names of a section in file order.
  std::vector<std::wstring> ReadSection(const std::wstring& section) const;
  // "key=value" for every key of a section, in file order.
  std::vector<std::wstring> ReadSectionValues(const std::wstring& section) const;

 private:
  std::wstring path_;
};

// A whole INI file read once into an index, decoded as the profile functions
// decode it; a file that cannot be read gives an empty index, as it gives
// those functions nothing.
ProfileIndex ReadProfileIndex(const std::wstring& path);

}  // namespace quonel
