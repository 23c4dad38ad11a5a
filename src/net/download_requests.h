// The two requests of a resumable transfer, byte for byte: a HEAD for the
// full length and a GET whose range starts at the staged copy's size.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

// urlPath and urlHost are the ANSI bytes of the address parts.
std::string BuildHeadRequest(const std::string& urlPath, const std::string& urlHost);
std::string BuildGetRequest(const std::string& urlPath, const std::string& urlHost, int64_t startPos);

}  // namespace quonel
