// The input side of a connection: an abstract byte source and the buffer
// from which lines and counted blocks are cut. Every read has a limit: a
// time limit per wait and a length limit per line.
#pragma once
#include <cstdint>
#include <string>

#include "net/http_headers.h"

namespace quonel {

class TNetStream;

class NetByteSource {
 public:
  virtual ~NetByteSource() = default;
  // Waits at most timeoutMs (0: without limit) for bytes and reads up to
  // capacity of them. Returns the count, 0 when the peer has closed; raises
  // ENetReadTimeout "Read Timeout" when nothing arrived in time.
  virtual size_t Receive(char* buffer, size_t capacity, int timeoutMs) = 0;
};

class NetInputBuffer {
 public:
  explicit NetInputBuffer(NetByteSource& source) : source_(&source) {}

  int ReadTimeout = 0;  // ms, 0 = wait without limit
  int MaxLineLength = 16384;
  TNetMaxLineAction MaxLineAction = maException;
  size_t RecvBufferSize = 32768;

  // One line without its LF and one CR before it.
  std::string ReadLn();
  // Up to count bytes into the stream (or dropped when it is null); stops
  // without an error when the peer closes first. Returns the count read.
  uint64_t ReadBytes(TNetStream* stream, uint64_t count);
  // Everything until the peer closes (or dropped when the stream is null).
  void ReadUntilClose(TNetStream* stream);

  bool PeerClosed() const { return peerClosed_; }
  size_t Buffered() const { return data_.size() - start_; }
  // A new connection starts with an empty buffer.
  void Reset();

 private:
  // Reads more from the source; false when the peer has closed.
  bool Fill(int timeoutMs);
  void Compact();

  NetByteSource* source_;
  std::string data_;
  size_t start_ = 0;  // bytes before start_ are consumed
  bool peerClosed_ = false;
};

}  // namespace quonel
