#include "banner/ambient_properties.h"

#include <olectl.h>

#include "banner/ole_control.h"

namespace quonel {
namespace {

VARIANT Boolean(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT Integer(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

// The font as an OLE font object; its size in points at the host's resolution.
HRESULT OleFont(TOleControl& control, VARIANT* result) {
  TFont& font = control.ParentFont() && control.Parent() ? control.Parent()->Font() : control.Font();
  FONTDESC description = {};
  description.cbSizeofstruct = sizeof description;
  std::wstring name = font.Name();
  description.lpstrName = name.data();
  const int height = font.Height() < 0 ? -font.Height() : font.Height();
  description.cySize.int64 = static_cast<LONGLONG>(height) * 72 * 10000 / control.PixelsPerInch();
  description.sWeight = static_cast<SHORT>(font.Style() & 1 ? FW_BOLD : FW_NORMAL);
  description.sCharset = static_cast<SHORT>(font.Charset());
  description.fItalic = (font.Style() & 2) != 0;
  description.fUnderline = (font.Style() & 4) != 0;
  description.fStrikethrough = (font.Style() & 8) != 0;
  IDispatch* dispatch = nullptr;
  const HRESULT created = OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&dispatch));
  if (FAILED(created)) return created;
  result->vt = VT_DISPATCH;
  result->pdispVal = dispatch;
  return S_OK;
}

}  // namespace

OLE_COLOR ColorToOleColor(TColor color) {
  if (IsSystemColor(color)) return 0x80000000u | (static_cast<uint32_t>(color) & 0xFF);
  return static_cast<OLE_COLOR>(color) & 0xFFFFFF;
}

HRESULT AnswerAmbientProperty(TOleControl& control, DISPID id, WORD flags, VARIANT* result) {
  if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
  VariantInit(result);
  switch (id) {
    case DISPID_AMBIENT_BACKCOLOR:
      *result = Integer(static_cast<LONG>(ColorToOleColor(control.Color())));
      return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
      result->vt = VT_BSTR;
      result->bstrVal = SysAllocString(control.Name().c_str());
      return S_OK;
    case DISPID_AMBIENT_FONT:
      return OleFont(control, result);
    case DISPID_AMBIENT_FORECOLOR:
      *result = Integer(static_cast<LONG>(ColorToOleColor(control.Font().Color())));
      return S_OK;
    case DISPID_AMBIENT_LOCALEID:
      *result = Integer(static_cast<LONG>(GetUserDefaultLCID()));
      return S_OK;
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_AUTOCLIP:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
      // The program never designs: it is always at run time.
      *result = Boolean(true);
      return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
      *result = Boolean(false);
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace quonel
