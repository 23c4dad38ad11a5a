#include "standin_control.h"

#include <string>

namespace quonel::standin {

StandInControl::StandInControl()
    : events_(*this, kBannerEventsIid, L"events"), propertyChanges_(*this, IID_IPropertyNotifySink, L"property changes") {
  ObjectCreated();
}

StandInControl::~StandInControl() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  Journal(L"Destroyed");
  ObjectDestroyed();
}

HRESULT StandInControl::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleObject) *out = static_cast<IOleObject*>(this);
  else if (iid == IID_IPersistStreamInit || iid == IID_IPersist) *out = static_cast<IPersistStreamInit*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) *out = static_cast<IOleInPlaceObject*>(this);
  else if (iid == IID_IOleInPlaceActiveObject) *out = static_cast<IOleInPlaceActiveObject*>(this);
  else if (iid == IID_IOleControl) *out = static_cast<IOleControl*>(this);
  else if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IConnectionPointContainer) *out = static_cast<IConnectionPointContainer*>(this);
  else return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG StandInControl::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// --- IOleObject -------------------------------------------------------------------

HRESULT StandInControl::SetClientSite(IOleClientSite* site) {
  Journal(site ? L"SetClientSite" : L"SetClientSite(none)");
  site_ = ComPtr<IOleClientSite>::Share(site);
  if (!site) font_.Reset();
  return S_OK;
}

HRESULT StandInControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_.Get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

HRESULT StandInControl::Close(DWORD option) {
  Journal(L"Close(" + std::to_wstring(option) + L")");
  InPlaceDeactivate();
  return S_OK;
}

HRESULT StandInControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT bounds) {
  Journal(L"DoVerb(" + std::to_wstring(verb) + L")");
  if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_UIACTIVATE) return E_NOTIMPL;
  IOleClientSite* host = site ? site : site_.Get();
  if (!host) return E_UNEXPECTED;
  if (!inPlaceSite_) {
    ComPtr<IOleInPlaceSite> inPlace;
    if (FAILED(host->QueryInterface(IID_IOleInPlaceSite, inPlace.PutVoid()))) return E_NOINTERFACE;
    if (inPlace->CanInPlaceActivate() != S_OK) return E_FAIL;
    inPlace->OnInPlaceActivate();
    inPlaceSite_ = std::move(inPlace);
  }
  if (!window_) {
    HWND siteWindow = nullptr;
    if (FAILED(inPlaceSite_->GetWindow(&siteWindow))) siteWindow = parent;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position = bounds ? *bounds : RECT{0, 0, 0, 0}, clip;
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof info;
    if (SUCCEEDED(inPlaceSite_->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &info)) && bounds)
      position = *bounds;
    AskAmbientFont();
    CreateBannerWindow(parent ? parent : siteWindow, position);
    if (!window_) return E_FAIL;
    host->ShowObject();
    // The movie is "loaded" at once: the host hears the whole story.
    VARIANT state, percent;
    VariantInit(&state);
    state.vt = VT_I4;
    state.lVal = 4;
    FireEvent(kReadyStateChange, {state});
    VariantInit(&percent);
    percent.vt = VT_I4;
    percent.lVal = 100;
    FireEvent(kOnProgress, {percent});
    VARIANT request;
    VariantInit(&request);
    request.vt = VT_BSTR;
    const std::wstring call = L"<invoke name=\"bannerShown\" returntype=\"xml\"><arguments><string>" +
                              properties_.Text(L"Movie") + L"</string></arguments></invoke>";
    request.bstrVal = SysAllocString(call.c_str());
    FireEvent(kFlashCall, {request});
    VariantClear(&request);
  }
  if (verb == OLEIVERB_UIACTIVATE && !uiActive_) {
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
  }
  return S_OK;
}

HRESULT StandInControl::GetUserClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = kBannerClassId;
  return S_OK;
}

HRESULT StandInControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT || !size) return E_INVALIDARG;
  extent_ = *size;
  return S_OK;
}

HRESULT StandInControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT || !size) return E_INVALIDARG;
  *size = extent_;
  return S_OK;
}

