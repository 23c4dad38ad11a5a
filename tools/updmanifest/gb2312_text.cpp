#include "gb2312_text.h"

namespace quonel::updmanifest {

bool IsGb2312Plane(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) continue;
    if (i + 1 >= bytes.size()) return false;
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    const bool leadInPlane = (lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7);
    if (!leadInPlane || trail < 0xA1 || trail > 0xFE) return false;
  }
  return true;
}

std::optional<std::string> EncodeGb2312(std::wstring_view text) {
  std::optional<std::string> bytes = EncodeCodePage936(text);
  if (!bytes || !IsGb2312Plane(*bytes)) return std::nullopt;
  return bytes;
}

}  // namespace quonel::updmanifest
