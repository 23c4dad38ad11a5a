#include "core/utf8.h"

#include <cstdint>

namespace quonel {

namespace {

void AppendCodePoint(std::wstring& out, uint32_t code) {
  if (code < 0x10000 || sizeof(wchar_t) == 4) {
    out += static_cast<wchar_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (code >> 10));
    out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x80) {
      out += static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    const int extra = (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    uint32_t code = extra > 0 ? lead & (0x3Fu >> extra) : 0;
    int seen = 0;  // continuation bytes that belong to this sequence
    while (extra > 0 && seen < extra && i + static_cast<size_t>(seen) + 1 < text.size() &&
           (static_cast<uint8_t>(text[i + static_cast<size_t>(seen) + 1]) & 0xC0) == 0x80) {
      code = (code << 6) | (static_cast<uint8_t>(text[i + static_cast<size_t>(seen) + 1]) & 0x3Fu);
      ++seen;
    }
    static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (extra <= 0 || seen < extra || code < kSmallest[extra] || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF)) {
      out += L'\xFFFD';  // one replacement for the broken sequence as far as it went
      i += static_cast<size_t>(seen) + 1;
      continue;
    }
    AppendCodePoint(out, code);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t code = static_cast<uint32_t>(text[i]);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() &&
        static_cast<uint32_t>(text[i + 1]) >= 0xDC00 && static_cast<uint32_t>(text[i + 1]) <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<uint32_t>(text[++i]) - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace quonel
