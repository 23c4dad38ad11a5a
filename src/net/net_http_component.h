// The base classes of the HTTP client's components, and the status
// notifications they pass to an OnStatus handler.
#pragma once
#include <functional>
#include <string>

#include "core/component.h"

namespace quonel {

enum TNetStatus { hsResolving = 0, hsConnecting, hsConnected, hsDisconnecting, hsDisconnected, hsStatusText };

using TNetStatusEvent = std::function<void(TNetStatus status, const std::string& text)>;

class TNetBaseComponent : public TComponent {
 public:
  using TComponent::TComponent;
  const wchar_t* ClassName() const override { return L"TNetBaseComponent"; }
};

class TNetComponent : public TNetBaseComponent {
 public:
  using TNetBaseComponent::TNetBaseComponent;
  const wchar_t* ClassName() const override { return L"TNetComponent"; }
};

}  // namespace quonel
