#include "banner/ole_control_site.h"

#include "banner/ambient_properties.h"
#include "banner/himetric.h"
#include "banner/ole_control.h"

namespace quonel {

HRESULT TOleInPlaceFrame::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// The frame lives inside the site and shares its count.
ULONG TOleInPlaceFrame::AddRef() { return site_.AddRef(); }
ULONG TOleInPlaceFrame::Release() { return site_.Release(); }

HRESULT TOleInPlaceFrame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = site_.TopLevelWindow();
  return *window ? S_OK : E_FAIL;
}

HRESULT TOleControlSite::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleControlSite) *out = static_cast<IOleControlSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IPropertyNotifySink) *out = static_cast<IPropertyNotifySink*>(this);
  else return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG TOleControlSite::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT TOleControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT TOleControlSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT TOleControlSite::ShowObject() {
  // Nothing of ours may throw into the control.
  try {
    if (control_) control_->HookControlWindow();
  } catch (...) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT TOleControlSite::GetExtendedControl(IDispatch** dispatch) {
  if (dispatch) *dispatch = nullptr;
  return E_NOTIMPL;
}

HRESULT TOleControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (!control_ || !himetric || !container) return E_INVALIDARG;
  const int ppi = control_->PixelsPerInch();
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    container->x = static_cast<float>(HimetricToPixels(himetric->x, ppi));
    container->y = static_cast<float>(HimetricToPixels(himetric->y, ppi));
  } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    himetric->x = PixelsToHimetric(static_cast<int>(container->x), ppi);
    himetric->y = PixelsToHimetric(static_cast<int>(container->y), ppi);
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

HWND TOleControlSite::TopLevelWindow() const {
  if (!control_) return nullptr;
  TWinControl* parent = control_->Parent();
  return parent && parent->HandleAllocated() ? GetAncestor(parent->Handle(), GA_ROOT) : nullptr;
}

HRESULT TOleControlSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = control_ && control_->Parent() && control_->Parent()->HandleAllocated() ? control_->Parent()->Handle()
                                                                                     : nullptr;
  return *window ? S_OK : E_FAIL;
}

HRESULT TOleControlSite::OnInPlaceActivate() {
  if (!control_ || !control_->oleObject_) return E_UNEXPECTED;
  control_->inPlaceObject_ = control_->oleObject_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  control_->inPlaceActiveObject_ = control_->oleObject_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
  return S_OK;
}

HRESULT TOleControlSite::OnUIActivate() {
  if (control_) control_->uiActive_ = true;
  return S_OK;
}

HRESULT TOleControlSite::OnUIDeactivate(BOOL) {
  // A merged menu would go here; the library's forms have no main menu.
  if (control_) control_->uiActive_ = false;
  return S_OK;
}

HRESULT TOleControlSite::OnInPlaceDeactivate() {
  if (control_) {
    control_->inPlaceActiveObject_.Reset();
    control_->inPlaceObject_.Reset();
  }
  return S_OK;
}

HRESULT TOleControlSite::DeactivateAndUndo() {
  if (control_ && control_->inPlaceObject_) control_->inPlaceObject_->UIDeactivate();
  return S_OK;
}

HRESULT TOleControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                          LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !document || !position || !clip || !info) return E_POINTER;
  *frame = &frame_;
  frame_.AddRef();
  *document = nullptr;
  *position = control_ ? control_->BoundsRect() : RECT{};
  *clip = kNoClip;
  info->fMDIApp = FALSE;
  info->hwndFrame = TopLevelWindow();
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT TOleControlSite::OnPosRectChange(LPCRECT position) {
  if (!position) return E_POINTER;
  if (control_ && control_->inPlaceObject_) control_->inPlaceObject_->SetObjectRects(position, &kNoClip);
  return S_OK;
}

HRESULT TOleControlSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TOleControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                UINT*) {
  if (!control_) return DISP_E_MEMBERNOTFOUND;
  return AnswerAmbientProperty(*control_, id, flags, result);
}

}  // namespace quonel
