// One connection point of the stand-in: the sinks advised for one outgoing
// interface. It lives inside its control and shares the control's count.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <utility>
#include <vector>

#include "core/win32_owners.h"

namespace quonel::standin {

class StandInConnectionPoint : public IConnectionPoint {
 public:
  StandInConnectionPoint(IConnectionPointContainer& container, const IID& iid, const wchar_t* name)
      : container_(container), iid_(iid), name_(name) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  const IID& Iid() const { return iid_; }
  // The advised sinks as dispatch interfaces, for firing: held for the
  // firing, as a handler may unadvise.
  std::vector<ComPtr<IDispatch>> Sinks() const;
  void Clear() { sinks_.clear(); }

 private:
  IConnectionPointContainer& container_;
  IID iid_;
  const wchar_t* name_;
  DWORD nextCookie_ = 1;
  std::vector<std::pair<DWORD, ComPtr<IUnknown>>> sinks_;
};

}  // namespace quonel::standin
