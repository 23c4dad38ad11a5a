// Reading the header lines of a transfer's answers, and the requests it sends.
#include "net/download_requests.h"
#include "net/download_response.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

TEST(DownloadRequests, HeadAndGetAreByteForByte) {
  EXPECT_EQ(
      "HEAD /up/a.dat HTTP/1.1\r\n"
      "Pragma: no-cache\r\n"
      "Cache-Control: no-cache\r\n"
      "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)\r\n"
      "Host: srv:8080\r\n"
      "\r\n",
      BuildHeadRequest("up/a.dat", "srv:8080"));
  EXPECT_EQ(
      "GET /up/a.dat HTTP/1.1\r\n"
      "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
      "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)\r\n"
      "RANGE: bytes=3000000000-\r\n"
      "Host: srv\r\n"
      "\r\n",
      BuildGetRequest("up/a.dat", "srv", 3000000000LL));
}

TEST(DownloadResponse, ContentLengthCountsOnlyWithItsBlankInAnyCase) {
  ResponseHeaders headers;
  EXPECT_EQ(HeaderLine::ContentLength, ApplyHeaderLine("content-length: 12\r\n", headers));
  EXPECT_EQ(12, headers.contentLength.value_or(-1));
  EXPECT_EQ(HeaderLine::Other, ApplyHeaderLine("Content-Length:34\r\n", headers));
  EXPECT_EQ(12, headers.contentLength.value_or(-1));
  // Blanks and control characters around the value go; a later line wins.
  EXPECT_EQ(HeaderLine::ContentLength, ApplyHeaderLine("CONTENT-LENGTH: \t 3000000000 \r\n", headers));
  EXPECT_EQ(3000000000LL, headers.contentLength.value_or(-1));
}

TEST(DownloadResponse, ContentLengthThatIsNoNumberIsAnError) {
  for (const char* line : {"Content-Length: 12a\r\n", "Content-Length: -5\r\n", "Content-Length: \r\n",
                           "Content-Length: 99999999999999999999\r\n", "Content-Length: 1 2\r\n"}) {
    ResponseHeaders headers;
    EXPECT_EQ(HeaderLine::BadContentLength, ApplyHeaderLine(line, headers)) << line;
  }
}

TEST(DownloadResponse, BlockEndsOnlyAtAnEmptyLine) {
  ResponseHeaders headers;
  EXPECT_EQ(HeaderLine::EndOfBlock, ApplyHeaderLine("\r\n", headers));
  EXPECT_EQ(HeaderLine::Other, ApplyHeaderLine("HTTP/1.1 206 Partial Content\r\n", headers));
  EXPECT_EQ(HeaderLine::Other, ApplyHeaderLine(" \r\n", headers));
}

TEST(DownloadResponse, ContentRangeLineIsSeenAndItsValueRead) {
  ResponseHeaders headers;
  EXPECT_EQ(HeaderLine::ContentRange, ApplyHeaderLine("content-range:bytes 1000-4999/5000\r\n", headers));
  ASSERT_TRUE(headers.hasContentRange);
  ASSERT_TRUE(headers.range);
  EXPECT_FALSE(headers.range->unsatisfied);
  EXPECT_EQ(1000, headers.range->first);
  EXPECT_EQ(4999, headers.range->last);
  EXPECT_EQ(5000, headers.range->full.value_or(-1));

  ResponseHeaders unsatisfied;
  ApplyHeaderLine("Content-Range: bytes */2147483648\r\n", unsatisfied);
  ASSERT_TRUE(unsatisfied.range);
  EXPECT_TRUE(unsatisfied.range->unsatisfied);
  EXPECT_EQ(2147483648LL, unsatisfied.range->full.value_or(-1));

  const auto unknownFull = ParseContentRange("bytes 0-9/*");
  ASSERT_TRUE(unknownFull);
  EXPECT_FALSE(unknownFull->full);
}

TEST(DownloadResponse, MalformedContentRangeStillSetsTheFlagButHasNoValue) {
  for (const char* value : {"bytes 10-5/100", "bytes 0-100/100", "bytes */*", "items 0-9/10",
                            "bytes 0-9", "bytes a-9/10", "bytes=0-9/10", ""}) {
    ResponseHeaders headers;
    ApplyHeaderLine(std::string("Content-Range: ") + value + "\r\n", headers);
    EXPECT_TRUE(headers.hasContentRange) << value;
    EXPECT_FALSE(headers.range) << value;
  }
}

}  // namespace
}  // namespace quonel
