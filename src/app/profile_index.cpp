#include "app/profile_index.h"

#include <cstdint>

#include "core/ascii_case.h"

namespace quonel {
namespace {

// The profile functions' blanks: the control characters from tab to CR,
// the space, and ^Z (the DOS end-of-file mark).
constexpr bool IsProfileBlank(wchar_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

constexpr bool IsLineBreak(wchar_t c) { return c == L'\n' || c == L'\r'; }

// Letter case as the platform's profile functions compare names: ASCII
// letters only (the differential test holds the reader to it).
std::wstring Folded(std::wstring_view name) {
  std::wstring folded(name);
  for (wchar_t& c : folded) c = AsciiLower(c);
  return folded;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Names and values are C strings to the profile functions: a NUL ends them.
std::wstring UpToNul(std::wstring_view text) { return std::wstring(text.substr(0, text.find(L'\0'))); }

// One pair of matching quotes around a value goes; the copy holds at most
// the buffer less its terminator, and a cut value loses its last character
// as if it were the closing quote.
std::wstring CopyEntry(std::wstring_view value) {
  bool quoted = false;
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::wstring copy(value.substr(0, kProfileValueBuffer - 1));
  if (quoted && kProfileValueBuffer >= value.size() && !copy.empty()) copy.pop_back();
  return copy;
}

std::wstring Utf16Units(std::string_view bytes, bool bigEndian) {
  std::wstring units;
  units.reserve(bytes.size() / 2);
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
    const auto first = static_cast<uint8_t>(bytes[at]), second = static_cast<uint8_t>(bytes[at + 1]);
    units += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return units;
}

}  // namespace

ProfileIndex::ProfileIndex(std::wstring_view text) {
  sections_.push_back({});  // keys before the first header belong to a nameless section
  firstSection_.emplace(std::wstring(), 0);
  for (size_t at = 0; at < text.size();) {
    const size_t start = at;
    while (at < text.size() && !IsLineBreak(text[at])) ++at;
    while (at < text.size() && IsLineBreak(text[at])) ++at;
    AddLine(TrimBlanks(text.substr(start, at - start)));
  }
}

ProfileIndex ProfileIndex::FromFileBytes(std::string_view bytes, const Decoder& decode) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return ProfileIndex(decode(65001, bytes.substr(3)));
  if (bytes.starts_with("\xFF\xFE")) return ProfileIndex(Utf16Units(bytes.substr(2), false));
  if (bytes.starts_with("\xFE\xFF")) return ProfileIndex(Utf16Units(bytes.substr(2), true));
  return ProfileIndex(decode(0, bytes));
}

void ProfileIndex::AddLine(std::wstring_view line) {
  if (line.empty()) return;
  if (line.front() == L'[') {
    const size_t close = line.rfind(L']');
    if (close != std::wstring_view::npos && close > 0) {
      Section section;
      section.name = UpToNul(TrimBlanks(line.substr(1, close - 1)));
      firstSection_.emplace(Folded(section.name), sections_.size());
      sections_.push_back(std::move(section));
      return;
    }
    // "[" without "]" is no header: the line is a key of the section before.
  }
  std::wstring_view name = line;
  std::optional<std::wstring> value;
  if (const size_t equals = line.find(L'='); equals != std::wstring_view::npos) {
    name = TrimBlanks(line.substr(0, equals));
    value = UpToNul(TrimBlanks(line.substr(equals + 1)));
  }
  // Consecutive lines with an empty name keep only the first.
  std::vector<Key>& keys = sections_.back().keys;
  if (name.empty() && !keys.empty() && keys.back().name.empty()) return;
  std::wstring stored = UpToNul(name);
  std::wstring folded = Folded(stored);
  keys.push_back({std::move(stored), std::move(folded), std::move(value)});
}

const ProfileIndex::Section* ProfileIndex::FindSection(std::wstring_view name) const {
  const auto found = firstSection_.find(Folded(TrimBlanks(name)));
  return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

std::wstring ProfileIndex::ReadString(std::wstring_view section, std::wstring_view key,
                                      std::wstring_view fallback) const {
  if (const Section* found = FindSection(section)) {
    const std::wstring wanted = Folded(TrimBlanks(key));
    for (const Key& candidate : found->keys) {
      if (candidate.folded != wanted) continue;
      if (candidate.value) return CopyEntry(*candidate.value);
      break;
    }
  }
  // A fallback loses its trailing spaces, but never its first character.
  while (fallback.size() > 1 && fallback.back() == L' ') fallback.remove_suffix(1);
  return CopyEntry(UpToNul(fallback));
}

std::vector<std::wstring> ProfileIndex::ReadSections() const {
  std::vector<std::wstring> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_)
    if (!section.name.empty()) names.push_back(section.name);
  return names;
}

std::vector<std::wstring> ProfileIndex::ReadSection(std::wstring_view section) const {
  // The key list compares the section name as given, without trimming it.
  std::vector<std::wstring> names;
  const auto found = firstSection_.find(Folded(section));
  if (found == firstSection_.end()) return names;
  for (const Key& key : sections_[found->second].keys) {
    if (!key.value || (!key.name.empty() && key.name.front() == L';')) continue;
    names.push_back(key.name);
  }
  return names;
}

}  // namespace quonel
