#include <openssl/evp.h>

#include <stdexcept>

#include "sha256.h"

namespace quonel::updmanifest {

struct Sha256::State {
  struct ContextDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
  };
  std::unique_ptr<EVP_MD_CTX, ContextDeleter> context{EVP_MD_CTX_new()};
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  if (!state_->context || EVP_DigestInit_ex(state_->context.get(), EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("OpenSSL offers no SHA-256");
}

Sha256::~Sha256() = default;

void Sha256::Update(const void* data, size_t size) {
  if (size > 0 && EVP_DigestUpdate(state_->context.get(), data, size) != 1)
    throw std::runtime_error("SHA-256 failed");
}

std::array<uint8_t, 32> Sha256::Finish() {
  std::array<uint8_t, 32> digest{};
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(state_->context.get(), digest.data(), &length) != 1 || length != digest.size())
    throw std::runtime_error("SHA-256 failed");
  return digest;
}

}  // namespace quonel::updmanifest
