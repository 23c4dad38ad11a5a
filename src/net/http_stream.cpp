#include "net/http_stream.h"

#include <algorithm>
#include <cstring>

#include "net/http_exceptions.h"

namespace quonel {

void TNetMemoryStream::Seek(int64_t position) { position_ = std::clamp<int64_t>(position, 0, Size()); }

void TNetMemoryStream::Write(const char* data, size_t count) {
  const size_t at = static_cast<size_t>(position_);
  if (at + count > bytes_.size()) bytes_.resize(at + count);
  std::memcpy(bytes_.data() + at, data, count);
  position_ += static_cast<int64_t>(count);
}

size_t TNetMemoryStream::Read(char* data, size_t count) {
  const size_t at = static_cast<size_t>(position_);
  const size_t n = std::min(count, bytes_.size() - at);
  std::memcpy(data, bytes_.data() + at, n);
  position_ += static_cast<int64_t>(n);
  return n;
}

void TNetMemoryStream::SetSize(int64_t size) {
  bytes_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
  position_ = std::min(position_, Size());
}

void TNetMemoryStream::Reserve(int64_t size) {
  if (size > 0) bytes_.reserve(static_cast<size_t>(size));
}

void TNetLimitedStream::Write(const char* data, size_t count) {
  if (inner_.Position() + static_cast<int64_t>(count) > limit_)
    throw ENetBodyTooLong(L"The body is longer than " + std::to_wstring(limit_) + L" bytes");
  inner_.Write(data, count);
}

}  // namespace quonel
