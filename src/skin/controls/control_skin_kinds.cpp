#include "skin/controls/control_skin_kinds.h"

#include <cwctype>

namespace quonel {

namespace {

constexpr uint32_t kTabStop = 0x00010000;      // WS_TABSTOP
constexpr uint32_t kBitmapButton = 0x80;       // BS_BITMAP
constexpr uint32_t kButtonTypeMask = 0x0F;     // BS_TYPEMASK

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

}  // namespace

std::wstring BareWindowSkinKind(const std::wstring& className, uint32_t style) {
  const std::wstring name = Lower(className);
  if (name == L"button") {
    const uint32_t type = style & kButtonTypeMask;
    if (type == 7 || (style & kBitmapButton)) return {};  // group boxes and picture buttons keep their look
    switch (type) {
      case 2: case 3: case 5: case 6: return L"checkbox";
      case 4: case 9: return L"radiobutton";
      case 0: case 1: return L"button";
      default: return {};
    }
  }
  if (name == L"#32770") return (style & kTabStop) ? std::wstring() : L"dialog";
  if (name == L"tbutton") return L"button";
  if (name == L"tcheckbox") return L"checkbox";
  return {};
}

}  // namespace quonel
