// A byte source for the parser tests: hands out prepared pieces one read at
// a time, then a time-out or the end of the stream.
#pragma once
#include <cstring>
#include <deque>
#include <string>

#include "net/http_exceptions.h"
#include "net/http_line_reader.h"

namespace quonel::testing {

class ScriptedByteSource : public NetByteSource {
 public:
  // Each piece arrives with one read; kTimeout makes that read time out.
  static constexpr const char* kTimeout = "\x01<timeout>";
  ScriptedByteSource& Then(std::string piece) {
    pieces_.push_back(std::move(piece));
    return *this;
  }
  // After the last piece: true = the peer closes, false = silence (time-out).
  bool closesAtEnd = true;
  int reads = 0;
  int lastTimeout = -2;

  size_t Receive(char* buffer, size_t capacity, int timeoutMs) override {
    ++reads;
    lastTimeout = timeoutMs;
    if (pieces_.empty()) {
      if (closesAtEnd) return 0;
      throw ENetReadTimeout(L"Read Timeout");
    }
    std::string& piece = pieces_.front();
    if (piece == kTimeout) {
      pieces_.pop_front();
      throw ENetReadTimeout(L"Read Timeout");
    }
    const size_t n = std::min(capacity, piece.size());
    std::memcpy(buffer, piece.data(), n);
    piece.erase(0, n);
    if (piece.empty()) pieces_.pop_front();
    return n;
  }

 private:
  std::deque<std::string> pieces_;
};

}  // namespace quonel::testing
