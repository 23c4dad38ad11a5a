#include "banner/ole_control.h"

#include <cstring>

#include "banner/ambient_properties.h"
#include "banner/himetric.h"
#include "banner/ole_control_site.h"
#include "banner/ole_event_sink.h"
#include "ui/application.h"

namespace quonel {
namespace {

// Connects sink to the control's connection point for iid. A control that
// cannot take the sink fails like any other required call.
DWORD Connect(IUnknown* control, const IID& iid, IUnknown* sink) {
  ComPtr<IConnectionPointContainer> container;
  OleCheck(control->QueryInterface(IID_IConnectionPointContainer, container.PutVoid()));
  ComPtr<IConnectionPoint> point;
  OleCheck(container->FindConnectionPoint(iid, point.Put()));
  DWORD cookie = 0;
  OleCheck(point->Advise(sink, &cookie));
  return cookie;
}

void Disconnect(IUnknown* control, const IID& iid, DWORD& cookie) {
  if (!cookie) return;
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) &&
      SUCCEEDED(container->FindConnectionPoint(iid, point.Put())))
    point->Unadvise(cookie);
  cookie = 0;
}

// Owns a VARIANT for the length of a scope.
struct ScopedVariant {
  VARIANT value;
  ScopedVariant() { VariantInit(&value); }
  ~ScopedVariant() { VariantClear(&value); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
};

}  // namespace

// --- event arguments --------------------------------------------------------

VARIANT* TOleEventArgs::At(int index) const {
  if (index < 0 || index >= Count()) throw EOleError(L"Event argument " + std::to_wstring(index) + L" is missing");
  // Dispatch arguments arrive last first.
  VARIANT* value = &params_.rgvarg[params_.cArgs - 1 - static_cast<UINT>(index)];
  return value->vt == (VT_BYREF | VT_VARIANT) ? value->pvarVal : value;
}

int TOleEventArgs::Integer(int index) const {
  ScopedVariant converted;
  OleCheck(VariantChangeType(&converted.value, At(index), 0, VT_I4));
  return converted.value.lVal;
}

std::wstring TOleEventArgs::Text(int index) const {
  ScopedVariant converted;
  OleCheck(VariantChangeType(&converted.value, At(index), 0, VT_BSTR));
  return converted.value.bstrVal ? std::wstring(converted.value.bstrVal, SysStringLen(converted.value.bstrVal))
                                 : std::wstring();
}

void TOleEventArgs::SetInteger(int index, int value) const {
  VARIANT* target = At(index);
  if (target->vt == (VT_BYREF | VT_I2)) *target->piVal = static_cast<SHORT>(value);
  else if (target->vt == (VT_BYREF | VT_I4)) *target->plVal = value;
}

// --- creation ------------------------------------------------------------------

TOleControl::TOleControl(TComponent* owner, TControlData& description, TOleControlOptions options)
    : TWinControl(owner), description_(description), options_(options) {
  ++description_.instanceCount;
  counted_ = true;
  site_.Reset(new TOleControlSite(*this));
  eventSink_.Reset(new TOleEventSink(*this, description_.eventIid));
  if (options_.afterFirstPaint) {
    SetWindowAfterFirstPaint(true);
    return;
  }
  try {
    CreateControl();
  } catch (const EOleError& error) {
    if (options_.presence == TControlPresence::Required) {
      ReleaseControl();
      site_->Disconnect();
      eventSink_->Disconnect();
      --description_.instanceCount;
      throw;
    }
    Fail(error);
  }
}

