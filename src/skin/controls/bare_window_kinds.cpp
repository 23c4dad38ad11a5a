#include "skin/controls/bare_window_kinds.h"

#include <cwctype>

namespace quonel {

namespace {

constexpr uint32_t kTabStop = 0x00010000;       // WS_TABSTOP
constexpr uint32_t kBitmapButton = 0x80;        // BS_BITMAP
constexpr uint32_t kButtonTypeMask = 0x0F;      // BS_TYPEMASK
constexpr uint32_t kComboTypeMask = 0x03;       // CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST
constexpr uint32_t kSimpleCombo = 0x01;         // CBS_SIMPLE
constexpr uint32_t kSizeGripStyles = 0x18;      // SBS_SIZEBOX | SBS_SIZEGRIP
constexpr uint32_t kOwnerDrawnTabs = 0x2000;    // TCS_OWNERDRAWFIXED

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

ControlSkinChoice Handled() { return {true, L"", false, false}; }

ControlSkinChoice Chosen(const wchar_t* kind, bool children = false, bool recolour = false) {
  return {true, kind, children, recolour};
}

ControlSkinChoice ButtonChoice(uint32_t style) {
  const uint32_t type = style & kButtonTypeMask;
  // Group boxes, picture buttons and owner-drawn buttons keep their look.
  if (type == 7 || (style & kBitmapButton) || type == 11) return Handled();
  switch (type) {
    case 2: case 3: case 5: case 6: return Chosen(L"checkbox");
    case 4: case 9: return Chosen(L"radiobutton");
    case 0: case 1: return Chosen(L"button");
    default: return Handled();
  }
}

}  // namespace

ControlSkinChoice BareWindowChoice(const std::wstring& className, uint32_t style) {
  const std::wstring c = Lower(className);
  if (c == L"button") return ButtonChoice(style);
  if (c == L"combobox") return (style & kComboTypeMask) == kSimpleCombo ? Handled() : Chosen(L"combobox");
  if (c == L"comboboxex32") return Chosen(L"comboboxex");
  // Only a size box is a size grip; any other window of the class is a working scroll bar.
  if (c == L"scrollbar") return Chosen((style & kSizeGripStyles) ? L"sizer" : L"scrollbarcontrol");
  if (c == L"systreeview32") return Handled();
  // A dialog inside a dialog (a common dialog's own panel) skins its children first.
  if (c == L"#32770") return (style & kTabStop) ? ControlSkinChoice{} : Chosen(L"boxh", true);
  if (c == L"tpanel" || c == L"ttntpanel.unicodeclass" || c == L"ttntsilentpaintpanel.unicodeclass")
    return Chosen(L"", true, true);
  if (c == L"tsilentpaintpanel") return Chosen(L"", false, true);
  if (c == L"tcheckbox") return Chosen(L"checkbox");
  if (c == L"tcombobox") return Chosen(L"combobox");
  if (c == L"tbutton") return Chosen(L"button");
  if (c == L"tprogressbar") return Chosen(L"progress");
  if (c == L"systabcontrol32") return (style & kOwnerDrawnTabs) ? ControlSkinChoice{} : Chosen(L"tab");
  if (c == L"edit") return Chosen(L"edit");
  return {};
}

}  // namespace quonel
