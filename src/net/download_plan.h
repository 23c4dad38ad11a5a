// The decisions of one transfer's body, taken from the HEAD's length, the
// resume offset and the GET answer's headers: when the staged copy is
// complete, whether this answer may be appended at all, and how many bytes of
// a received block belong to the copy. A copy is declared complete only when
// its full length is known and reached.
#pragma once
#include <cstdint>
#include <optional>

#include "net/download_response.h"

namespace quonel {

class DownloadPlan {
 public:
  enum class Step {
    Complete,       // the staged copy has the full length
    NotAppendable,  // no range at StartPos: nothing of this answer is written
    BodyDelivered,  // the answer sent all it promised, the copy is still short
    Receive,        // read the next block
  };

  // headTotal: the HEAD's Content-Length, absent when it had none.
  DownloadPlan(std::optional<int64_t> headTotal, int64_t startPos, const ResponseHeaders& get);

  // The remote file's size: the HEAD's length, else the length after "/" in
  // Content-Range, else StartPos + the GET's Content-Length.
  std::optional<int64_t> FullLength() const { return full_; }
  // What this answer promises to send; absent when it does not say.
  std::optional<int64_t> BodyLength() const { return body_; }
  // Only a range that starts at StartPos continues the staged copy.
  bool MayAppend() const { return mayAppend_; }

  // Whether the GET answer's lengths fit the HEAD's: its Content-Range total
  // is the HEAD's length, and it sends nothing beyond it. A HEAD without a
  // length fits any answer.
  static bool LengthsAgree(std::optional<int64_t> headTotal, const ResponseHeaders& get);
  // Only a 200 answer to the HEAD says how long the file is: an error page's
  // length is not the file's.
  static bool HeadAnswered(const ResponseHeaders& head) { return head.status == 200; }

  Step Next(int64_t stagedSize, int64_t received) const;
  // The part of a received block that belongs to the copy: never beyond what
  // the answer promised, never beyond the full length.
  int64_t BytesToKeep(int64_t stagedSize, int64_t received, int64_t blockBytes) const;

 private:
  std::optional<int64_t> full_;
  std::optional<int64_t> body_;
  bool mayAppend_ = false;
};

}  // namespace quonel
