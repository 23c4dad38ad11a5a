#include "skin/frame/control_skin_dispatch.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/ascii_case.h"
#include "core/property_access.h"
#include "core/strings.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

constexpr int kNoGate = -1;

struct KindGate {
  const wchar_t* kind;
  int gate;
  bool needsTabs = false;
  bool children = false;
  bool recolour = false;
};

// The kinds a Skin3rd line may name, with the switch that lets them skin.
constexpr std::array<KindGate, 23> kSkin3rdKinds{{
    {L"combobox", xcCombo},          {L"edit", xcEdit},
    {L"radiobutton", xcRadioButton}, {L"panel", xcPanel, false, false, true},
    {L"trackbar", xcButton},         {L"button", xcButton},
    {L"datetimepicker", xcCombo},    {L"mediaplayer", xcButton},
    {L"bitbtn", xcButton},           {L"pngbitbtn", xcButton},
    {L"menubtn", xcButton},          {L"speedbutton", xcSpeedButton},
    {L"tab", xcTab, true},           {L"progress", xcProgress},
    {L"scrollbar", xcScrollbar, false, true},
    {L"singlescrollbar", xcScrollbar},
    {L"embedscrollbar", xcScrollbar},
    {L"container", kNoGate, false, true},
    {L"groupbox", xcGroupBox, false, false, true},
    {L"advpagecontrol", xcTab},
    {L"radiogroup", xcGroupBox, false, true},
    {L"checkgroup", xcPanel, false, true},
    {L"checkbox", xcCheckBox},
}};

bool GateOpen(int gate, bool needsTabs, const DispatchGates& gates) {
  if (needsTabs && !gates.hasTabsObject) return false;
  return gate == kNoGate || InSet(gates.controls, gate);
}

// One row of the built-in table: an exact upper-case class name, or a
// toolkit class the control is or derives from.
struct BuiltInRow {
  const wchar_t* className;  // upper case, exact
  const wchar_t* isClass;    // or: the control is of this class or a descendant
  int gate;
  const wchar_t* kind;       // empty: children only
  bool needsTabs = false;
  bool children = false;
  bool recolour = false;
};

// In the table's order; the first row whose test and gate hold decides.
const BuiltInRow kBuiltIn[] = {
    {nullptr, L"TPageControl", xcTab, L"tab", true},
    {L"TTABSET", nullptr, xcTab, L"tab31", true},
    // A sheet takes the face colour, and so do the labels on it.
    {nullptr, L"TTabSheet", xcTab, L"tabsheet", true, false, true},
    {L"TTABBEDNOTEBOOK", nullptr, xcTab, L"tab", true},
    {L"TMVCPANEL", nullptr, kNoGate, L"", false, true},
    {nullptr, L"TTabControl", xcTab, L"tab", true},
    {nullptr, L"THeaderControl", xcPanel, L"header"},
    {nullptr, L"TCheckBox", xcCheckBox, L"checkbox"},
    {nullptr, L"TTrackBar", xcTrackBar, L"trackbar"},
    {L"TUPDOWN", nullptr, xcSpin, L"updown"},
    {L"TSPINBUTTON", nullptr, xcSpin, L"updown"},
    {L"TMEDIAPLAYER", nullptr, xcButton, L"mediaplayer"},
    {nullptr, L"TRadioGroup", xcRadioButton, L"radiogroup", false, true},
    {L"TDBNAVIGATOR", nullptr, xcPanel, L"panel", false, true, true},
    {L"TRZDBCHECKBOX", nullptr, xcCheckBox, L"objimage1"},
    {L"TRZCHECKBOX", nullptr, xcCheckBox, L"objimage1"},
    {L"TRZRADIOBUTTON", nullptr, xcRadioButton, L"objimage2"},
    {L"TRZDBRADIOBUTTON", nullptr, xcRadioButton, L"objimage2"},
    {L"TCXDBCHECKBOX", nullptr, xcCheckBox, L"objimage3"},
    {L"TCXCHECKBOX", nullptr, xcCheckBox, L"objimage3"},
    {nullptr, L"TGroupBox", xcPanel, L"groupbox", false, true},
    {nullptr, L"TRadioButton", xcRadioButton, L"radiobutton"},
    {nullptr, L"TToolBar", xcToolbar, L"toolbar"},
    {nullptr, L"TStatusBar", xcStatusBar, L"statusbar"},
    {nullptr, L"TProgressBar", xcProgress, L"progress"},
    {nullptr, L"TScrollBox", xcScrollbar, L"scrollbox", false, true},
    {nullptr, L"TScrollBar", xcScrollbar, L"scrollbarcontrol"},
    {L"TTNTCOMBOBOX", nullptr, xcCombo, L"combobox"},
    {nullptr, L"TComboBox", xcCombo, L"combobox"},
    {nullptr, L"TDateTimePicker", xcEdit, L"datetimepicker"},
    {L"TRICHEDIT", nullptr, xcScrollbar, L"scrollbar"},
    {L"TWWDBRICHEDIT", nullptr, xcScrollbar, L"scrollbar"},
    {L"TDXDBMEMO", nullptr, xcScrollbar, L"scrollbar"},
    {nullptr, L"TBitBtn", xcBitBtn, L"bitbtn"},
    {nullptr, L"TSpeedButton", xcSpeedButton, L"speedbutton"},
    {nullptr, L"TPanel", xcPanel, L"panel", false, true, true},
    {L"TDXTREELIST", nullptr, xcScrollbar, L"scrollbar"},
    {L"TDXDBTREELIST", nullptr, xcScrollbar, L"scrollbar"},
    {L"TDXDBGRID", nullptr, xcScrollbar, L"scrollbar"},
    {nullptr, L"TListView", xcScrollbar, L"listview"},
    {nullptr, L"TMemo", xcScrollbar, L"scrollbar"},
};

