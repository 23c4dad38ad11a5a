// The byte streams the HTTP client writes a body into and sends a source
// from. Streams handed in by a caller are never owned by the client.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

class TNetStream {
 public:
  virtual ~TNetStream() = default;
  virtual int64_t Position() const = 0;
  virtual int64_t Size() const = 0;
  virtual void Seek(int64_t position) = 0;
  // Writes at the position, growing the stream as needed.
  virtual void Write(const char* data, size_t count) = 0;
  virtual size_t Read(char* data, size_t count) = 0;
  // Cuts or grows the stream; the position stays within it.
  virtual void SetSize(int64_t size) = 0;
  // A hint that about this many bytes will follow.
  virtual void Reserve(int64_t) {}
};

class TNetMemoryStream : public TNetStream {
 public:
  TNetMemoryStream() = default;
  explicit TNetMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}
  int64_t Position() const override { return position_; }
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  void Seek(int64_t position) override;
  void Write(const char* data, size_t count) override;
  size_t Read(char* data, size_t count) override;
  void SetSize(int64_t size) override;
  void Reserve(int64_t size) override;
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int64_t position_ = 0;
};

// Passes writes to another stream up to a total of limit bytes and raises
// ENetBodyTooLong at the first write beyond it: a peer's body that would
// grow past what the caller can accept is refused, not kept.
class TNetLimitedStream : public TNetStream {
 public:
  TNetLimitedStream(TNetStream& inner, int64_t limit) : inner_(inner), limit_(limit) {}
  int64_t Position() const override { return inner_.Position(); }
  int64_t Size() const override { return inner_.Size(); }
  void Seek(int64_t position) override { inner_.Seek(position); }
  void Write(const char* data, size_t count) override;
  size_t Read(char* data, size_t count) override { return inner_.Read(data, count); }
  void SetSize(int64_t size) override { inner_.SetSize(size); }
  void Reserve(int64_t size) override { inner_.Reserve(size < limit_ ? size : limit_); }

 private:
  TNetStream& inner_;
  int64_t limit_;
};

}  // namespace quonel
