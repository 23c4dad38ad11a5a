#include "net/http_body.h"

#include <algorithm>
#include <limits>

#include "net/http_stream.h"

namespace quonel {
namespace {

// A stream is grown ahead of a counted read only up to this much: the length
// is the peer's claim, the bytes are what it actually sends.
constexpr int64_t kMaxReserve = 16 << 20;
// Trailer lines after the last chunk, read up to the empty line.
constexpr int kMaxTrailerLines = 100;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void ReadChunked(NetInputBuffer& input, TNetStream* stream) {
  uint64_t size = ParseChunkSize(input.ReadLn());
  while (size > 0) {
    // A short chunk means the peer closed; the line read below reports it.
    input.ReadBytes(stream, size);
    input.ReadLn();
    size = ParseChunkSize(input.ReadLn());
  }
  // The trailer ends with an empty line; leaving any of it unread would
  // become the next response's status line on a kept-alive connection.
  for (int i = 0; i < kMaxTrailerLines; ++i)
    if (input.ReadLn().empty()) break;
}

}  // namespace

uint64_t ParseChunkSize(std::string_view line) {
  const size_t cut = line.find_first_of(" \t;");
  if (cut != std::string_view::npos) line = line.substr(0, cut);
  if (line.empty()) return 0;
  uint64_t value = 0;
  for (char c : line) {
    const int digit = HexDigit(c);
    if (digit < 0) return 0;
    if (value > (std::numeric_limits<uint64_t>::max() >> 4)) return std::numeric_limits<uint64_t>::max();
    value = value << 4 | static_cast<uint64_t>(digit);
  }
  return value;
}

void ReadResponseBody(NetInputBuffer& input, const TNetHTTPResponse& response, TNetStream* stream,
                      const std::function<void(const std::string&)>& statusText) {
  try {
    if (response.ContentLength >= 1) {
      if (stream) stream->Reserve(stream->Position() + std::min<int64_t>(response.ContentLength, kMaxReserve));
      input.ReadBytes(stream, static_cast<uint64_t>(response.ContentLength));
    } else if (response.HeaderLines.Values("Transfer-Encoding").find("chunked") != std::string::npos) {
      if (statusText) statusText("Chunk Started");
      ReadChunked(input, stream);
    } else if (!response.HasContentLength()) {
      input.ReadUntilClose(stream);
    }
  } catch (...) {
    if (stream && stream->Size() > stream->Position()) stream->SetSize(stream->Position());
    throw;
  }
  if (stream && stream->Size() > stream->Position()) stream->SetSize(stream->Position());
}

}  // namespace quonel
