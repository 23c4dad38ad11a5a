#include "app/digest_follower.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/sha256_digest.h"
#include "core/exception.h"

namespace quonel {
namespace {

const int64_t kBlock = 1 << 20;

}  // namespace

TDigestFollower::TDigestFollower(std::wstring path) : path_(std::move(path)), worker_([this] { Work(); }) {}

TDigestFollower::~TDigestFollower() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void TDigestFollower::Grew(int64_t size) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (size < available_) ++generation_;
    available_ = size;
    stalled_ = false;
  }
  changed_.notify_all();
}

std::optional<Sha256Digest> TDigestFollower::Finish(int64_t size) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (size != available_) {
    if (size < available_) ++generation_;
    available_ = size;
  }
  finishAt_ = size;
  stalled_ = false;
  changed_.notify_all();
  changed_.wait(lock, [&] { return failed_ || digestSize_ == size; });
  finishAt_ = -1;
  return failed_ ? std::nullopt : digest_;
}

void TDigestFollower::Work() {
  std::vector<unsigned char> block(kBlock);
  std::unique_ptr<TSha256> sha;
  uint64_t generation = ~0ull;
  HANDLE file = INVALID_HANDLE_VALUE;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] {
      return stopping_ || generation != generation_ || (!stalled_ && hashed_ < available_) ||
             (finishAt_ >= 0 && digestSize_ != finishAt_ && !stalled_);
    });
    if (stopping_) break;
    if (generation != generation_) {
      generation = generation_;
      hashed_ = 0;
      digestSize_ = -1;
      sha.reset();
    }
    try {
      if (!sha) sha = std::make_unique<TSha256>();
      if (hashed_ < available_) {
        const int64_t at = hashed_, count = std::min(kBlock, available_ - hashed_);
        lock.unlock();
        if (file == INVALID_HANDLE_VALUE)
          file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD read = 0;
        const bool ok = file != INVALID_HANDLE_VALUE &&
                        ReadFile(file, block.data(), static_cast<DWORD>(count), &read, &where) && read == count;
        lock.lock();
        // A restart while the block was read makes it belong to the old
        // copy, and may have cut the read short.
        if (generation != generation_) continue;
        if (!ok) {
          // The transfer may have emptied the copy and not said so yet: wait
          // for its next word, unless the digest is already asked for.
          if (finishAt_ >= 0) throw Exception(L"the staged copy cannot be read");
          stalled_ = true;
          continue;
        }
        sha->Update(block.data(), read);
        hashed_ += read;
      }
      if (finishAt_ >= 0 && hashed_ == finishAt_ && digestSize_ != finishAt_) {
        digest_ = sha->Finish();
        digestSize_ = hashed_;
        sha.reset();
        changed_.notify_all();
      }
    } catch (const Exception&) {
      failed_ = true;
      changed_.notify_all();
      break;
    }
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace quonel
