#include "net/download_amount_text.h"

namespace quonel {

DigitGrouping ParseDigitGrouping(const std::wstring& groupingText, const std::wstring& separator) {
  DigitGrouping grouping;
  grouping.separator = separator;
  grouping.groups.clear();
  int size = 0;
  bool any = false;
  for (wchar_t c : groupingText) {
    if (c >= L'0' && c <= L'9') {
      size = size * 10 + (c - L'0');
      any = true;
    } else if (c == L';') {
      grouping.groups.push_back(any ? size : 0);
      size = 0;
      any = false;
    }
  }
  if (any) grouping.groups.push_back(size);
  return grouping;
}

std::wstring FormatGroupedNumber(int64_t value, const DigitGrouping& grouping) {
  if (value == 0) return L"";
  const bool negative = value < 0;
  // Digits from the right; uint64 keeps the most negative value representable.
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::wstring digits;
  while (magnitude > 0) {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
    magnitude /= 10;
  }
  std::wstring text;
  size_t end = digits.size();
  size_t index = 0;
  int size = 0;
  while (end > 0) {
    if (index < grouping.groups.size()) {
      const int next = grouping.groups[index];
      if (next == 0) {
        if (index == 0) size = 0;  // "0": no grouping at all
      } else {
        size = next;
      }
      ++index;
    } else if (grouping.groups.empty() || grouping.groups.back() != 0) {
      size = 0;  // past the listed groups without a repeat: the rest stays whole
    }
    const size_t take = size == 0 || static_cast<size_t>(size) >= end ? end : static_cast<size_t>(size);
    text.insert(0, digits.substr(end - take, take));
    end -= take;
    if (end > 0) text.insert(0, grouping.separator);
  }
  return negative ? L"-" + text : text;
}

std::wstring DownloadAmountText(int64_t bodyLength, int64_t received, const DigitGrouping& grouping) {
  return L"共 " + FormatGroupedNumber(bodyLength, grouping) + L" 字节，已下载 " +
         FormatGroupedNumber(received, grouping) + L" 字节";
}

}  // namespace quonel
