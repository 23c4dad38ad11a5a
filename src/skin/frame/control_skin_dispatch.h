// Which skin a control gets: the Skin3rd mapping of the skin data, the
// classes never skinned, the built-in table in its order, and for windows
// without a control object (system dialogs, message boxes) the table by
// window class and style. The answer is a kind name; the frame makes the
// skin of that kind with CreateControlSkin (skin/controls) and attaches it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/controls/bare_window_kinds.h"
#include "skin/data/skin_data_options.h"

namespace quonel {

class TControl;
class TStringList;

// What the tables read of the skin data.
struct DispatchGates {
  TSkinControlTypes controls = 0;
  bool hasTabsObject = false;
};

// The first Skin3rd line "class=kind" for the class, matched without regard
// to case; the kind "nil" handles the control without a skin; a kind whose
// gate is off, or that is unknown, is handled without a skin too.
ControlSkinChoice Skin3rdChoice(const TStringList& skin3rd, const std::wstring& className, const DispatchGates& gates);

// The built-in table for a control of the toolkit (class names compare in
// upper case; "is" rows by the control's class or its ancestors).
ControlSkinChoice BuiltInChoice(TControl& control, const DispatchGates& gates);

// The whole decision for a control: Skin3rd, the never-skinned classes, the
// built-in table.
ControlSkinChoice ChooseControlSkin(TControl& control, const TStringList& skin3rd, const DispatchGates& gates);

// Every kind these tables and the bare-window table can choose: the kinds
// the control-skin factory must build.
std::vector<std::wstring> ChoosableControlSkinKinds();

}  // namespace quonel