void TOleControl::CreateControl() {
  if (Application) Application->InitializeOle();
  OleCheck(CoCreateInstance(description_.classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
                            oleObject_.PutVoid()));
  OleCheck(oleObject_->GetMiscStatus(DVASPECT_CONTENT, &miscStatus_));
  if (miscStatus_ & OLEMISC_SETCLIENTSITEFIRST) {
    OleCheck(oleObject_->SetClientSite(site_.Get()));
    clientSiteSet_ = true;
  }
  OleCheck(oleObject_->QueryInterface(IID_IPersistStreamInit, persistStream_.PutVoid()));
  // Only a simple frame may hold controls; the library's containers decide
  // that by class, and a hosted control is none of them.
  SetTabStop(!(miscStatus_ & (OLEMISC_ACTSLIKELABEL | OLEMISC_NOUIACTIVATE)));
  if (miscStatus_ & OLEMISC_INVISIBLEATRUNTIME) SetVisible(false);
  ApplyExtent();
}

int TOleControl::PixelsPerInch() const {
  if (options_.pixelsPerInch > 0) return options_.pixelsPerInch;
  WindowDc screen;
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

void TOleControl::ApplyExtent() {
  SIZEL extent = {};
  OleCheck(oleObject_->GetExtent(DVASPECT_CONTENT, &extent));
  const int ppi = PixelsPerInch();
  SetBounds(Left(), Top(), HimetricToPixels(extent.cx, ppi), HimetricToPixels(extent.cy, ppi));
}

void TOleControl::SetControlData(const std::string& bytes) {
  storedState_.Reset();
  storedSize_ = 0;
  if (bytes.empty()) return;
  // A failure while copying leaves no stored state rather than a partial one.
  OwnedGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!block) return;
  void* data = GlobalLock(block.Get());
  if (!data) return;
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(block.Get());
  storedState_ = std::move(block);
  storedSize_ = bytes.size();
}

// --- window --------------------------------------------------------------------

void TOleControl::InitControlInterfaces() {
  if (interfacesReady_) return;
  try {
    if (!clientSiteSet_) {
      OleCheck(oleObject_->SetClientSite(site_.Get()));
      clientSiteSet_ = true;
    }
    if (storedState_) {
      ComPtr<IStream> stream;
      OleCheck(CreateStreamOnHGlobal(storedState_.Get(), TRUE, stream.Put()));
      storedState_.Release();  // the stream frees the block
      // The block may be larger than what was stored: the control reads exactly that.
      ULARGE_INTEGER size;
      size.QuadPart = storedSize_;
      OleCheck(stream->SetSize(size));
      OleCheck(persistStream_->Load(stream.Get()));
    } else {
      OleCheck(persistStream_->InitNew());
    }
    OleCheck(oleObject_->QueryInterface(IID_IOleControl, oleControl_.PutVoid()));
    OleCheck(oleObject_->QueryInterface(IID_IDispatch, dispatch_.PutVoid()));
    oleObject_->QueryInterface(IID_IPerPropertyBrowsing, propertyBrowsing_.PutVoid());
    propertyCookie_ = Connect(oleObject_.Get(), IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(site_.Get()));
    eventsCookie_ = Connect(oleObject_.Get(), description_.eventIid, eventSink_.Get());
    ReportAmbientChanges();
    ApplyExtent();
  } catch (...) {
    ReleaseControl();
    throw;
  }
  interfacesReady_ = true;
}

// The control's own colour, enabled state and font start as the host's; a
// control without one of these properties simply does not take it.
void TOleControl::ReportAmbientChanges() {
  auto put = [this](DISPID id, VARIANT& value, WORD how) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, how, &params, nullptr, nullptr, nullptr);
  };
  ScopedVariant colour, enabled, font, foreColour;
  colour.value.vt = VT_I4;
  colour.value.lVal = static_cast<LONG>(ColorToOleColor(Color()));
  put(DISPID_BACKCOLOR, colour.value, DISPATCH_PROPERTYPUT);
  enabled.value.vt = VT_BOOL;
  enabled.value.boolVal = Enabled() ? VARIANT_TRUE : VARIANT_FALSE;
  put(DISPID_ENABLED, enabled.value, DISPATCH_PROPERTYPUT);
  if (SUCCEEDED(AnswerAmbientProperty(*this, DISPID_AMBIENT_FONT, DISPATCH_PROPERTYGET, &font.value)))
    put(DISPID_FONT, font.value, DISPATCH_PROPERTYPUTREF);
  foreColour.value.vt = VT_I4;
  foreColour.value.lVal = static_cast<LONG>(ColorToOleColor(Font().Color()));
  put(DISPID_FORECOLOR, foreColour.value, DISPATCH_PROPERTYPUT);
  oleControl_->OnAmbientPropertyChange(DISPID_UNKNOWN);
}

