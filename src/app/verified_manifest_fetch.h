// One manifest fetch from one server, with its signature when the wizard
// trusts a publisher key: the .sig first (at most 16 KiB), checked against
// the keys, the product, the clock and the highest serial accepted, then
// the manifest, read no further than the signed size and compared with the
// signed size and digest. Callers that try several servers call it once
// per server; every failure raises, so the next server can be tried.
#pragma once
#include <cstdint>
#include <string>

#include "app/manifest_trust.h"
#include "core/exception.h"
#include "net/net_http_client.h"

namespace quonel {

// A manifest refused by its signature; the message names the exact reason.
QUONEL_DECLARE_EXCEPTION(EManifestRefused, Exception);

struct FetchedManifest {
  std::string body;
  bool verified = false;  // false: no key is trusted, the manifest is taken as it came
  uint64_t serial = 0;
  std::string keyId;
};

// product: config.ini's SubSys as the signature names it; updateFolder: the
// staging folder ("\"-terminated), which keeps the accepted serial. Network
// failures raise the client's exceptions, refusals EManifestRefused.
FetchedManifest FetchVerifiedManifest(TNetHTTP& client, const std::string& manifestUrl, const ManifestTrust& trust,
                                      const std::string& product, const std::wstring& updateFolder);

}  // namespace quonel
