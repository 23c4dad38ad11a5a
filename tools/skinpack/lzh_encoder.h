// The LZHUF encoder of the skin packer: the program itself only decodes.
#pragma once
#include <string>
#include <string_view>

namespace quonel::skinpack {

// A bare compressed stream: the 4-byte little-endian size, then the bits.
std::string LzhEncode(std::string_view data);

}  // namespace quonel::skinpack
