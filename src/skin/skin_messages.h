// The skin engine's private window messages. Their values are fixed: other
// programs and tools send SKM_ISSKINNED to a window to learn whether it is
// skinned, and the parts of the engine talk to each other through the rest.
#pragma once

namespace quonel {

// Answered with 1 by every skinned frame, control and popup menu.
constexpr unsigned SKM_ISSKINNED = 0x3523;
// Posted (wParam 0, lParam 1000) to a window right after its frame object was made.
constexpr unsigned SKM_INITFRAME = 0x3513;
constexpr unsigned SKM_ENABLE = 0x3506;
constexpr unsigned SKM_RESKIN = 0x3517;
constexpr unsigned SKM_BUTTONACTION = 0x3514;
constexpr unsigned SKM_BUTTONVISIBLE = 0x3515;
constexpr unsigned SKM_REDRAWMDI = 0x3516;
constexpr unsigned SKM_MENUCLICK = 0x3518;
constexpr unsigned SKM_PAINTFRAME = 0x3502;
constexpr unsigned SKM_REFRESH = 0x3401;

// These four lie in the range the control library uses for notifications it
// reflects back to a child (CN_BASE + WM_*), and SKM_SKINNED is exactly the
// reflected WM_NOTIFY. They mean a skin message only with lParam
// kSkinMessageMarker; the frame answers SKM_SKINNED itself and never passes
// it on to a handler that would read a notification header from lParam.
constexpr unsigned SKM_PRINTCLIENT = 0xBC4A;
constexpr unsigned SKM_PRINTFRAME = 0xBC4B;
constexpr unsigned SKM_FRAMEQUERY = 0xBC4D;
constexpr unsigned SKM_SKINNED = 0xBC4E;
constexpr long kSkinMessageMarker = 16802;

// Whether a message in that shared range is the skin message and not a notification.
constexpr bool IsMarkedSkinMessage(unsigned msg, long long lParam) {
  return (msg == SKM_PRINTCLIENT || msg == SKM_PRINTFRAME || msg == SKM_FRAMEQUERY || msg == SKM_SKINNED) &&
         lParam == kSkinMessageMarker;
}

}  // namespace quonel
