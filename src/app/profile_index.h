// An INI text read once into an index: sections in file order, keys per
// section, each looked up in constant time. Its answers are those of the
// platform's private-profile functions for the same bytes (a differential
// test holds them to it): names compare without regard to ASCII letter case, the
// first of duplicate sections and keys wins, blanks around names and values
// go, one pair of matching quotes around a value goes, values are cut to
// 2047 characters, and a line without "=" is a key without a value. The
// stored manifest is read this way, since looking each key up through the
// profile functions scans the whole file every time.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quonel {

class ProfileIndex {
 public:
  // Turns bytes of a code page (0: the ANSI page, 65001: UTF-8) into UTF-16.
  using Decoder = std::function<std::wstring(unsigned codePage, std::string_view bytes)>;

  ProfileIndex() = default;
  // Text already in UTF-16 units, without a byte-order mark.
  explicit ProfileIndex(std::wstring_view text);
  // A file's bytes: a UTF-16 (either order) or UTF-8 byte-order mark picks
  // that form, anything else is ANSI text, as the profile functions decide.
  static ProfileIndex FromFileBytes(std::string_view bytes, const Decoder& decode);

  // The value of a key, or fallback (less its trailing blanks) when the
  // section, the key or its "=" is missing.
  std::wstring ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const;
  // Every named section in file order, duplicates included.
  std::vector<std::wstring> ReadSections() const;
  // Key names of the first section of that name, in file order (no values,
  // no comments, no lines without "=").
  std::vector<std::wstring> ReadSection(std::wstring_view section) const;

 private:
  struct Key {
    std::wstring name;
    std::wstring folded;  // name in the letter case lookups compare
    std::optional<std::wstring> value;  // none: the line had no "="
  };
  struct Section {
    std::wstring name;
    std::vector<Key> keys;  // searched in order: a section holds a handful
  };

  void AddLine(std::wstring_view line);
  const Section* FindSection(std::wstring_view name) const;

  std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
  std::unordered_map<std::wstring, size_t> firstSection_;  // folded name -> index in sections_
};

// The maximum characters a value is read with (the profile functions' buffer less its terminator).
constexpr size_t kProfileValueBuffer = 2048;

}  // namespace quonel
