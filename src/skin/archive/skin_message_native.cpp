#include <cstdio>
#include <string>

#include "skin/archive/skin_reader.h"

namespace quonel {

// Without a desktop the developer tools and tests see the text on stderr.
void ShowSkinMessage(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c == L'\r' ? '\n' : static_cast<char>(c < 128 ? c : '?');
  std::fprintf(stderr, "%s\n", narrow.c_str());
}

}  // namespace quonel
