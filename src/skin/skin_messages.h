// The private window messages skinned windows send each other, with their
// fixed values, and the marker that a print request comes from the skin.
#pragma once
#include <windows.h>

namespace quonel {

constexpr UINT SKM_REFRESH = 0x3401;
constexpr UINT SKM_PAINTFRAME = 0x3502;
constexpr UINT SKM_ENABLE = 0x3506;          // wParam > 0: skin on and repaint; <= 0: off
constexpr UINT SKM_INITFRAME = 0x3513;
constexpr UINT SKM_BUTTONACTION = 0x3514;
constexpr UINT SKM_BUTTONVISIBLE = 0x3515;
constexpr UINT SKM_REDRAWMDI = 0x3516;
constexpr UINT SKM_RESKIN = 0x3517;
constexpr UINT SKM_MENUCLICK = 0x3518;
constexpr UINT SKM_ISSKINNED = 0x3523;       // a skinned window answers 1
constexpr UINT SKM_PRINTCLIENT = 0xBC4A;
constexpr UINT SKM_PRINTFRAME = 0xBC4B;
constexpr UINT SKM_FRAMEQUERY = 0xBC4D;
constexpr UINT SKM_SKINNED = 0xBC4E;
constexpr LPARAM kSkinPrintMarker = 16802;   // lParam of SKM_PRINTFRAME and SKM_PRINTCLIENT

}  // namespace quonel
