#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/test_paths.h"
#include "core/streams.h"
#include "core/strings.h"
#include "core/utf8.h"

namespace quonel {
namespace {

TEST(StringList, TextSplitsAtEveryLineBreakKindAndJoinsWithCrLf) {
  TStringList list;
  list.SetText(L"one\r\ntwo\nthree\rfour\r\n");
  ASSERT_EQ(4, list.Count());
  EXPECT_EQ(L"three", list.Get(2));
  EXPECT_EQ(L"one\r\ntwo\r\nthree\r\nfour\r\n", list.Text());
  list.SetText(L"a\r\n\r\n");
  EXPECT_EQ(2, list.Count()) << "an empty line before the final break is a line";
}

TEST(StringList, NamesValuesAndCaseInsensitiveSearch) {
  TStringList list;
  list.Add(L"Server=http://a/");
  list.Add(L"other");
  EXPECT_EQ(0, list.IndexOf(L"SERVER=HTTP://A/"));
  EXPECT_EQ(L"http://a/", list.Values(L"server"));
  EXPECT_EQ(L"", list.Values(L"missing"));
  EXPECT_EQ(L"", list.Names(1));
}

TEST(StringList, OutOfRangeRaisesInsteadOfReadingPastTheEnd) {
  TStringList list;
  list.Add(L"x");
  EXPECT_THROW(list.Get(1), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Insert(3, L"y"), EStringListError);
  EXPECT_EQ(1, list.Count());
}

TEST(MemoryStream, ReadsWritesSeeksAndReportsShortReads) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  EXPECT_EQ(6, stream.Size());
  stream.SetPosition(4);
  char two[2];
  stream.ReadBuffer(two, 2);
  EXPECT_EQ('e', two[0]);
  EXPECT_THROW(stream.ReadBuffer(two, 1), EReadError);
  EXPECT_THROW(stream.Seek(-1, SeekOrigin::Beginning), EStreamError);
  stream.Seek(8, SeekOrigin::Beginning);  // past the end: a write extends with zeros
  stream.WriteBuffer("z", 1);
  EXPECT_EQ(9, stream.Size());
  EXPECT_EQ(0, stream.Memory()[7]);
  stream.SetSize(3);
  EXPECT_EQ(3, stream.Position());
}

TEST(FileStream, CreatesReopensAndResizesAFileWithAChineseName) {
  const std::wstring path =
      Utf8ToWide(testing::TestOutputDir() + "/streams_测试.bin");
  {
    TFileStream file(path, FileMode::Create);
    file.WriteBuffer("0123456789", 10);
  }
  {
    TFileStream file(path, FileMode::OpenReadWrite);
    EXPECT_EQ(10, file.Size());
    file.Seek(-3, SeekOrigin::End);
    char tail[3];
    file.ReadBuffer(tail, 3);
    EXPECT_EQ('7', tail[0]);
    file.WriteBuffer("ab", 2);  // appends after the read
    file.SetSize(11);
    EXPECT_EQ(11, file.Size());
  }
  TMemoryStream copy;
  TFileStream file(path, FileMode::OpenRead);
  copy.CopyFrom(file, 0);
  EXPECT_EQ(std::string("0123456789a"), std::string(copy.Bytes().begin(), copy.Bytes().end()));
  EXPECT_THROW(TFileStream(path + L".missing", FileMode::OpenRead), EFOpenError);
}

}  // namespace
}  // namespace quonel
