// Fuzz target over the signature file's reader and the key and time
// parsers it shares with config.ini's [trust]. Built as a libFuzzer program
// (release_signature_fuzzer) and replayed over the saved corpus.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/release_signature.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quonel;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const SignatureReading reading = ReadReleaseSignature(input);
  if (reading.signature) {
    // What was read writes back to the same covered lines.
    const ReleaseSignature& release = *reading.signature;
    if (SignedLines(release).size() > kMaxSignatureFileSize) __builtin_trap();
    ReleaseRefusal(release, "quonel", 0, release.serial);
  }
  ParsePublicKeyLine(input.substr(0, 200));
  ParseUtcTime(input.substr(0, 20));
  ReadAcceptedSerial(input.substr(0, 64));
  return 0;
}
