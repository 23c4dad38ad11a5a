// UTF-8 <-> UTF-16 for texts that are stored as UTF-8 (layouts, file names
// outside Windows). Malformed input becomes U+FFFD, never a failure.
#pragma once
#include <string>
#include <string_view>

namespace quonel {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace quonel