// A windowed control with a scroll bar style, or a list box or memo.
bool IsScrollCandidate(TControl& control) {
  if (InheritsFrom(&control, L"TListBox") || InheritsFrom(&control, L"TMemo")) return true;
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (!windowed || !windowed->HandleAllocated()) return false;
  return (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

// A rule applied, and it attaches nothing.
ControlSkinChoice Handled() { return {true, L"", false, false}; }

ControlSkinChoice Chosen(const wchar_t* kind, bool children, bool recolour) {
  return {true, kind, children, recolour};
}

}  // namespace

ControlSkinChoice Skin3rdChoice(const TStringList& skin3rd, const std::wstring& className, const DispatchGates& gates) {
  const std::wstring prefix = AsciiLower(className) + L"=";
  for (int i = 0; i < skin3rd.Count(); ++i) {
    const std::wstring line = AsciiLower(skin3rd.Get(i));
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    const std::wstring kind = line.substr(prefix.size(), 50);
    if (kind == L"nil") return Handled();
    for (const KindGate& k : kSkin3rdKinds) {
      if (kind != k.kind) continue;
      if (!GateOpen(k.gate, k.needsTabs, gates)) return Handled();
      return {true, kind == L"container" ? L"" : kind, k.children, k.recolour};
    }
    return Handled();
  }
  return {};
}

ControlSkinChoice BuiltInChoice(TControl& control, const DispatchGates& gates) {
  const std::wstring upper = AsciiUpper(control.ClassName());
  for (const BuiltInRow& row : kBuiltIn) {
    const bool matches = row.className ? upper == row.className : InheritsFrom(&control, row.isClass);
    if (!matches || !GateOpen(row.gate, row.needsTabs, gates)) continue;
    // Page and tab controls whose tabs are buttons get the button tabs.
    const std::wstring isClass = row.isClass ? row.isClass : L"";
    const bool tabs = isClass == L"TPageControl" || isClass == L"TTabControl";
    if (tabs && HasProperty(&control, L"Style") && GetEnumPropText(&control, L"Style") != L"tsTabs")
      return Chosen(L"tabbtn", row.children, row.recolour);
    return Chosen(row.kind, row.children, row.recolour);
  }
  if (IsScrollCandidate(control) && GateOpen(xcScrollbar, false, gates)) return Chosen(L"scrollbar", false, false);
  if (InheritsFrom(&control, L"TButton") && GateOpen(xcButton, false, gates)) return Chosen(L"button", false, false);
  const bool dcEdit = upper == L"TDCEDIT" || upper == L"TDCDBEDIT";
  if (InheritsFrom(&control, L"TCustomEdit") && !dcEdit && GateOpen(xcEdit, false, gates))
    return Chosen(L"edit", false, false);
  if (InheritsFrom(&control, L"TCustomForm") && !dcEdit) return Chosen(L"panel", true, true);
  if (dcEdit) {
    int64_t buttons = 0;
    if (HasProperty(&control, L"NumButtons")) buttons = GetIntProp(&control, L"NumButtons");
    if (buttons == 1 && GateOpen(xcCombo, false, gates)) return Chosen(L"combobox", false, false);
    if (buttons == 0 && GateOpen(xcEdit, false, gates)) return Chosen(L"edit", false, false);
  }
  return {};
}

ControlSkinChoice ChooseControlSkin(TControl& control, const TStringList& skin3rd, const DispatchGates& gates) {
  ControlSkinChoice choice = Skin3rdChoice(skin3rd, control.ClassName(), gates);
  if (choice.handled) return choice;
  const std::wstring upper = AsciiUpper(control.ClassName());
  if (upper == L"TDBCOMBOBOXEH" || upper == L"TFRDESIGNERPAGE" || upper == L"TFRPBOX") return Handled();
  return BuiltInChoice(control, gates);
}

std::vector<std::wstring> ChoosableControlSkinKinds() {
  std::vector<std::wstring> kinds;
  auto add = [&kinds](const std::wstring& kind) {
    if (!kind.empty() && std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
  };
  for (const KindGate& k : kSkin3rdKinds)
    if (std::wstring(k.kind) != L"container") add(k.kind);
  for (const BuiltInRow& row : kBuiltIn) add(row.kind);
  // The rules after the table, and button-style tabs.
  for (const wchar_t* kind : {L"scrollbar", L"button", L"edit", L"panel", L"combobox", L"tabbtn"}) add(kind);
  // The bare-window table, by the classes and styles it tells apart.
  const std::pair<const wchar_t*, uint32_t> bare[] = {
      {L"button", BS_PUSHBUTTON}, {L"button", BS_CHECKBOX}, {L"button", BS_RADIOBUTTON}, {L"combobox", CBS_DROPDOWN},
      {L"comboboxex32", 0},       {L"scrollbar", SBS_HORZ},  {L"scrollbar", SBS_SIZEGRIP},  {L"#32770", 0},
      {L"tcheckbox", 0},          {L"tcombobox", 0},         {L"tbutton", 0},               {L"tprogressbar", 0},
      {L"systabcontrol32", 0},    {L"edit", 0}};
  for (const auto& [name, style] : bare) add(BareWindowChoice(name, style).kind);
  return kinds;
}

}  // namespace quonel
