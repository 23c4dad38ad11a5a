// Keeps the progress display from limiting a transfer: the numbers change
// after every block, but the window is painted at most once per interval,
// and the last numbers are painted when the transfer ends.
#pragma once
#include <cstdint>

namespace quonel {

class RepaintThrottle {
 public:
  explicit RepaintThrottle(uint64_t intervalMs = 33) : intervalMs_(intervalMs) {}

  // The numbers changed at nowMs (a monotonic clock); true: paint now.
  bool Changed(uint64_t nowMs) {
    if (painted_ && nowMs - lastPaintMs_ < intervalMs_) {
      pending_ = true;
      return false;
    }
    painted_ = true;
    pending_ = false;
    lastPaintMs_ = nowMs;
    return true;
  }
  // Numbers changed since the last paint: the final paint is still owed.
  bool FinalPaintPending() const { return pending_; }

 private:
  uint64_t intervalMs_;
  uint64_t lastPaintMs_ = 0;
  bool painted_ = false;
  bool pending_ = false;
};

}  // namespace quonel
