// The ambient properties a host tells its controls: colours, name, font,
// locale and the run-time switches. Only reads are answered.
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <olectl.h>

#include "core/color.h"

namespace quonel {

class TOleControl;

// A colour of ours as OLE carries it (system colours 0x800000nn).
OLE_COLOR ColorToOleColor(TColor color);

// Fills result with the ambient property id of control; DISP_E_MEMBERNOTFOUND
// for any other identifier, and for anything but a read with a result place.
HRESULT AnswerAmbientProperty(TOleControl& control, DISPID id, WORD flags, VARIANT* result);

}  // namespace quonel
