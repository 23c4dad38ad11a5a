// Which archive member an image value of the description names.
#pragma once
#include <string>
#include <string_view>

namespace quonel {

// The file-name part of a path (after the last '\\', '/' or ':'), when its
// extension is exactly ".bmp"; an empty string otherwise.
std::string ImageMemberName(std::string_view value);

}  // namespace quonel
