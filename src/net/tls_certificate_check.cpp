#include "net/tls_certificate_check.h"

#include <cstdio>

#include "net/tls_session.h"

namespace quonel {
namespace {

// Frees a chain however the check ends.
struct ChainOwner {
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  ~ChainOwner() {
    if (chain) CertFreeCertificateChain(chain);
  }
};

TTlsCertificateProblem ProblemOf(DWORD error) {
  switch (error) {
    case static_cast<DWORD>(CERT_E_EXPIRED):
    case static_cast<DWORD>(CERT_E_VALIDITYPERIODNESTING):
      return TTlsCertificateProblem::Expired;
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH):
      return TTlsCertificateProblem::WrongHost;
    case static_cast<DWORD>(CERT_E_REVOKED):
      return TTlsCertificateProblem::Revoked;
    case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT):
    case static_cast<DWORD>(CERT_E_CHAINING):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDTESTROOT):
    case static_cast<DWORD>(TRUST_E_CERT_SIGNATURE):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDCA):
      return TTlsCertificateProblem::Untrusted;
    default:
      return TTlsCertificateProblem::Unusable;
  }
}

[[noreturn]] void Refuse(TTlsCertificateProblem problem, const std::wstring& serverName, DWORD code) {
  wchar_t hex[16];
  std::swprintf(hex, 16, L"%08lX", static_cast<unsigned long>(code));
  throw ETlsCertificateError(problem, serverName + L"的证书未通过检查：" + TlsCertificateProblemText(problem) +
                                          L" (0x" + hex + L")");
}

}  // namespace

const wchar_t* TlsCertificateProblemText(TTlsCertificateProblem problem) {
  switch (problem) {
    case TTlsCertificateProblem::Untrusted: return L"颁发机构不受信任";
    case TTlsCertificateProblem::Expired: return L"证书已过期或尚未生效";
    case TTlsCertificateProblem::WrongHost: return L"证书不是颁发给此服务器名称的";
    case TTlsCertificateProblem::Revoked: return L"证书已被吊销";
    case TTlsCertificateProblem::Unusable: return L"证书不能用于服务器";
  }
  return L"证书不能用于服务器";
}

void CheckServerCertificate(PCCERT_CONTEXT certificate, const std::wstring& serverName) {
  if (!certificate) Refuse(TTlsCertificateProblem::Unusable, serverName, static_cast<DWORD>(SEC_E_NO_CREDENTIALS));
  // The certificate must be meant for a server, whatever else it may do.
  LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH), const_cast<LPSTR>(szOID_SERVER_GATED_CRYPTO),
                    const_cast<LPSTR>(szOID_SGC_NETSCAPE)};
  CERT_CHAIN_PARA chainPara = {};
  chainPara.cbSize = sizeof chainPara;
  chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  chainPara.RequestedUsage.Usage.cUsageIdentifier = 3;
  chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  // The intermediates the server sent are in the certificate's own store.
  ChainOwner owner;
  if (!CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore, &chainPara, 0, nullptr,
                               &owner.chain))
    Refuse(TTlsCertificateProblem::Untrusted, serverName, GetLastError());

  SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
  ssl.cbSize = sizeof ssl;
  ssl.dwAuthType = AUTHTYPE_SERVER;
  ssl.pwszServerName = const_cast<wchar_t*>(serverName.c_str());
  CERT_CHAIN_POLICY_PARA policy = {};
  policy.cbSize = sizeof policy;
  policy.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS status = {};
  status.cbSize = sizeof status;
  if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, owner.chain, &policy, &status))
    Refuse(TTlsCertificateProblem::Unusable, serverName, GetLastError());
  if (status.dwError != 0) Refuse(ProblemOf(status.dwError), serverName, status.dwError);
  // The chain's own verdict as well: not every platform's policy turns a
  // chain that ends at an unknown authority into an error.
  const DWORD trust = owner.chain->TrustStatus.dwErrorStatus;
  if (trust & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN | CERT_TRUST_IS_NOT_SIGNATURE_VALID |
               CERT_TRUST_IS_CYCLIC))
    Refuse(TTlsCertificateProblem::Untrusted, serverName, static_cast<DWORD>(CERT_E_UNTRUSTEDROOT));
  if (trust & CERT_TRUST_IS_NOT_TIME_VALID)
    Refuse(TTlsCertificateProblem::Expired, serverName, static_cast<DWORD>(CERT_E_EXPIRED));
  if (trust & CERT_TRUST_IS_REVOKED)
    Refuse(TTlsCertificateProblem::Revoked, serverName, static_cast<DWORD>(CERT_E_REVOKED));
  if (trust & CERT_TRUST_IS_NOT_VALID_FOR_USAGE)
    Refuse(TTlsCertificateProblem::Unusable, serverName, static_cast<DWORD>(CERT_E_WRONG_USAGE));
}

}  // namespace quonel
