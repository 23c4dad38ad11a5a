#include "net/http_text.h"

#include <limits>

namespace quonel {
namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string TrimText(std::string_view text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

size_t FindNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return std::string_view::npos;
  for (size_t i = 0; i + needle.size() <= haystack.size(); ++i)
    if (SameTextNoCase(haystack.substr(i, needle.size()), needle)) return i;
  return std::string_view::npos;
}

std::optional<int64_t> ParseInt64(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  // Accumulated as a negative number, whose range is one larger.
  int64_t value = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const int digit = text[i] - '0';
    // Beyond 64 bits the number would wrap into a wrong value: not a number.
    if (value < (kMin + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == kMin) return std::nullopt;
    value = -value;
  }
  return value;
}

std::optional<int32_t> ParseInt32(std::string_view text) {
  const std::optional<int64_t> value = ParseInt64(text);
  if (!value || *value < std::numeric_limits<int32_t>::min() || *value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(*value);
}

int32_t ParseInt32Or(std::string_view text, int32_t fallback) {
  return ParseInt32(text).value_or(fallback);
}

std::wstring WidenBytes(std::string_view bytes) {
  std::wstring result;
  result.reserve(bytes.size());
  for (char c : bytes) result.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return result;
}

std::string NarrowAscii(std::wstring_view text) {
  std::string result;
  result.reserve(text.size());
  for (wchar_t c : text) result.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return result;
}

}  // namespace quonel