void TOleControl::CreateWindowHandle(const TCreateParams& params) {
  if (options_.afterFirstPaint && !oleObject_ && failureText_.empty()) {
    try {
      CreateControl();
    } catch (const EOleError& error) {
      if (options_.presence == TControlPresence::Required) throw;
      Fail(error);
    }
  }
  if (ControlAvailable()) {
    try {
      InitControlInterfaces();
      if (!(miscStatus_ & OLEMISC_INVISIBLEATRUNTIME)) {
        ActivateInPlace(params.parent);
        return;
      }
    } catch (const EOleError& error) {
      if (options_.presence == TControlPresence::Required) throw;
      Fail(error);
    }
  }
  // An ordinary window: for a control invisible at run time, or the empty
  // place of an optional one that failed.
  TWinControl::CreateWindowHandle(params);
  ReportFailure();
}

void TOleControl::ActivateInPlace(HWND parent) {
  RECT bounds = BoundsRect();
  OleCheck(oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, parent, &bounds));
  if (!inPlaceObject_) throw EOleError(kOleActivationFailed);
  HookControlWindow();
  if (!HandleAllocated()) throw EOleError(kNoOleControlWindow);
  if (!Visible()) ShowWindow(Handle(), SW_HIDE);
}

void TOleControl::HookControlWindow() {
  if (HandleAllocated() || !inPlaceObject_) return;
  HWND window = nullptr;
  if (FAILED(inPlaceObject_->GetWindow(&window)) || !window) return;
  AdoptWindow(window);
}

void TOleControl::SetBounds(int left, int top, int width, int height) {
  // An active control places its own window; its WM_WINDOWPOSCHANGED
  // brings the box back to us.
  if (inPlaceObject_ && WindowAdopted() &&
      (left != Left() || top != Top() || width != Width() || height != Height())) {
    const RECT position = {left, top, left + width, top + height};
    inPlaceObject_->SetObjectRects(&position, &kNoClip);
  }
  TWinControl::SetBounds(left, top, width, height);
}

// --- failure and destruction ---------------------------------------------------

void TOleControl::Fail(const EOleError& error) {
  ReleaseControl();
  failureText_ = error.Message();
  failureReported_ = false;
  // The empty place shows the parent's colour.
  SetParentColor(true);
  ReportFailure();
}

void TOleControl::ReportFailure() {
  if (failureReported_ || failureText_.empty() || !OnControlFailure) return;
  failureReported_ = true;
  OnControlFailure(this, failureText_);
}

void TOleControl::ReleaseControl() {
  if (oleObject_) {
    if (inPlaceObject_) inPlaceObject_->UIDeactivate();
    oleObject_->Close(OLECLOSE_NOSAVE);
    Disconnect(oleObject_.Get(), IID_IPropertyNotifySink, propertyCookie_);
    Disconnect(oleObject_.Get(), description_.eventIid, eventsCookie_);
  }
  inPlaceActiveObject_.Reset();
  inPlaceObject_.Reset();
  propertyBrowsing_.Reset();
  dispatch_.Reset();
  oleControl_.Reset();
  persistStream_.Reset();
  if (oleObject_ && clientSiteSet_) oleObject_->SetClientSite(nullptr);
  oleObject_.Reset();
  clientSiteSet_ = false;
  interfacesReady_ = false;
}

void TOleControl::DestroyHandle() {
  if (!WindowAdopted()) {
    TWinControl::DestroyHandle();
    return;
  }
  ReleaseAdoptedWindow();
  if (oleObject_) oleObject_->Close(OLECLOSE_NOSAVE);
}

