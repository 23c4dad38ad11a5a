// The private window messages by which skinned windows, frames and control
// skins talk to each other. Their values are fixed: other components send
// and answer them.
#pragma once
#include <windows.h>

namespace quonel {

constexpr UINT SKM_REFRESH = 0x3401;       // to the form object: re-apply colours and control skins
constexpr UINT SKM_PAINTFRAME = 0x3502;    // repaint the non-client area now
constexpr UINT SKM_ENABLE = 0x3506;        // a control skin on (wParam 1) or off
constexpr UINT SKM_INITFRAME = 0x3513;     // posted after a frame skin attached: its deferred set-up
constexpr UINT SKM_BUTTONACTION = 0x3514;  // a caption button without built-in meaning; wParam = Action
constexpr UINT SKM_BUTTONVISIBLE = 0x3515; // is the caption button shown? wParam = Visibility, lParam = Action
constexpr UINT SKM_REDRAWMDI = 0x3516;     // to the MDI client: redraw with frames and children
constexpr UINT SKM_RESKIN = 0x3517;        // wParam = a re-created control window to skin again
constexpr UINT SKM_MENUCLICK = 0x3518;     // a click at the point in lParam opens the menu-bar button there
constexpr UINT SKM_ISSKINNED = 0x3523;     // answered with 1 by every skinned window
constexpr UINT SKM_PRINTCLIENT = 0xBC4A;   // with lParam kSkinMarker: paint the client into the DC in wParam
constexpr UINT SKM_PRINTFRAME = 0xBC4B;    // with lParam kSkinMarker: paint the frame into the DC in wParam
constexpr UINT SKM_FRAMEQUERY = 0xBC4D;    // answers kSkinMarker when lParam is kSkinMarker, else 1
constexpr UINT SKM_SKINNED = 0xBC4E;       // sent to the window (lParam kSkinMarker) once its frame is set up

// The marker the print and query messages carry and answer.
constexpr LPARAM kSkinMarker = 16802;

}  // namespace quonel
