// A published manifest read back as the wizard's profile functions read it:
// GB2312 text (UTF-8 after its byte-order mark), sections in file order,
// key names without regard to ASCII letter case, blanks around names and
// values dropped, the first of two equal keys winning.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace quonel::updmanifest {

struct ManifestSection {
  std::wstring name;
  std::map<std::wstring, std::wstring> values;  // by lower-case key

  // The value of a key given in lower case; nullptr when it is missing.
  const std::wstring* Value(const std::wstring& key) const;
};

std::vector<ManifestSection> ReadManifest(const std::string& bytes);

}  // namespace quonel::updmanifest
