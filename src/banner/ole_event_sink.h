// The event dispatcher of a hosted control: the object the control's event
// connection point calls. Standard events go to the host control's own
// click, double-click and key handling; the class's own events to the
// wrapper's handlers by their position in the description.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace quonel {

class TOleControl;

class TOleEventSink : public IDispatch {
 public:
  TOleEventSink(TOleControl& control, const IID& eventIid) : control_(&control), eventIid_(eventIid) {}
  void Disconnect() { control_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override;

 private:
  virtual ~TOleEventSink() = default;
  LONG references_ = 1;
  TOleControl* control_;
  IID eventIid_;
};

}  // namespace quonel
