// The one way the frame's dispatch table makes control skins: a skin for a
// kind name as the skin's kinds go - "button", "bitbtn" (a glyph beside the
// caption), "menubtn" (a drop-down arrow), "speedbutton" (windowless),
// "checkbox", "radiobutton", "groupbox", "panel" and "form" (a container
// recoloured, TSkinBox), "dialog" or "boxh" (a bare dialog window,
// TSkinBoxH), "header", "updown", "scrollbar" or "singlescrollbar",
// "listview", "scrollbarcontrol", "progress", "statusbar", "sizer" (a size grip), "trackbar",
// "tab", "tabbtn" (tabs that are buttons), "tabsheet", "advpagecontrol"
// (another library's page control) and "objimage1", "objimage2",
// "objimage3" (check and radio glyphs handed to another library's
// controls). Letter case does not matter.
// Unknown kinds give nullptr. The caller attaches the skin (Attach for a
// library control, AttachHandle for a bare window) and owns it.
#pragma once
#include <memory>
#include <string>

#include "skin/controls/bare_window_kinds.h"
#include "skin/controls/skin_control.h"

namespace quonel {

std::unique_ptr<TSkinControl> CreateControlSkin(const std::wstring& kind);

// The kind for a bare window, by its class and style (see BareWindowChoice).
std::wstring ControlSkinKindForWindow(HWND window);

}  // namespace quonel
