#include "app/expected_content.h"

#include "core/utf8.h"

namespace quonel {
namespace {

std::wstring Trimmed(const std::wstring& text) {
  size_t first = 0, last = text.size();
  while (first < last && text[first] <= L' ') ++first;
  while (last > first && text[last - 1] <= L' ') --last;
  return text.substr(first, last - first);
}

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

std::optional<int64_t> ParseSize(const std::wstring& text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  int64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return value;
}

}  // namespace

std::optional<Sha256Digest> ParseSha256Hex(const std::wstring& text) {
  if (text.size() != 64) return std::nullopt;
  Sha256Digest digest{};
  for (size_t i = 0; i < digest.size(); ++i) {
    const int high = HexValue(text[2 * i]), low = HexValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    digest[i] = static_cast<unsigned char>(high << 4 | low);
  }
  return digest;
}

std::string Sha256Hex(const Sha256Digest& digest) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (const unsigned char byte : digest) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}

ExpectedContent ReadExpectedContent(const std::wstring& sizeText, const std::wstring& sha256Text) {
  ExpectedContent expected;
  if (const std::wstring size = Trimmed(sizeText); !size.empty()) {
    expected.size = ParseSize(size);
    if (!expected.size) expected.unreadableKey = L"size";
  }
  if (const std::wstring sha256 = Trimmed(sha256Text); !sha256.empty()) {
    expected.sha256 = ParseSha256Hex(sha256);
    if (!expected.sha256 && expected.unreadableKey.empty()) expected.unreadableKey = L"sha256";
  }
  return expected;
}

std::string ReleaseDescription(const std::wstring& datetime, const ExpectedContent& expected) {
  return WideToUtf8(datetime) + "|" + (expected.size ? std::to_string(*expected.size) : "") + "|" +
         (expected.sha256 ? Sha256Hex(*expected.sha256) : "");
}

}  // namespace quonel
