#include "net/download_url.h"

#include "core/ascii_case.h"

#include <cwctype>

namespace quonel {
namespace {

// Blanks and control characters, as the platform's trim removes them.
bool IsTrimmed(wchar_t c) { return c <= L' '; }

// Steps shared by host and path: trim, then drop an "http://" scheme.
std::wstring WithoutScheme(const std::wstring& url) {
  size_t first = 0;
  size_t last = url.size();
  while (first < last && IsTrimmed(url[first])) ++first;
  while (last > first && IsTrimmed(url[last - 1])) --last;
  std::wstring text = url.substr(first, last - first);
  static const wchar_t kScheme[] = L"http://";
  const size_t schemeLength = 7;
  if (text.size() >= schemeLength) {
    bool same = true;
    for (size_t i = 0; i < schemeLength && same; ++i) {
      same = AsciiLower(text[i]) == kScheme[i];
    }
    if (same) text.erase(0, schemeLength);
  }
  return text;
}

}  // namespace

std::wstring GetUrlHost(const std::wstring& url) {
  const std::wstring text = WithoutScheme(url);
  const size_t slash = text.find(L'/');
  return slash == std::wstring::npos ? text : text.substr(0, slash);
}

std::wstring GetUrlPath(const std::wstring& url) {
  const std::wstring text = WithoutScheme(url);
  const size_t slash = text.find(L'/');
  return slash == std::wstring::npos ? text : text.substr(slash + 1);
}

HostAndPort SplitHostPort(const std::wstring& hostText) {
  HostAndPort result;
  const size_t colon = hostText.rfind(L':');
  if (colon == std::wstring::npos) {
    result.name = hostText;
    return result;
  }
  result.name = hostText.substr(0, colon);
  const std::wstring digits = hostText.substr(colon + 1);
  if (digits.empty()) return result;
  long port = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9' || port > 65535) {
      result.valid = false;
      return result;
    }
    port = port * 10 + (c - L'0');
  }
  result.valid = port >= 1 && port <= 65535;
  result.port = result.valid ? static_cast<int>(port) : 0;
  return result;
}

}  // namespace quonel
