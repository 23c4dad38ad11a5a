#include "net/http_line_reader.h"

#include <algorithm>

#include "net/http_exceptions.h"
#include "net/http_stream.h"

namespace quonel {

void NetInputBuffer::Reset() {
  data_.clear();
  start_ = 0;
  peerClosed_ = false;
}

void NetInputBuffer::Compact() {
  if (start_ == data_.size()) {
    data_.clear();
    start_ = 0;
  } else if (start_ > 65536 && start_ * 2 > data_.size()) {
    data_.erase(0, start_);
    start_ = 0;
  }
}

bool NetInputBuffer::Fill(int timeoutMs) {
  if (peerClosed_) return false;
  Compact();
  const size_t old = data_.size();
  data_.resize(old + RecvBufferSize);
  size_t got = 0;
  try {
    got = source_->Receive(data_.data() + old, RecvBufferSize, timeoutMs);
  } catch (...) {
    data_.resize(old);
    throw;
  }
  data_.resize(old + got);
  if (got == 0) peerClosed_ = true;
  return got != 0;
}

std::string NetInputBuffer::ReadLn() {
  const size_t limit = static_cast<size_t>(std::max(MaxLineLength, 1));
  size_t searched = start_;
  for (;;) {
    const size_t lf = data_.find('\n', searched);
    size_t end = lf == std::string::npos ? data_.size() : lf;
    if (lf != std::string::npos && end > start_ && data_[end - 1] == '\r') --end;
    // Without an LF the line is too long once it cannot end within the limit
    // (one byte more may still be the CR before the LF).
    const bool tooLong = lf != std::string::npos ? end - start_ > limit : Buffered() > limit + 1;
    if (tooLong) {
      if (MaxLineAction == maException) throw ENetReadLnMaxLineLengthExceeded(L"Max line length exceeded.");
      std::string line = data_.substr(start_, limit);
      start_ += limit;
      return line;
    }
    if (lf != std::string::npos) {
      std::string line = data_.substr(start_, end - start_);
      start_ = lf + 1;
      return line;
    }
    // Filling may move the unread bytes to the front: remember how far they
    // were searched, not where.
    const size_t unreadSearched = data_.size() - start_;
    if (!Fill(ReadTimeout)) throw ENetConnClosedGracefully(L"Connection Closed Gracefully.");
    searched = start_ + unreadSearched;
  }
}

uint64_t NetInputBuffer::ReadBytes(TNetStream* stream, uint64_t count) {
  uint64_t done = 0;
  while (done < count) {
    if (Buffered() == 0 && !Fill(ReadTimeout)) break;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(Buffered(), count - done));
    if (stream) stream->Write(data_.data() + start_, n);
    start_ += n;
    done += n;
  }
  Compact();
  return done;
}

void NetInputBuffer::ReadUntilClose(TNetStream* stream) {
  for (;;) {
    if (Buffered() > 0) {
      if (stream) stream->Write(data_.data() + start_, Buffered());
      start_ = data_.size();
    }
    if (!Fill(ReadTimeout)) return;
  }
}

}  // namespace quonel
