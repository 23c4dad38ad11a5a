#include "ini_text.h"

#include "core/ascii_case.h"

namespace quonel::updmanifest {

std::wstring TrimBlanks(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::wstring FoldedSection(const std::wstring& section) {
  std::wstring folded = AsciiLower(section);
  for (wchar_t& c : folded)
    if (c == L'/') c = L'\\';
  return folded;
}

}  // namespace quonel::updmanifest