HRESULT StandInControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (!status) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_INVALIDARG;
  *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
            OLEMISC_RECOMPOSEONRESIZE;
  return S_OK;
}

// --- IPersistStreamInit -----------------------------------------------------------

HRESULT StandInControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  // Everything the stream holds: the stand-in keeps it byte for byte.
  std::string bytes;
  char buffer[4096];
  ULONG read = 0;
  do {
    read = 0;
    const HRESULT result = stream->Read(buffer, sizeof buffer, &read);
    if (FAILED(result)) return result;
    bytes.append(buffer, read);
  } while (read == sizeof buffer);
  Journal(L"Load(" + std::to_wstring(bytes.size()) + L" bytes)");
  TakeState(bytes);
  return S_OK;
}

void StandInControl::TakeState(const std::string& bytes) {
  state_ = bytes;
  BannerState parsed;
  if (ParseBannerState(state_, parsed)) {
    extent_ = {parsed.width, parsed.height};
    properties_.Reset(&parsed);
  } else {
    properties_.Reset(nullptr);
  }
}

HRESULT StandInControl::Save(LPSTREAM stream, BOOL) {
  if (!stream) return E_POINTER;
  ULONG written = 0;
  return stream->Write(state_.data(), static_cast<ULONG>(state_.size()), &written);
}

HRESULT StandInControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = state_.size();
  return S_OK;
}

HRESULT StandInControl::InitNew() {
  Journal(L"InitNew");
  state_.clear();
  properties_.Reset(nullptr);
  return S_OK;
}

// --- in place -----------------------------------------------------------------------

HRESULT StandInControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : E_FAIL;
}

HRESULT StandInControl::UIDeactivate() {
  if (uiActive_) {
    uiActive_ = false;
    Journal(L"UIDeactivate");
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  }
  return S_OK;
}

HRESULT StandInControl::InPlaceDeactivate() {
  UIDeactivate();
  // The host may have destroyed the window with its parent already.
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
  if (inPlaceSite_) {
    Journal(L"InPlaceDeactivate");
    ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    site->OnInPlaceDeactivate();
  }
  return S_OK;
}

HRESULT StandInControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (window_)
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  return S_OK;
}

// --- control, dispatch, connection points ------------------------------------------

HRESULT StandInControl::OnAmbientPropertyChange(DISPID id) {
  Journal(L"OnAmbientPropertyChange(" + std::to_wstring(id) + L")");
  return S_OK;
}

HRESULT StandInControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT StandInControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = properties_.Find(names[i]);
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT StandInControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                               UINT*) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const HRESULT put = properties_.Put(id, params->rgvarg[0]);
    if (SUCCEEDED(put) && window_) InvalidateRect(window_, nullptr, FALSE);
    return put;
  }
  if (flags & DISPATCH_PROPERTYGET) return properties_.Get(id, result);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT StandInControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  StandInConnectionPoint* found = iid == events_.Iid()            ? &events_
                                  : iid == propertyChanges_.Iid() ? &propertyChanges_
                                                                  : nullptr;
  if (!found) return CONNECT_E_NOCONNECTION;
  *point = found;
  found->AddRef();
  return S_OK;
}

void StandInControl::FireEvent(DISPID id, std::vector<VARIANT> arguments) {
  // Dispatch arguments travel last first.
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  AddRef();  // a handler may let the host release us
  for (const ComPtr<IDispatch>& sink : events_.Sinks())
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  Release();
}

void StandInControl::Clicked(bool twice) {
  FireEvent(twice ? DISPID_DBLCLICK : DISPID_CLICK, {});
  if (twice) return;
  VARIANT command, args;
  VariantInit(&command);
  VariantInit(&args);
  command.vt = VT_BSTR;
  command.bstrVal = SysAllocString(L"click");
  args.vt = VT_BSTR;
  args.bstrVal = SysAllocString(properties_.Text(L"Movie").c_str());
  FireEvent(kFSCommand, {command, args});
  VariantClear(&command);
  VariantClear(&args);
}

}  // namespace quonel::standin
