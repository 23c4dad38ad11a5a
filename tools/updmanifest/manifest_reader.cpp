#include "manifest_reader.h"

#include "core/ascii_case.h"
#include "core/utf8.h"
#include "gb2312_text.h"
#include "ini_text.h"

namespace quonel::updmanifest {
namespace {

std::wstring DecodeManifest(const std::string& bytes) {
  const std::string_view mark = "\xEF\xBB\xBF";
  if (std::string_view(bytes).starts_with(mark)) return Utf8ToWide(std::string_view(bytes).substr(mark.size()));
  return DecodeCodePage936(bytes);
}

}  // namespace

const std::wstring* ManifestSection::Value(const std::wstring& key) const {
  const auto found = values.find(key);
  return found == values.end() ? nullptr : &found->second;
}

std::vector<ManifestSection> ReadManifest(const std::string& bytes) {
  const std::wstring text = DecodeManifest(bytes);
  std::vector<ManifestSection> sections;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = TrimBlanks(text.substr(start, end - start));
    start = end + 1;
    if (line.starts_with(L'[')) {
      const size_t close = line.rfind(L']');
      sections.push_back({TrimBlanks(line.substr(1, close == std::wstring::npos || close == 0 ? std::wstring::npos : close - 1)), {}});
      continue;
    }
    const size_t equals = line.find(L'=');
    if (sections.empty() || equals == std::wstring::npos) continue;
    sections.back().values.emplace(AsciiLower(TrimBlanks(line.substr(0, equals))), TrimBlanks(line.substr(equals + 1)));
  }
  return sections;
}

}  // namespace quonel::updmanifest
