// Conversions between UTF-16 and the ANSI code page (936 on the product's
// platform), for texts that the protocol or stored files carry as ANSI bytes.
#pragma once
#include <string>
#include <string_view>

namespace quonel {

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

}  // namespace quonel
