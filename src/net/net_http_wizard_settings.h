// The settings the wizard form stores for its manifest client "HTTPFiles",
// for clients built in code (the probe tool, tests). The form itself reads
// them from its stored layout; a test keeps the two the same.
#pragma once
#include "net/net_http_client.h"

namespace quonel {

inline constexpr int kWizardReadTimeoutMs = 5000;
// The whole manifest fetch ends after this long, however slowly the server
// keeps sending. Not a stored setting: the form sets it when it is created.
inline constexpr int kWizardRequestTimeLimitMs = 60000;

// Applies the wizard's stored values to a client created with the defaults.
void ApplyWizardHTTPSettings(TNetHTTP& http);

}  // namespace quonel
