#include "standin_connection_point.h"

#include <string>

#include "standin_control.h"

namespace quonel::standin {

HRESULT StandInConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT StandInConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT StandInConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &container_;
  container_.AddRef();
  return S_OK;
}

HRESULT StandInConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  // The sink must speak the interface it is advised for.
  ComPtr<IUnknown> typed;
  if (FAILED(sink->QueryInterface(iid_, typed.PutVoid()))) return CONNECT_E_CANNOTCONNECT;
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, std::move(typed));
  Journal(std::wstring(L"Advise(") + name_ + L")");
  return S_OK;
}

HRESULT StandInConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first != cookie) continue;
    sinks_.erase(it);
    Journal(std::wstring(L"Unadvise(") + name_ + L")");
    return S_OK;
  }
  return CONNECT_E_NOCONNECTION;
}

std::vector<ComPtr<IDispatch>> StandInConnectionPoint::Sinks() const {
  std::vector<ComPtr<IDispatch>> dispatches;
  // An event sink was advised as the outgoing dispatch interface: it is an IDispatch.
  for (const auto& sink : sinks_)
    dispatches.push_back(ComPtr<IDispatch>::Share(static_cast<IDispatch*>(static_cast<void*>(sink.second.Get()))));
  return dispatches;
}

}  // namespace quonel::standin
