// The two requests of a resumable transfer, byte for byte: a HEAD for the
// full length and a GET whose range starts at the staged copy's size.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

// urlPath and urlHost are the ANSI bytes of the address parts.
std::string BuildHeadRequest(const std::string& urlPath, const std::string& urlHost);
// A non-empty ifRange adds an "If-Range:" line: a server whose file no
// longer matches it answers the whole file instead of the range.
std::string BuildGetRequest(const std::string& urlPath, const std::string& urlHost, int64_t startPos,
                            const std::string& ifRange = {});

}  // namespace quonel
