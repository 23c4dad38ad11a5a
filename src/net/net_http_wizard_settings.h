// The settings the wizard form stores for its manifest client "HTTPFiles".
#pragma once
#include "net/net_http_client.h"

namespace quonel {

inline constexpr int kWizardReadTimeoutMs = 5000;

// Applies the wizard's stored values to a client created with the defaults.
void ApplyWizardHTTPSettings(TNetHTTP& http);

}  // namespace quonel
