#include "core/conversion.h"

#include <limits>

namespace quonel {

std::wstring InvalidIntegerMessage(const std::wstring& text) {
  return L"'" + text + L"' is not a valid integer value";
}

std::wstring InvalidDateTimeMessage(const std::wstring& text) {
  return L"'" + text + L"' is not a valid date and time";
}

bool TryStrToInt64(const std::wstring& text, int64_t& value) {
  size_t at = 0, end = text.size();
  while (at < end && (text[at] == L' ' || text[at] == L'\t')) ++at;
  while (end > at && (text[end - 1] == L' ' || text[end - 1] == L'\t')) --end;
  bool negative = false;
  if (at < end && (text[at] == L'-' || text[at] == L'+')) negative = text[at++] == L'-';
  unsigned base = 10;
  if (at < end && text[at] == L'$') {
    base = 16;
    ++at;
  } else if (end - at > 2 && text[at] == L'0' && (text[at + 1] == L'x' || text[at + 1] == L'X')) {
    base = 16;
    at += 2;
  }
  if (at == end) return false;
  // Accumulate as a negative number so that the smallest value fits too.
  const int64_t lowest = std::numeric_limits<int64_t>::min();
  int64_t result = 0;
  for (; at < end; ++at) {
    const wchar_t c = text[at];
    int digit;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    else return false;
    if (result < (lowest + digit) / static_cast<int64_t>(base)) return false;
    result = result * static_cast<int64_t>(base) - digit;
  }
  if (!negative) {
    if (result == lowest) return false;
    result = -result;
  }
  value = result;
  return true;
}

int64_t StrToInt64(const std::wstring& text) {
  int64_t value = 0;
  if (!TryStrToInt64(text, value)) throw EConvertError(InvalidIntegerMessage(text));
  return value;
}

int32_t StrToInt(const std::wstring& text) {
  int64_t value = 0;
  if (!TryStrToInt64(text, value) || value < std::numeric_limits<int32_t>::min() ||
      value > std::numeric_limits<int32_t>::max())
    throw EConvertError(InvalidIntegerMessage(text));
  return static_cast<int32_t>(value);
}

int32_t StrToInt(const std::string& text) {
  return StrToInt(std::wstring(text.begin(), text.end()));
}

int32_t StrToIntDef(const std::wstring& text, int32_t fallback) {
  int64_t value = 0;
  if (!TryStrToInt64(text, value) || value < std::numeric_limits<int32_t>::min() ||
      value > std::numeric_limits<int32_t>::max())
    return fallback;
  return static_cast<int32_t>(value);
}

std::wstring IntToStr(int64_t value) { return std::to_wstring(value); }

}  // namespace quonel
