// Tells code that called out of an object (into a window's own handling, a
// menu or tracking loop) whether the object was freed meanwhile: Observe()
// before the call, ask the watch after it.
#pragma once
#include <memory>

namespace quonel {

class TLiveness {
 public:
  class Watch {
   public:
    bool Alive() const { return !flag_.expired(); }

   private:
    friend class TLiveness;
    explicit Watch(std::weak_ptr<const bool> flag) : flag_(std::move(flag)) {}
    std::weak_ptr<const bool> flag_;
  };

  TLiveness() = default;
  TLiveness(const TLiveness&) = delete;
  TLiveness& operator=(const TLiveness&) = delete;

  Watch Observe() const { return Watch(flag_); }

 private:
  // Expires with its owner.
  std::shared_ptr<const bool> flag_ = std::make_shared<const bool>(true);
};

}  // namespace quonel
