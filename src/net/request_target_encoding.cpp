#include "net/request_target_encoding.h"

#include <cstring>

namespace quonel {
namespace {

bool StaysAsItIs(unsigned char byte) {
  if (byte <= 0x20 || byte >= 0x7F) return false;
  return std::strchr("%\"#<>^`{|}", byte) == nullptr;
}

}  // namespace

std::string PercentEncodeTarget(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string target;
  target.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (StaysAsItIs(byte)) {
      target += c;
    } else {
      target += '%';
      target += kHex[byte >> 4];
      target += kHex[byte & 0x0F];
    }
  }
  return target;
}

}  // namespace quonel
