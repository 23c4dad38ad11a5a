// Reading a response body from the input buffer: counted, chunked, or until
// the peer closes.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "net/http_headers.h"
#include "net/http_line_reader.h"

namespace quonel {

// The size of a chunk-size line: the hexadecimal number before the first blank
// or ";" (chunk extensions follow it); not hexadecimal gives 0, and a number
// too large for 64 bits stays the largest value rather than wrapping.
uint64_t ParseChunkSize(std::string_view line);

// Reads the body of response into stream (dropped when stream is null).
// statusText receives "Chunk Started" before a chunked body.
void ReadResponseBody(NetInputBuffer& input, const TNetHTTPResponse& response, TNetStream* stream,
                      const std::function<void(const std::string&)>& statusText = {});

}  // namespace quonel
