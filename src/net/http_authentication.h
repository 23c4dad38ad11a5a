// Authorisation values for the "Authorization" header. The wizard assigns no
// handlers; Basic is the one scheme built.
#pragma once
#include <string>

namespace quonel {

class TNetAuthentication {
 public:
  virtual ~TNetAuthentication() = default;
  // The header value, e.g. "Basic dXNlcjpwYXNz".
  virtual std::string Authentication() const = 0;
  virtual void Reset() {}
  std::string Username, Password;
};

class TNetBasicAuthentication : public TNetAuthentication {
 public:
  std::string Authentication() const override;
};

std::string EncodeBase64(const std::string& bytes);

}  // namespace quonel
