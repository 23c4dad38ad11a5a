// The manifest's text encoding. The wizard reads the manifest in the ANSI
// code page of a Simplified Chinese Windows (936); what the tool writes stays
// within its GB2312 part, which every reader of that code page agrees on.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quonel::updmanifest {

// Code page 936 through the platform's converter: nothing when a character
// has no exact form in it (no best-fit substitutes).
std::optional<std::string> EncodeCodePage936(std::wstring_view text);
// Bytes the code page cannot decode become U+FFFD.
std::wstring DecodeCodePage936(std::string_view bytes);

// True when every byte is ASCII or belongs to a two-byte GB2312 character
// (lead byte A1-A9 or B0-F7, trail byte A1-FE).
bool IsGb2312Plane(std::string_view bytes);

// The text's GB2312 bytes, or nothing when it cannot be written in GB2312.
std::optional<std::string> EncodeGb2312(std::wstring_view text);

}  // namespace quonel::updmanifest
