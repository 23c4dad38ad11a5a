// Line reading and body reading over a scripted byte source.
#include <gtest/gtest.h>

#include "net/http_body.h"
#include "net/http_exceptions.h"
#include "net/http_stream.h"
#include "net/scripted_byte_source.h"

namespace quonel {
namespace {

using testing::ScriptedByteSource;

TEST(NetInputBuffer, LinesEndAtLfAndLoseOneCr) {
  ScriptedByteSource source;
  source.Then("one\r\ntw").Then("o\n\r\r\nlast");
  NetInputBuffer input(source);
  EXPECT_EQ("one", input.ReadLn());
  EXPECT_EQ("two", input.ReadLn());
  EXPECT_EQ("\r", input.ReadLn());
  // The peer closed without the last LF.
  try {
    input.ReadLn();
    FAIL();
  } catch (const ENetConnClosedGracefully& e) {
    EXPECT_EQ(L"Connection Closed Gracefully.", e.Message());
  }
  EXPECT_TRUE(input.PeerClosed());
}

// When a read moves the unread bytes to the front of the buffer (everything
// before them was consumed), a line begun before that read must still be
// found whole: after a consumed response, and after many consumed lines.
TEST(NetInputBuffer, ALineSpanningAReadThatCompactsTheBufferIsFoundWhole) {
  ScriptedByteSource source;
  source.closesAtEnd = false;
  source.Then("HTTP/1.1 200 OK\r\n").Then("next line\r\n");
  NetInputBuffer input(source);
  EXPECT_EQ("HTTP/1.1 200 OK", input.ReadLn());
  EXPECT_EQ("next line", input.ReadLn());

  ScriptedByteSource many;
  many.closesAtEnd = false;
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "abcdefghijklmn\r\n";
  many.Then(lines + "par").Then("tial\r\n");
  NetInputBuffer second(many);
  second.RecvBufferSize = 100000;
  for (int i = 0; i < 5000; ++i) ASSERT_EQ("abcdefghijklmn", second.ReadLn());
  EXPECT_EQ("partial", second.ReadLn());
}

TEST(NetInputBuffer, EachWaitHasTheReadTimeout) {
  ScriptedByteSource source;
  source.closesAtEnd = false;
  source.Then("partial");
  NetInputBuffer input(source);
  input.ReadTimeout = 250;
  try {
    input.ReadLn();
    FAIL();
  } catch (const ENetReadTimeout& e) {
    EXPECT_EQ(L"Read Timeout", e.Message());
  }
  EXPECT_EQ(250, source.lastTimeout);
  EXPECT_EQ(7u, input.Buffered());  // what arrived is kept
}

TEST(NetInputBuffer, MaxLineLength) {
  const std::string exact(16384, 'a');
  ScriptedByteSource fits;
  fits.Then(exact + "\r\n");
  NetInputBuffer input(fits);
  EXPECT_EQ(exact, input.ReadLn());

  ScriptedByteSource tooLong;
  tooLong.closesAtEnd = false;  // the limit must strike without waiting for an LF
  tooLong.Then(exact + "b");
  tooLong.Then(std::string(40000, 'c'));
  NetInputBuffer limited(tooLong);
  try {
    limited.ReadLn();
    FAIL();
  } catch (const ENetReadLnMaxLineLengthExceeded& e) {
    EXPECT_EQ(L"Max line length exceeded.", e.Message());
  }

  ScriptedByteSource split;
  split.Then("abcdefgh\n");
  NetInputBuffer splitting(split);
  splitting.MaxLineLength = 5;
  splitting.MaxLineAction = maSplit;
  EXPECT_EQ("abcde", splitting.ReadLn());
  EXPECT_EQ("fgh", splitting.ReadLn());
}

TEST(NetChunkSize, ExtensionsBlanksAndOverflow) {
  EXPECT_EQ(0x1Au, ParseChunkSize("1a"));
  EXPECT_EQ(0x1Au, ParseChunkSize("1A;name=value"));
  EXPECT_EQ(0x10u, ParseChunkSize("10 ; ext"));
  EXPECT_EQ(0u, ParseChunkSize("zz"));
  EXPECT_EQ(0u, ParseChunkSize(""));
  EXPECT_EQ(0xFFFFFFFFu, ParseChunkSize("FFFFFFFF"));  // not -1
  EXPECT_EQ(UINT64_MAX, ParseChunkSize("123456789abcdef0123"));
}

struct BodyRead {
  std::string body;
  std::string rest;  // what stays for the next response
};

BodyRead ReadBody(ScriptedByteSource& source, std::initializer_list<const char*> headers) {
  TNetHTTPResponse response;
  for (const char* line : headers) response.HeaderLines.Add(line);
  response.ProcessHeaders();
  NetInputBuffer input(source);
  TNetMemoryStream stream;
  ReadResponseBody(input, response, &stream);
  BodyRead result{stream.Bytes(), ""};
  input.ReadBytes(nullptr, 0);
  TNetMemoryStream rest;
  input.ReadUntilClose(&rest);
  result.rest = rest.Bytes();
  return result;
}

TEST(NetBody, CountedBodyStopsAtItsLength) {
  ScriptedByteSource source;
  source.Then("0123456789NEXT");
  const BodyRead read = ReadBody(source, {"Content-Length: 10"});
  EXPECT_EQ("0123456789", read.body);
  EXPECT_EQ("NEXT", read.rest);
}

TEST(NetBody, ShortCountedBodyKeepsWhatArrived) {
  ScriptedByteSource source;
  source.Then(std::string(600, 'x'));
  EXPECT_EQ(std::string(600, 'x'), ReadBody(source, {"Content-Length: 1000"}).body);
}

TEST(NetBody, ChunkedWithExtensionsAndTrailer) {
  ScriptedByteSource source;
  source.Then("5;name=value\r\nhello\r\n6 \r\n world\r\n0;last\r\nX-Trailer: 1\r\n\r\nNEXT");
  const BodyRead read = ReadBody(source, {"Transfer-Encoding: chunked"});
  EXPECT_EQ("hello world", read.body);
  EXPECT_EQ("NEXT", read.rest);
}

TEST(NetBody, HugeChunkSizeReadsOnlyWhatThePeerSends) {
  ScriptedByteSource source;
  source.Then("7FFFFFFFFFFFFFFF\r\nonly this");
  TNetHTTPResponse response;
  response.HeaderLines.Add("Transfer-Encoding: chunked");
  response.ProcessHeaders();
  NetInputBuffer input(source);
  TNetMemoryStream stream;
  // The peer closed inside the chunk: that is an error, and what came stays.
  EXPECT_THROW(ReadResponseBody(input, response, &stream), ENetConnClosedGracefully);
  EXPECT_EQ("only this", stream.Bytes());
}

TEST(NetBody, UntilCloseOrTimeout) {
  ScriptedByteSource closing;
  closing.Then("abc").Then("def");
  EXPECT_EQ("abcdef", ReadBody(closing, {}).body);

  ScriptedByteSource silent;
  silent.closesAtEnd = false;
  silent.Then("abc");
  TNetHTTPResponse response;
  NetInputBuffer input(silent);
  TNetMemoryStream stream;
  EXPECT_THROW(ReadResponseBody(input, response, &stream), ENetReadTimeout);
  EXPECT_EQ("abc", stream.Bytes());
}

TEST(NetBody, ZeroLengthReadsNothingAndStreamIsCutToItsPosition) {
  ScriptedByteSource source;
  source.Then("NEXT");
  EXPECT_EQ("NEXT", ReadBody(source, {"Content-Length: 0"}).rest);

  ScriptedByteSource shortBody;
  shortBody.Then("new");
  TNetHTTPResponse response;
  response.HeaderLines.Add("Content-Length: 10");
  response.ProcessHeaders();
  NetInputBuffer input(shortBody);
  TNetMemoryStream stream(std::string("old bytes here"));
  ReadResponseBody(input, response, &stream);
  EXPECT_EQ("new", stream.Bytes());
}

}  // namespace
}  // namespace quonel
