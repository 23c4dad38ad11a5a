// Replays a saved fuzz corpus through its fuzz target, so that every input
// that once found a fault stays a test. The build names the corpus (below
// the source tree) and how many inputs it holds at least, so that a corpus
// that went missing fails instead of passing empty.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace quonel::testing {
namespace {

TEST(FuzzCorpus, EverySavedInputRunsCleanly) {
  const std::filesystem::path corpus = std::filesystem::path(SourceDir()) / QUONEL_FUZZ_CORPUS;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string bytes = ReadTextFile(entry.path().string());
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    ++count;
  }
  EXPECT_GE(count, QUONEL_FUZZ_CORPUS_MIN);
}

}  // namespace
}  // namespace quonel::testing
