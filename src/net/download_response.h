// What a transfer reads from a response's header block: the status code, the
// Content-Length and Content-Range lines and the validators.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace quonel {

// "bytes first-last/full" or, for an unsatisfiable range, "bytes */full";
// full is absent when the server wrote "*".
struct ContentRange {
  bool unsatisfied = false;  // "bytes */full"
  int64_t first = 0;
  int64_t last = 0;
  std::optional<int64_t> full;
};

struct ResponseHeaders {
  // The status line's code; absent when the block did not begin with one.
  std::optional<int> status;
  std::optional<int64_t> contentLength;
  // A "Content-Range:" line came (RangeOK); range is its value when it
  // parsed, absent when it was malformed.
  bool hasContentRange = false;
  std::optional<ContentRange> range;
  // The validators of the file, trimmed; empty when the answer had none.
  std::string lastModified;
  std::string etag;
  // What a redirect, a proxy or a busy server says: "Location:", whether a
  // "Proxy-Authenticate:" offers Basic, and "Retry-After:".
  std::string location;
  bool proxyOffersBasic = false;
  std::string retryAfter;
};

enum class HeaderLine { Other, EndOfBlock, ContentLength, ContentRange, BadContentLength };

// Reads one line (with its CR LF) into headers; a header that comes twice
// takes the later value. "Content-Length: " counts only with its blank.
HeaderLine ApplyHeaderLine(const std::string& line, ResponseHeaders& headers);

// A non-negative decimal number without sign or grouping; absent otherwise.
std::optional<int64_t> ParseDecimal(const std::string& text);
std::optional<ContentRange> ParseContentRange(const std::string& value);

}  // namespace quonel
