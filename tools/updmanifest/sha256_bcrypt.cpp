#include "core/exception.h"
#include "core/sha256_digest.h"
#include "sha256.h"

#include <stdexcept>

namespace quonel::updmanifest {

// The wizard's own CNG digest; the tool reports failures as std::runtime_error.
struct Sha256::State {
  TSha256 digest;
};

Sha256::Sha256() {
  try {
    state_ = std::make_unique<State>();
  } catch (const Exception&) {
    throw std::runtime_error("the platform offers no SHA-256");
  }
}

Sha256::~Sha256() = default;

void Sha256::Update(const void* data, size_t size) {
  try {
    state_->digest.Update(data, size);
  } catch (const Exception&) {
    throw std::runtime_error("SHA-256 failed");
  }
}

std::array<uint8_t, 32> Sha256::Finish() {
  try {
    return state_->digest.Finish();
  } catch (const Exception&) {
    throw std::runtime_error("SHA-256 failed");
  }
}

}  // namespace quonel::updmanifest
