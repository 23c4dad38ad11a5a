#include "skin/data/image_reference.h"

namespace quonel {

std::string ImageMemberName(std::string_view value) {
  const size_t slash = value.find_last_of("\\/:");
  const std::string_view name = slash == std::string_view::npos ? value : value.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
  return std::string(name);
}

}  // namespace quonel
