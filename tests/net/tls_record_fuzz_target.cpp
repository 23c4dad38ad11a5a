// Fuzz target over the TLS record framing: arbitrary bytes walked record by
// record, each prefix also asked, checking that the framing never claims
// more bytes than there are, always moves on, and answers a prefix as it
// answers the whole. Built as a libFuzzer program (tls_record_fuzzer) and
// replayed over the saved corpus by tls_framing_test.
#include <cstddef>
#include <cstdint>

#include "net/tls_record_framing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quonel;
  const char* bytes = reinterpret_cast<const char*>(data);
  size_t at = 0;
  while (at < size) {
    const TlsRecordFrame whole = FirstTlsRecord(bytes + at, size - at);
    if (whole.kind == TlsRecordFrame::Malformed) break;
    if (whole.kind == TlsRecordFrame::Incomplete) {
      if (whole.length <= size - at) __builtin_trap();
      break;
    }
    if (whole.length < 5 || whole.length > size - at || whole.length > 5 + kMaxTlsRecordBody) __builtin_trap();
    // Any shorter piece of the same record is incomplete or already malformed, never complete.
    for (size_t cut = 0; cut < whole.length; cut += 1 + cut / 3) {
      if (FirstTlsRecord(bytes + at, cut).kind == TlsRecordFrame::Complete) __builtin_trap();
    }
    at += whole.length;
  }
  return 0;
}
