// The TLS record framing on records as servers send them, split anywhere,
// and the saved fuzz corpus replayed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "net/tls_record_framing.h"
#include "support/test_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace quonel::testing {
namespace {

std::string Record(char type, size_t body) {
  std::string record = {type, 3, 3, static_cast<char>(body >> 8), static_cast<char>(body & 0xFF)};
  return record + std::string(body, 'x');
}

TEST(TlsRecordFraming, RecordsAreFoundWholeWhereverTheBytesStop) {
  const std::string stream = Record(23, 16384 + 256) + Record(21, 2) + Record(23, 0);
  const size_t first = 5 + 16384 + 256;
  for (size_t cut : {size_t{0}, size_t{1}, size_t{4}, size_t{5}, first - 1}) {
    const TlsRecordFrame frame = FirstTlsRecord(stream.data(), cut);
    EXPECT_EQ(TlsRecordFrame::Incomplete, frame.kind) << cut;
    EXPECT_EQ(cut < 5 ? 5u : first, frame.length) << cut;
  }
  const TlsRecordFrame whole = FirstTlsRecord(stream.data(), stream.size());
  EXPECT_EQ(TlsRecordFrame::Complete, whole.kind);
  EXPECT_EQ(first, whole.length);
  const TlsRecordFrame alert = FirstTlsRecord(stream.data() + first, stream.size() - first);
  EXPECT_EQ(TlsRecordFrame::Complete, alert.kind);
  EXPECT_EQ(7u, alert.length);
  EXPECT_EQ(TlsRecordFrame::Complete, FirstTlsRecord(stream.data() + first + 7, 5).kind);
}

TEST(TlsRecordFraming, PlainTextAndOversizedRecordsAreNoRecords) {
  for (const std::string& bytes : {std::string("HTTP/1.1 200 OK\r\n"), std::string("\x17\x02", 2),
                                   Record(23, 0).replace(3, 2, "\x48\x01", 2)}) {
    EXPECT_EQ(TlsRecordFrame::Malformed, FirstTlsRecord(bytes.data(), bytes.size()).kind);
  }
}

TEST(TlsRecordFraming, EverySavedFuzzInputRunsCleanly) {
  const std::filesystem::path corpus = std::filesystem::path(SourceDir()) / "tests/net/corpus/tls_records";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string bytes = ReadTextFile(entry.path().string());
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    ++count;
  }
  EXPECT_GE(count, 3);
}

}  // namespace
}  // namespace quonel::testing
