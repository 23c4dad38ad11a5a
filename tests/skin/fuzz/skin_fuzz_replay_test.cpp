// Replays every saved fuzz input, crashes found once included, as an
// ordinary test in both trees.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "support/test_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

TEST(SkinArchiveFuzzReplay, EverySavedInputRunsClean) {
  const std::filesystem::path corpus = quonel::testing::SourceDir() + "/tests/skin/fuzz_corpus";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = quonel::testing::ReadTextFile(entry.path().string());
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
