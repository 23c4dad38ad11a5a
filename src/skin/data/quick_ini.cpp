#include "skin/data/quick_ini.h"

#include "core/ascii_case.h"


namespace quonel {

namespace {

bool IsHeader(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

bool ParseSkinInteger(std::string_view text, int32_t& value) {
  bool hex = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  bool negative = false;
  if (!hex && !text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (!hex && !text.empty() && text[0] == '$') {
    hex = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  int64_t result = 0;
  for (char c : text) {
    const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return false;
    result = result * (hex ? 16 : 10) + digit;
    // Hexadecimal may name all 32 bits (0xFFFFFFFF is -1); decimal must fit.
    if (result > (hex ? 0xFFFFFFFFll : 0x80000000ll)) return false;
  }
  if (negative) result = -result;
  if (!hex && result > INT32_MAX) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(result));
  return true;
}

void TQuickIni::LoadFromBytes(std::string_view text) {
  lines_.clear();
  sections_.clear();
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimControls(text.substr(at, end - at));
    if (!line.empty() && line.front() != ';') {
      if (IsHeader(line)) sections_.emplace_back(std::string(line), lines_.size());
      lines_.emplace_back(line);
    }
    if (end == text.size()) break;
    at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

void TQuickIni::LoadFromStream(const std::string& stream, size_t position) {
  LoadFromBytes(position < stream.size() ? std::string_view(stream).substr(position) : std::string_view());
}

void TQuickIni::GetSections(std::vector<std::string>& names) const {
  names.clear();
  for (const auto& [header, index] : sections_)
    names.emplace_back(TrimControls(std::string_view(header).substr(1, header.size() - 2)));
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, const std::string& fallback) const {
  const std::string header = "[" + std::string(section) + "]";
  for (const auto& [text, index] : sections_) {
    if (!SameTextNoCase(text, header)) continue;
    const std::string wanted = AsciiLower(key);
    for (size_t i = index + 1; i < lines_.size() && !IsHeader(lines_[i]); ++i) {
      const std::string_view line = lines_[i];
      const size_t equals = line.find('=');
      const std::string_view name = equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
      if (AsciiLower(TrimControls(name)) != wanted) continue;
      const std::string_view value = TrimControls(line.substr(equals + 1));
      return value.empty() ? fallback : std::string(value);
    }
    return fallback;
  }
  return fallback;
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
  int32_t value = 0;
  return ParseSkinInteger(ReadString(section, key, ""), value) ? value : fallback;
}

}  // namespace quonel
