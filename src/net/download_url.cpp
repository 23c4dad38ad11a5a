#include "net/download_url.h"

#include "core/ascii_case.h"

#include <cwctype>

namespace quonel {
namespace {

// Blanks and control characters, as the platform's trim removes them.
bool IsTrimmed(wchar_t c) { return c <= L' '; }

// The address without the blanks around it.
std::wstring Trimmed(const std::wstring& url) {
  size_t first = 0;
  size_t last = url.size();
  while (first < last && IsTrimmed(url[first])) ++first;
  while (last > first && IsTrimmed(url[last - 1])) --last;
  return url.substr(first, last - first);
}

bool StartsWithScheme(const std::wstring& text, const wchar_t* scheme) {
  size_t i = 0;
  for (; scheme[i] != 0; ++i)
    if (i >= text.size() || AsciiLower(text[i]) != scheme[i]) return false;
  return true;
}

// Steps shared by host and path: trim, then drop an "http://" or "https://" scheme.
std::wstring WithoutScheme(const std::wstring& url) {
  std::wstring text = Trimmed(url);
  if (StartsWithScheme(text, L"http://")) text.erase(0, 7);
  else if (StartsWithScheme(text, L"https://")) text.erase(0, 8);
  return text;
}

}  // namespace

bool IsSecureUrl(const std::wstring& url) { return StartsWithScheme(Trimmed(url), L"https://"); }

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

HostAndPort SplitHostPort(const std::wstring& hostText, int defaultPort) {
  HostAndPort result;
  result.port = defaultPort;
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
