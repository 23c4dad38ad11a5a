// The servers one manifest fetch may try, in order: the server the user
// picked, then every other server of config.ini in file order, each once.
#pragma once
#include <string>
#include <vector>

namespace quonel {

struct UpdateServerEntry {
  std::wstring name;     // the key in config.ini ("" for an address not listed there)
  std::wstring address;  // ends in "/"
};

// An address as the fetch uses it: with one "/" at its end.
std::wstring WithTrailingSlash(std::wstring address);

// config.ini's "key=value" lines of [update] as servers, in file order.
std::vector<UpdateServerEntry> ServersOfConfig(const std::vector<std::wstring>& keyValueLines);

// picked first, then the configured servers in order; an address that comes
// again (letter case and the trailing "/" aside) is left out, and so is an
// empty one.
std::vector<UpdateServerEntry> MirrorCandidates(const std::wstring& picked,
                                                const std::vector<UpdateServerEntry>& configured);

}  // namespace quonel
