#include "app/stored_manifest.h"

#include <cstdint>

#include "core/utf8.h"

namespace quonel {
namespace {

const std::string_view kUtf8Mark = "\xEF\xBB\xBF";

void AppendUnit(std::string& out, uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// wchar_t holds UTF-16 on Windows and whole code points elsewhere.
std::string Utf16LittleEndian(const std::wstring& text) {
  std::string out = "\xFF\xFE";
  for (const wchar_t c : text) {
    const auto code = static_cast<uint32_t>(c);
    if (code > 0xFFFF) {
      AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
      AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      AppendUnit(out, code);
    }
  }
  return out;
}

}  // namespace

std::string StoredManifestBytes(std::string_view body) {
  if (!body.starts_with(kUtf8Mark)) return std::string(body) + "\r\n";
  return Utf16LittleEndian(Utf8ToWide(std::string(body.substr(kUtf8Mark.size())) + "\r\n"));
}

}  // namespace quonel
