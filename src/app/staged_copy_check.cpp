#include "app/staged_copy_check.h"

#include <windows.h>

#include "app/digest_follower.h"
#include "app/file_size.h"
#include "core/sha256_digest.h"
#include "net/staged_copy_record.h"

namespace quonel {
namespace {

CopyVerdict Failed(const std::wstring& check) { return {false, check, -1}; }

}  // namespace

CopyVerdict VerifyStagedCopy(const std::wstring& stagedPath, const ExpectedContent& expected,
                             const std::string& release, TDigestFollower* follower) {
  const int64_t size = FileSize(stagedPath);
  if (size < 0) return Failed(L"文件不存在");
  const std::optional<StagedCopyRecord> record = LoadStagedCopyRecord(stagedPath);
  if (!record || record->release != release) return Failed(L"不是本次清单所列版本的副本");
  if (expected.size) {
    if (size != *expected.size)
      return Failed(L"大小不符（应为 " + std::to_wstring(*expected.size) + L" 字节，实为 " + std::to_wstring(size) +
                    L" 字节）");
  } else if (record->size < 0 || size != record->size) {
    return Failed(L"大小与服务器所示不符");
  }
  if (expected.sha256) {
    const std::optional<Sha256Digest> digest = follower ? follower->Finish(size) : Sha256OfFile(stagedPath);
    if (!digest) return Failed(L"无法读取以计算 SHA-256");
    if (*digest != *expected.sha256) return Failed(L"SHA-256 校验值不符");
  }
  return {true, {}, size};
}

}  // namespace quonel
