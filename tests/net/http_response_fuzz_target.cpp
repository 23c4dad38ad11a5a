// Fuzz target over the response side of the HTTP client: status line,
// header block, header fields, cookies and body from arbitrary bytes that
// arrive in pieces of odd sizes; plus URL splitting and dates.
// Built as a libFuzzer program (http_response_fuzzer) and replayed over the
// saved corpus by http_response_corpus_test.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/http_body.h"
#include "net/http_cookies.h"
#include "net/http_date.h"
#include "net/http_stream.h"
#include "net/http_uri.h"
#include "net/scripted_byte_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quonel;
  const std::string input(reinterpret_cast<const char*>(data), size);
  testing::ScriptedByteSource source;
  // Pieces of 1 to 61 bytes, so that lines and chunks cross read boundaries.
  for (size_t at = 0, i = 0; at < input.size(); ++i) {
    const size_t length = i * 7 % 61 + 1;
    source.Then(input.substr(at, length));
    at += length;
  }
  source.closesAtEnd = size % 2 == 0;
  NetInputBuffer in(source);
  in.MaxLineLength = 256;
  in.RecvBufferSize = 64;
  try {
    TNetHTTPResponse response;
    do {
      response.Clear();
      response.StatusLine = in.ReadLn();
      response.ParseStatusLine();
      for (std::string line; !(line = in.ReadLn()).empty();) response.HeaderLines.Add(line);
      response.ProcessHeaders();
    } while (response.StatusCode == 100);
    TNetCookieManager cookies;
    cookies.TakeCookies(response.HeaderLines, "www.example.com", "/dir/");
    cookies.CookieHeader("www.example.com", "/dir/sub/", false);
    TNetMemoryStream body;
    ReadResponseBody(in, response, &body);
  } catch (const Exception&) {
    // Every failure the client can meet is one of its exceptions.
  }
  const TNetURI uri(input.substr(0, 512));
  TNetURI::NormalizePath(uri.Path);
  ParseInternetDate(input.substr(0, 64));
  return 0;
}
