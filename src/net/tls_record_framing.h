// Where one TLS record ends in the bytes received so far, read from its
// five-byte header. The platform decrypts the records; this only tells it
// one whole record at a time, because Wine's decryption copies every byte
// it is handed on each call, which made a long buffer cost as many copies
// as it held records.
#pragma once
#include <cstddef>

namespace quonel {

struct TlsRecordFrame {
  enum Kind {
    Incomplete,  // fewer bytes than the record needs: receive more
    Complete,    // the first `length` bytes are one whole record
    Malformed    // no TLS record starts here
  };
  Kind kind;
  size_t length;  // Complete: header and body; Incomplete: the bytes needed so far
};

// The largest record body any TLS version sends (2^14 plus the expansion
// TLS 1.2 allows).
inline constexpr size_t kMaxTlsRecordBody = 16384 + 2048;

TlsRecordFrame FirstTlsRecord(const char* bytes, size_t size);

}  // namespace quonel
