#include "net/download_requests.h"

namespace quonel {
namespace {

const char kUserAgent[] =
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)\r\n";

}  // namespace

std::string BuildHeadRequest(const std::string& urlPath, const std::string& urlHost) {
  return "HEAD /" + urlPath + " HTTP/1.1\r\n" +
         "Pragma: no-cache\r\n"
         "Cache-Control: no-cache\r\n" +
         kUserAgent + "Host: " + urlHost + "\r\n\r\n";
}

std::string BuildGetRequest(const std::string& urlPath, const std::string& urlHost, int64_t startPos,
                            const std::string& ifRange) {
  return "GET /" + urlPath + " HTTP/1.1\r\n" +
         "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n" + kUserAgent +
         "RANGE: bytes=" + std::to_string(startPos) + "-\r\n" +
         (ifRange.empty() ? std::string() : "If-Range: " + ifRange + "\r\n") + "Host: " + urlHost + "\r\n\r\n";
}

}  // namespace quonel
