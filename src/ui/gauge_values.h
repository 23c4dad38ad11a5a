// The progress gauge's numbers, apart from its drawing: limits that keep the
// progress inside them, and the percentage and filled length it shows. The
// limits are 32-bit so that the products below cannot overflow.
#pragma once
#include <cstdint>

namespace quonel {

class GaugeValues {
 public:
  int64_t Min() const { return min_; }
  int64_t Max() const { return max_; }
  int64_t Progress() const { return progress_; }

  // A minimum above the maximum (or the reverse) drags the other limit along,
  // so that the range is never empty-by-inversion; the progress is clamped.
  void SetMin(int32_t value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
    Clamp();
  }
  void SetMax(int32_t value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
    Clamp();
  }
  void SetProgress(int32_t value) {
    progress_ = value;
    Clamp();
  }
  // Percentage done, truncated; 0 for an empty range.
  int Percent() const {
    return max_ == min_ ? 0 : static_cast<int>((progress_ - min_) * 100 / (max_ - min_));
  }
  // Pixels of a bar `length` long that show the progress.
  int FilledLength(int length) const {
    return max_ == min_ || length <= 0 ? 0 : static_cast<int>((progress_ - min_) * length / (max_ - min_));
  }

 private:
  void Clamp() {
    if (progress_ < min_) progress_ = min_;
    if (progress_ > max_) progress_ = max_;
  }
  int64_t min_ = 0;
  int64_t max_ = 100;
  int64_t progress_ = 0;
};

}  // namespace quonel
