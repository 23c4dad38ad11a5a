#include "app/mirror_candidates.h"

#include <algorithm>

#include "core/ascii_case.h"

namespace quonel {

std::wstring WithTrailingSlash(std::wstring address) {
  if (address.empty() || address.back() != L'/') address += L'/';
  return address;
}

std::vector<UpdateServerEntry> ServersOfConfig(const std::vector<std::wstring>& keyValueLines) {
  std::vector<UpdateServerEntry> servers;
  for (const std::wstring& line : keyValueLines) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) continue;
    servers.push_back({line.substr(0, equals), WithTrailingSlash(line.substr(equals + 1))});
  }
  return servers;
}

std::vector<UpdateServerEntry> MirrorCandidates(const std::wstring& picked,
                                                const std::vector<UpdateServerEntry>& configured) {
  std::vector<UpdateServerEntry> candidates;
  auto add = [&](const UpdateServerEntry& server) {
    // "http://" alone is what an unreadable key gives: no server at all.
    if (server.address.size() <= 1 || AsciiLower(server.address) == L"http://") return;
    const bool seen = std::any_of(candidates.begin(), candidates.end(), [&](const UpdateServerEntry& known) {
      return AsciiLower(known.address) == AsciiLower(server.address);
    });
    if (!seen) candidates.push_back(server);
  };
  const std::wstring pickedAddress = WithTrailingSlash(picked);
  UpdateServerEntry first{L"", pickedAddress};
  for (const UpdateServerEntry& server : configured)
    if (AsciiLower(server.address) == AsciiLower(pickedAddress)) first.name = server.name;
  add(first);
  for (const UpdateServerEntry& server : configured) add(server);
  return candidates;
}

}  // namespace quonel
