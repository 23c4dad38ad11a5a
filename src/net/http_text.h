// Small text rules of the HTTP layers: ASCII case, trimming, strict integer
// conversion and the widening of protocol bytes into message text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ascii_case.h"

namespace quonel {

std::string TrimText(std::string_view text);
// Position of needle in haystack ignoring ASCII case, or npos.
size_t FindNoCase(std::string_view haystack, std::string_view needle);

// A decimal integer with an optional sign that fits in 32 bits; anything
// else (blanks, trailing text, overflow) is not a number.
std::optional<int32_t> ParseInt32(std::string_view text);
std::optional<int64_t> ParseInt64(std::string_view text);
int32_t ParseInt32Or(std::string_view text, int32_t fallback);

// Protocol bytes as message text: each byte becomes the character of the same
// value, so a status line reaches the error text unchanged.
std::wstring WidenBytes(std::string_view bytes);
// The inverse for texts that are known to be ASCII (formats, codes).
std::string NarrowAscii(std::wstring_view text);

}  // namespace quonel
