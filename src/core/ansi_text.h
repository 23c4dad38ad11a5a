// Conversions between UTF-16 and the ANSI code page (936 on the product's
// platform), for texts that the protocol or stored files carry as ANSI bytes.
#pragma once
#include <string>
#include <string_view>

namespace quonel {

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);
// Bytes of a given code page (936, say) as UTF-16; undecodable bytes become U+FFFD or the page's default.
std::wstring CodePageToWide(unsigned codePage, std::string_view text);

}  // namespace quonel
