// Replays the saved signature corpus through its fuzz target, so that every
// input that once found a fault stays a test.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace quonel::testing {
namespace {

TEST(ReleaseSignatureCorpus, EverySavedInputRunsCleanly) {
  const std::filesystem::path corpus = std::filesystem::path(SourceDir()) / "tests/net/corpus/release_signature";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string bytes = ReadTextFile(entry.path().string());
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    ++count;
  }
  EXPECT_GE(count, 4);
}

}  // namespace
}  // namespace quonel::testing
