// The progress label of a transfer: "共 … 字节，已下载 … 字节", the numbers
// grouped by the locale's rules.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quonel {

struct DigitGrouping {
  std::wstring separator = L",";
  // Group sizes from the right, as the locale's grouping text "3;0" gives
  // them: a final 0 repeats the group before it; without it the digits left
  // of the listed groups stay together. Empty or {0}: no grouping.
  std::vector<int> groups{3, 0};
};

// Reads a grouping text such as "3;0" or "3;2;0".
DigitGrouping ParseDigitGrouping(const std::wstring& groupingText, const std::wstring& separator);

// The pattern "#,##": digit groups, no decimals, and the empty text for zero.
std::wstring FormatGroupedNumber(int64_t value, const DigitGrouping& grouping);

std::wstring DownloadAmountText(int64_t bodyLength, int64_t received, const DigitGrouping& grouping);

}  // namespace quonel
