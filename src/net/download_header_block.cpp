#include "net/download_header_block.h"

#include <string>

#include "core/exception.h"

namespace quonel {
namespace {

const size_t kMaxHeaderLine = 16384;
const size_t kMaxHeaderBlock = 65536;

// Where the block ends in pending + more: just after the first line that is
// empty. pending is the start of a line whose end has not come yet.
size_t BlockEnd(const std::string& pending, const char* more, size_t count) {
  const std::string text = pending + std::string(more, count);
  for (size_t at = 0;;) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) return std::string::npos;
    if (end == at) return end + 2;
    at = end + 2;
  }
}

}  // namespace

bool ReadDownloadHeaderBlock(TCustomWinSocket& connection, ResponseHeaders& headers) {
  std::string pending;  // a line begun but not ended
  std::string look(kMaxHeaderBlock, '\0');
  size_t taken = 0;
  while (taken < kMaxHeaderBlock) {
    const int seen = connection.PeekBytes(look.data(), static_cast<int>(kMaxHeaderBlock - taken));
    if (seen <= 0) return false;
    const size_t end = BlockEnd(pending, look.data(), static_cast<size_t>(seen));
    const size_t wanted = end == std::string::npos ? static_cast<size_t>(seen) : end - pending.size();
    // The looked-at bytes are waiting, so this takes them without a wait.
    const int got = connection.ReceiveBytes(look.data(), static_cast<int>(wanted));
    if (got <= 0) return false;
    taken += static_cast<size_t>(got);
    pending.append(look.data(), static_cast<size_t>(got));
    for (size_t lineEnd; (lineEnd = pending.find("\r\n")) != std::string::npos;) {
      if (lineEnd + 2 > kMaxHeaderLine) return false;
      const std::string line = pending.substr(0, lineEnd + 2);
      pending.erase(0, lineEnd + 2);
      switch (ApplyHeaderLine(line, headers)) {
        case HeaderLine::EndOfBlock: return true;
        case HeaderLine::BadContentLength: throw Exception(L"Content-Length is not a number");
        default: break;
      }
    }
    if (pending.size() > kMaxHeaderLine) return false;
  }
  return false;
}

}  // namespace quonel
