// The platform's text for an error code, as the system's error messages
// quote it: at most 256 characters, trailing characters below "!" and
// trailing full stops removed; empty when the platform has no text.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

std::wstring SystemErrorMessage(uint32_t code);

}  // namespace quonel
