#include "net/download_plan.h"

#include <algorithm>

namespace quonel {

DownloadPlan::DownloadPlan(std::optional<int64_t> headTotal, int64_t startPos,
                           const ResponseHeaders& get) {
  const std::optional<ContentRange>& range = get.range;
  mayAppend_ = get.hasContentRange && range && !range->unsatisfied && range->first == startPos;
  if (mayAppend_) {
    const int64_t span = range->last - range->first + 1;
    body_ = get.contentLength ? std::min(*get.contentLength, span) : span;
  } else {
    body_ = get.contentLength;
  }
  if (headTotal) {
    full_ = headTotal;
  } else if (range && range->full) {
    full_ = range->full;
  } else if (mayAppend_ && get.contentLength) {
    full_ = startPos + *get.contentLength;
  }
}

bool DownloadPlan::LengthsAgree(std::optional<int64_t> headTotal, const ResponseHeaders& get) {
  if (!headTotal) return true;
  const std::optional<ContentRange>& range = get.range;
  if (!range) return true;
  if (range->full) return *range->full == *headTotal;
  return range->unsatisfied || range->last < *headTotal;
}

DownloadPlan::Step DownloadPlan::Next(int64_t stagedSize, int64_t received) const {
  if (full_ && stagedSize >= *full_) return Step::Complete;
  if (!mayAppend_) return Step::NotAppendable;
  if (body_ && received >= *body_) return Step::BodyDelivered;
  return Step::Receive;
}

int64_t DownloadPlan::BytesToKeep(int64_t stagedSize, int64_t received, int64_t blockBytes) const {
  int64_t keep = blockBytes;
  if (body_) keep = std::min(keep, *body_ - received);
  if (full_) keep = std::min(keep, *full_ - stagedSize);
  return std::max<int64_t>(keep, 0);
}

}  // namespace quonel
