// One fuzz entry over the skin archive's untrusted-input paths. The first
// byte picks what the rest is:
//   0: a compressed stream as a form or skin file holds it,
//   1: a decompressed archive, packed first so that the parser sees every
//      field as given, and the encoder and decoder must agree on it,
//   2: a bare bit stream decoded to a size taken from its first two bytes.
// Built with libFuzzer in the native tree; the replay test feeds it the
// saved corpus in both trees.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lzh_encoder.h"
#include "skin/archive/lzh.h"
#include "skin/archive/skin_reader.h"

namespace {

using quonel::TLZH;
using quonel::TSkinReader;

// Decoded sizes are kept to 64 KiB: the limit itself has its own tests,
// and small sizes let the fuzzer run many inputs.
constexpr uint32_t kFuzzSizeLimit = 1u << 16;

void CheckMembers(const TSkinReader& reader) {
  for (const quonel::TSkinMember& member : reader.Members()) {
    if (member.size < 0 || member.offset + static_cast<uint64_t>(member.size) > reader.Data().size()) std::abort();
    if (reader.GetMember(member.name).size() > reader.Data().size()) std::abort();
  }
}

TSkinReader QuietReader() {
  TSkinReader reader;
  reader.ShowMessage = [](const std::wstring&) {};
  return reader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0: {
      std::string stream(input);
      if (stream.size() >= 4) {
        uint32_t t = 0;
        for (int i = 3; i >= 0; --i) t = t << 8 | static_cast<uint8_t>(stream[static_cast<size_t>(i)]);
        if (t > kFuzzSizeLimit && t < 0x80000000u) t %= kFuzzSizeLimit;
        for (int i = 0; i < 4; ++i) stream[static_cast<size_t>(i)] = static_cast<char>((t >> (8 * i)) & 0xFF);
      }
      TSkinReader reader = QuietReader();
      if (reader.ReadArchive(stream)) CheckMembers(reader);
      break;
    }
    case 1: {
      const std::string packed = quonel::skinpack::LzhEncode(input);
      const std::string decoded = TLZH::Decode(std::string_view(packed).substr(4), static_cast<int32_t>(input.size()));
      if (decoded != input) std::abort();
      TSkinReader reader = QuietReader();
      if (reader.ReadArchive(packed)) CheckMembers(reader);
      break;
    }
    default: {
      if (input.size() < 2) return 0;
      const int32_t wanted = static_cast<uint8_t>(input[0]) | static_cast<uint8_t>(input[1]) << 8;
      const std::string decoded = TLZH::Decode(input.substr(2), wanted);
      if (decoded.size() < static_cast<size_t>(wanted) || decoded.size() >= static_cast<size_t>(wanted) + 60) {
        if (wanted > 0) std::abort();
      }
      break;
    }
  }
  return 0;
}
