// updmanifest's signing verbs: keygen, sign, verify, and the signing step
// of --sign. Messages go to err as "updmanifest: ..."; each returns the
// exit code (0 done, 1 refused or failed, 2 a wrong command line).
#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quonel::updmanifest {

struct SigningOptions {
  std::optional<uint64_t> serial;    // default: the UTC time in seconds
  std::optional<int64_t> expiresDays;  // default: no expiry
  std::optional<std::string> product;  // default: the manifest's name without ".htm"
};

// Takes --serial N, --expires DAYS or --product NAME at arguments[i] (moving
// i past its value); false when arguments[i] is none of them. problem is set
// when it is one of them with a wrong value.
bool TakeSigningOption(const std::vector<std::wstring>& arguments, size_t& i, SigningOptions& options,
                       std::wstring& problem);

int GenerateKeyFiles(const std::wstring& name, std::ostream& err);
int SignManifest(const std::wstring& keyPath, const std::wstring& manifestPath, const SigningOptions& options,
                 std::ostream& err);
int VerifyManifest(const std::wstring& publicKeyPath, const std::wstring& manifestPath, std::ostream& out,
                   std::ostream& err);

}  // namespace quonel::updmanifest
