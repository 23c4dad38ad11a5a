// What a manifest section promises about its file's bytes: the optional keys
// `size=` (decimal bytes) and `sha256=` (64 hexadecimal digits, either case),
// and the text that identifies the release of one file for its staged copy.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quonel {

using Sha256Digest = std::array<unsigned char, 32>;

struct ExpectedContent {
  std::optional<int64_t> size;
  std::optional<Sha256Digest> sha256;
  // The key whose value could not be read ("size" or "sha256"); such a file
  // cannot be verified and is never installed.
  std::wstring unreadableKey;
};

// Blanks around the values are ignored; an empty value means the key is absent.
ExpectedContent ReadExpectedContent(const std::wstring& sizeText, const std::wstring& sha256Text);
std::optional<Sha256Digest> ParseSha256Hex(const std::wstring& text);
std::string Sha256Hex(const Sha256Digest& digest);  // lower case

// The release of one file as its staged copy records it: the manifest's
// date text with the promised size and digest, so that a copy of another
// release (even one of the same length) is never continued.
std::string ReleaseDescription(const std::wstring& datetime, const ExpectedContent& expected);

}  // namespace quonel
