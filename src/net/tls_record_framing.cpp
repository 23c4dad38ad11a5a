#include "net/tls_record_framing.h"

namespace quonel {

TlsRecordFrame FirstTlsRecord(const char* bytes, size_t size) {
  const size_t kHeader = 5;
  const auto byte = [bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  // Content types 20 to 24 (cipher change, alert, handshake, data,
  // heartbeat); the legacy version's major byte is 3 in every version.
  if (size >= 1 && (byte(0) < 20 || byte(0) > 24)) return {TlsRecordFrame::Malformed, 0};
  if (size >= 2 && byte(1) != 3) return {TlsRecordFrame::Malformed, 0};
  if (size < kHeader) return {TlsRecordFrame::Incomplete, kHeader};
  const size_t body = static_cast<size_t>(byte(3)) << 8 | byte(4);
  if (body > kMaxTlsRecordBody) return {TlsRecordFrame::Malformed, 0};
  const size_t length = kHeader + body;
  if (size < length) return {TlsRecordFrame::Incomplete, length};
  return {TlsRecordFrame::Complete, length};
}

}  // namespace quonel
