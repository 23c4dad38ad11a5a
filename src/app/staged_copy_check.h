// Whether a downloaded staged copy is the complete file of this run's
// release: the manifest's size and digest when it gives them, otherwise the
// length recorded from the server for this very release.
#pragma once
#include <cstdint>
#include <string>

#include "app/expected_content.h"

namespace quonel {

struct CopyVerdict {
  bool verified = false;
  std::wstring failedCheck;  // which check failed, for the log
  int64_t size = -1;         // the copy's size when verified
};

class TDigestFollower;

// release is the ReleaseDescription the transfer recorded for the copy. A
// follower that hashed the copy during its transfer spares reading it again.
CopyVerdict VerifyStagedCopy(const std::wstring& stagedPath, const ExpectedContent& expected,
                             const std::string& release, TDigestFollower* follower = nullptr);

}  // namespace quonel
