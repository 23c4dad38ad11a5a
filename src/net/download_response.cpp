#include "net/download_response.h"

#include "core/ascii_case.h"

#include <cctype>
#include <limits>

namespace quonel {
namespace {

std::string Trimmed(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

}  // namespace

std::optional<int64_t> ParseDecimal(const std::string& text) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    if (value > (std::numeric_limits<int64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<ContentRange> ParseContentRange(const std::string& value) {
  const std::string text = Trimmed(value);
  if (!StartsWithNoCase(text, "bytes ")) return std::nullopt;
  const std::string rangeText = Trimmed(text.substr(6));
  const size_t slash = rangeText.find('/');
  if (slash == std::string::npos) return std::nullopt;
  ContentRange range;
  const std::string fullText = rangeText.substr(slash + 1);
  if (fullText != "*") {
    range.full = ParseDecimal(fullText);
    if (!range.full) return std::nullopt;
  }
  const std::string span = rangeText.substr(0, slash);
  if (span == "*") {
    // An unsatisfiable answer must say how long the file is.
    if (!range.full) return std::nullopt;
    range.unsatisfied = true;
    return range;
  }
  const size_t dash = span.find('-');
  if (dash == std::string::npos) return std::nullopt;
  const auto first = ParseDecimal(span.substr(0, dash));
  const auto last = ParseDecimal(span.substr(dash + 1));
  if (!first || !last || *last < *first) return std::nullopt;
  if (range.full && *last >= *range.full) return std::nullopt;
  range.first = *first;
  range.last = *last;
  return range;
}

HeaderLine ApplyHeaderLine(const std::string& line, ResponseHeaders& headers) {
  if (line == "\r\n") return HeaderLine::EndOfBlock;
  // "HTTP/1.1 200 OK": only the block's first line can be the status line.
  if (!headers.status && StartsWithNoCase(line, "HTTP/") && line.size() >= 13 && line[8] == ' ') {
    if (const std::optional<int64_t> code = ParseDecimal(line.substr(9, 3))) headers.status = static_cast<int>(*code);
    return HeaderLine::Other;
  }
  if (StartsWithNoCase(line, "Content-Length: ")) {
    const auto value = ParseDecimal(Trimmed(line.substr(16)));
    if (!value) return HeaderLine::BadContentLength;
    headers.contentLength = value;
    return HeaderLine::ContentLength;
  }
  if (StartsWithNoCase(line, "Content-Range:")) {
    headers.hasContentRange = true;
    headers.range = ParseContentRange(line.substr(14));
    return HeaderLine::ContentRange;
  }
  if (StartsWithNoCase(line, "Last-Modified:")) headers.lastModified = Trimmed(line.substr(14));
  if (StartsWithNoCase(line, "ETag:")) headers.etag = Trimmed(line.substr(5));
  if (StartsWithNoCase(line, "Location:")) headers.location = Trimmed(line.substr(9));
  if (StartsWithNoCase(line, "Retry-After:")) headers.retryAfter = Trimmed(line.substr(12));
  if (StartsWithNoCase(line, "Proxy-Authenticate:") && StartsWithNoCase(Trimmed(line.substr(19)), "Basic"))
    headers.proxyOffersBasic = true;
  return HeaderLine::Other;
}

}  // namespace quonel
