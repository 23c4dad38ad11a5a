// Fuzz target over the INI index: any bytes, in every form the file's
// first bytes can select, looked up by names taken from the input itself.
// Built as a libFuzzer program (profile_index_fuzzer) and replayed over the
// manifest corpus by profile_index_corpus_test.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/profile_index.h"

namespace {

// Each byte one character: enough to reach every path of the reader natively.
std::wstring BytesAsCharacters(unsigned, std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quonel;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const ProfileIndex index = ProfileIndex::FromFileBytes(input, BytesAsCharacters);
  const std::wstring probe = BytesAsCharacters(0, input.substr(0, 16));
  for (const std::wstring& section : index.ReadSections()) {
    for (const std::wstring& key : index.ReadSection(section)) {
      const std::wstring value = index.ReadString(section, key, probe);
      if (value.size() >= kProfileValueBuffer) __builtin_trap();
    }
    index.ReadString(section, probe, probe);
  }
  index.ReadString(probe, probe, probe);
  return 0;
}