TOleControl::~TOleControl() {
  // The control's window goes with the control's close below.
  ReleaseAdoptedWindow();
  ReleaseControl();
  site_->Disconnect();
  eventSink_->Disconnect();
  if (counted_ && --description_.instanceCount == 0) description_.propertyDispIds.clear();
}

// --- events and properties -----------------------------------------------------

void TOleControl::InvokeEvent(int, const TOleEventArgs&) {}

void TOleControl::StandardEvent(DISPID dispId, const TOleEventArgs& args) {
  switch (dispId) {
    case DISPID_CLICK:
      Click();
      break;
    case DISPID_DBLCLICK:
      if (OnDblClick) OnDblClick(this);
      break;
    case DISPID_KEYDOWN:
    case DISPID_KEYUP: {
      const TKeyEvent& handler = dispId == DISPID_KEYDOWN ? OnKeyDown : OnKeyUp;
      if (!handler || args.Count() < 2) break;
      WORD key = static_cast<WORD>(args.Integer(0));
      handler(this, key, static_cast<unsigned>(args.Integer(1)));
      args.SetInteger(0, key);
      break;
    }
    case DISPID_KEYPRESS: {
      if (!OnKeyPress || args.Count() < 1) break;
      wchar_t key = static_cast<wchar_t>(args.Integer(0));
      OnKeyPress(this, key);
      args.SetInteger(0, key);
      break;
    }
  }
}

DISPID TOleControl::PropertyDispId(const std::wstring& name) {
  if (!dispatch_) throw EOleError(std::wstring(ClassName()) + L" has no control to ask for " + name);
  auto known = description_.propertyDispIds.find(name);
  if (known != description_.propertyDispIds.end()) return known->second;
  std::wstring copy = name;
  LPOLESTR names[] = {copy.data()};
  DISPID id = DISPID_UNKNOWN;
  OleCheck(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  description_.propertyDispIds[name] = id;
  return id;
}

VARIANT TOleControl::GetProperty(const std::wstring& name) {
  const DISPID id = PropertyDispId(name);
  DISPPARAMS none = {};
  VARIANT value;
  VariantInit(&value);
  OleCheck(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr));
  return value;
}

void TOleControl::SetProperty(const std::wstring& name, VARIANT& value) {
  const DISPID id = PropertyDispId(name);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  OleCheck(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                             nullptr));
}

std::wstring TOleControl::GetWideStringProp(const std::wstring& name) {
  ScopedVariant value, text;
  value.value = GetProperty(name);
  OleCheck(VariantChangeType(&text.value, &value.value, 0, VT_BSTR));
  return text.value.bstrVal ? std::wstring(text.value.bstrVal, SysStringLen(text.value.bstrVal)) : std::wstring();
}

void TOleControl::SetWideStringProp(const std::wstring& name, const std::wstring& text) {
  ScopedVariant value;
  value.value.vt = VT_BSTR;
  value.value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  SetProperty(name, value.value);
}

int TOleControl::GetIntegerProp(const std::wstring& name) {
  ScopedVariant value, number;
  value.value = GetProperty(name);
  OleCheck(VariantChangeType(&number.value, &value.value, 0, VT_I4));
  return number.value.lVal;
}

void TOleControl::SetIntegerProp(const std::wstring& name, int number) {
  ScopedVariant value;
  value.value.vt = VT_I4;
  value.value.lVal = number;
  SetProperty(name, value.value);
}

bool TOleControl::GetBooleanProp(const std::wstring& name) {
  ScopedVariant value, flag;
  value.value = GetProperty(name);
  OleCheck(VariantChangeType(&flag.value, &value.value, 0, VT_BOOL));
  return flag.value.boolVal != VARIANT_FALSE;
}

void TOleControl::SetBooleanProp(const std::wstring& name, bool flag) {
  ScopedVariant value;
  value.value.vt = VT_BOOL;
  value.value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
  SetProperty(name, value.value);
}

}  // namespace quonel
