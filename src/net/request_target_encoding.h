// A file name becomes part of a request line: the bytes that cannot stand in
// a request target are percent-encoded, every other byte is sent as it is.
#pragma once
#include <string>

namespace quonel {

// Blanks, control bytes, bytes outside ASCII, "%" and the characters that
// would end or split a target ('"', "#", "<", ">", "^", "`", "{", "|", "}")
// become "%XX" (upper-case hexadecimal); letters, digits, "/", "\" and the
// other printable characters stay, so plain names are sent unchanged.
std::string PercentEncodeTarget(const std::string& bytes);

}  // namespace quonel
