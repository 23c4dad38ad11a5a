// The server certificate check of the encrypted channel: the platform builds
// the chain and applies its SSL policy with the host name.
#pragma once
#define SECURITY_WIN32
#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace quonel {

// Raises ETlsCertificateError naming the problem when the platform refuses
// the certificate for serverName.
void CheckServerCertificate(PCCERT_CONTEXT certificate, const std::wstring& serverName);

}  // namespace quonel
