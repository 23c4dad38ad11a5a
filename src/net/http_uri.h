// A URL split into its parts, the way the HTTP client keeps its target.
#pragma once
#include <string>

namespace quonel {

class TNetURI {
 public:
  TNetURI() = default;
  explicit TNetURI(const std::string& uri) { SetURI(uri); }

  // Replaces every part with those of uri.
  void SetURI(const std::string& uri);
  // protocol://[user:password@]host[:port]path document params[#bookmark];
  // raises ENetURIException without protocol or host.
  std::string GetFullURI() const;
  // Resolves "." and ".." segments; a leading "/" is kept.
  static std::string NormalizePath(const std::string& path);

  std::string Protocol, Host, Port, Path, Document, Params, Bookmark, Username, Password;
};

}  // namespace quonel
