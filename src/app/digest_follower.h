// Hashes a staged copy while it is being downloaded: a worker thread reads
// the copy from disk behind the transfer and feeds the platform's SHA-256,
// so that the check after the last block costs only the last blocks, not a
// second pass over the whole file.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/expected_content.h"

namespace quonel {

class TDigestFollower {
 public:
  explicit TDigestFollower(std::wstring path);
  ~TDigestFollower();
  TDigestFollower(const TDigestFollower&) = delete;
  TDigestFollower& operator=(const TDigestFollower&) = delete;

  // The copy now holds size bytes; a size below what was seen means it
  // started again from zero.
  void Grew(int64_t size);
  // The digest of the copy's first size bytes, once the worker has read
  // them; absent when the copy could not be read.
  std::optional<Sha256Digest> Finish(int64_t size);

 private:
  void Work();

  const std::wstring path_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int64_t available_ = 0;    // bytes the transfer has written
  int64_t hashed_ = 0;       // bytes the worker has fed to the digest
  uint64_t generation_ = 0;  // counts the restarts from zero
  bool failed_ = false;
  bool stalled_ = false;     // a read fell short; waits for the transfer's next word
  bool stopping_ = false;
  std::optional<Sha256Digest> digest_;
  int64_t digestSize_ = -1;  // the size digest_ belongs to
  int64_t finishAt_ = -1;    // Finish asks for the digest at this size
  std::thread worker_;
};

}  // namespace quonel
