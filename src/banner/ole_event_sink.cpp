#include "banner/ole_event_sink.h"

#include <olectl.h>

#include "banner/ole_control.h"

namespace quonel {

HRESULT TOleEventSink::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == eventIid_) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG TOleEventSink::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT TOleEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TOleEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                              UINT*) {
  if (result) VariantInit(result);
  if (!control_) return S_OK;
  DISPPARAMS none = {};
  const TOleEventArgs args(params ? *params : none);
  // A handler's exception must not cross into the control: it ends the
  // action and the application reports it.
  try {
    if (id >= DISPID_KEYUP && id <= DISPID_CLICK) {
      control_->StandardEvent(id, args);
    } else if (const int index = control_->Description().EventIndex(id); index >= 0) {
      control_->InvokeEvent(index, args);
    }
  } catch (...) {
    HandleEscapedException();
  }
  return S_OK;
}

}  // namespace quonel
