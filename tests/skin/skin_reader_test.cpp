// TSkinReader on small archives made by the packer, well-formed and hostile.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lzh_encoder.h"
#include "skin/archive/lzh.h"
#include "skin/archive/skin_reader.h"
#include "skin_archive_writer.h"

namespace quonel {
namespace {

using skinpack::MemberFile;

void AppendInt32(std::string& out, int32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
}

// A decompressed archive laid out by hand, so that any field can lie.
std::string RawArchive(int32_t version, const std::string& names, int32_t listLength,
                       const std::vector<int32_t>& sizes, const std::string& contents) {
  std::string out;
  AppendInt32(out, version);
  AppendInt32(out, listLength);
  AppendInt32(out, 0x12345678);  // reserved words: never read
  AppendInt32(out, -1);
  out += names;
  for (int32_t size : sizes) AppendInt32(out, size);
  return out + contents;
}

const std::vector<MemberFile> kMembers = {
    {"Blue_Close.bmp", "BMclose"}, {"back.bmp", ""}, {"Skin.INI", "[Personality]\r\nTop=a.bmp\r\n"}};

class SkinReaderTest : public ::testing::Test {
 protected:
  SkinReaderTest() {
    reader.ShowMessage = [this](const std::wstring& text) { messages.push_back(text); };
  }
  bool Read(const std::string& decompressed) { return reader.ReadArchive(skinpack::LzhEncode(decompressed)); }
  void ExpectRejectedSilently(const std::string& decompressed) {
    EXPECT_FALSE(Read(decompressed));
    EXPECT_EQ(reader.MemberCount(), 0);
    EXPECT_TRUE(reader.Data().empty());
    EXPECT_TRUE(messages.empty());
  }

  TSkinReader reader;
  std::vector<std::wstring> messages;
};

TEST_F(SkinReaderTest, ReadsThePackersArchive) {
  ASSERT_TRUE(reader.ReadArchive(skinpack::PackArchive(kMembers)));
  EXPECT_EQ(reader.Version(), 20000);
  ASSERT_EQ(reader.MemberCount(), 3);
  EXPECT_EQ(reader.Members()[0].name, "blue_close.bmp");
  EXPECT_EQ(reader.Members()[2].name, "skin.ini");
  EXPECT_EQ(reader.Members()[2].offset, 7u);
  EXPECT_EQ(reader.Data().size(), 7u + kMembers[2].bytes.size());
  EXPECT_TRUE(messages.empty());
}

TEST_F(SkinReaderTest, GetMemberIgnoresCaseAndYieldsNothingForStrangers) {
  ASSERT_TRUE(reader.ReadArchive(skinpack::PackArchive(kMembers)));
  EXPECT_EQ(reader.GetMember("Blue_Close.BMP"), "BMclose");
  EXPECT_EQ(reader.GetMember("blue_close.bmp"), "BMclose");
  EXPECT_EQ(reader.GetMember("skin.ini"), kMembers[2].bytes);
  EXPECT_EQ(reader.GetMember("back.bmp"), "");
  EXPECT_EQ(reader.GetMember("missing.bmp"), "");
  EXPECT_EQ(reader.GetMember("close.bmp"), "");  // whole names only
}

TEST_F(SkinReaderTest, FindMemberMatchesLowerCaseSubstrings) {
  ASSERT_TRUE(reader.ReadArchive(skinpack::PackArchive(kMembers)));
  std::string name = "unchanged";
  EXPECT_EQ(reader.FindMember(".ini", name), kMembers[2].bytes);
  EXPECT_EQ(name, "skin.ini");
  name = "unchanged";
  EXPECT_EQ(reader.FindMember(".INI", name), "");
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(reader.FindMember(".bmp", name), "BMclose");  // the first in order
  EXPECT_EQ(name, "blue_close.bmp");
}

TEST(NameList, SplitsLikeALineSplitter) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitNameList("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(SplitNameList("a\r\nb"), (V{"a", "b"}));
  EXPECT_EQ(SplitNameList("a\rb\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitNameList("a\n\rb"), (V{"a", "", "b"}));  // LF CR is two breaks
  EXPECT_EQ(SplitNameList("a\r\n\r\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitNameList(std::string("a\r\nb\0c\r\nd", 9)), (V{"a", "b"}));
  EXPECT_EQ(SplitNameList(""), V{});
  EXPECT_EQ(SplitNameList("\r\n"), (V{""}));
  EXPECT_EQ(SplitNameList("a\nb\nc\nd", 2), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitNameList(std::string(1'000'000, '\n'), 1001).size(), 1002u);
}

TEST_F(SkinReaderTest, ANameListWithoutFinalBreakCountsTheSame) {
  const std::string names = "one.bmp\r\ntwo.ini";
  ASSERT_TRUE(Read(RawArchive(20000, names, static_cast<int32_t>(names.size()), {2, 3}, "11222")));
  EXPECT_EQ(reader.MemberCount(), 2);
  EXPECT_EQ(reader.GetMember("two.ini"), "222");
}

TEST_F(SkinReaderTest, OlderVersionShowsTheMessageAndLoadsNothing) {
  ASSERT_TRUE(reader.ReadArchive(skinpack::PackArchive(kMembers)));
  EXPECT_FALSE(Read(RawArchive(19999, "a.bmp\r\n", 7, {1}, "x")));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(reader.MemberCount(), 0);  // nothing kept from the earlier skin either
  EXPECT_EQ(reader.GetMember("blue_close.bmp"), "");
}

TEST_F(SkinReaderTest, AStreamCutShortDecodesToItsSizeAndIsJudgedOnThat) {
  std::string packed = skinpack::PackArchive(kMembers);
  // Without its last bytes the stream still decodes, and the damage lands
  // in the last member's bytes, not in the table.
  packed.resize(packed.size() - 3);
  ASSERT_TRUE(reader.ReadArchive(packed));
  EXPECT_EQ(reader.MemberCount(), 3);
  EXPECT_EQ(reader.GetMember("blue_close.bmp"), "BMclose");
  // Only the size: what zero bits decode to is no archive of version 20000.
  EXPECT_FALSE(reader.ReadArchive(packed.substr(0, 4)));
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(SkinReaderTest, HostileSizesLoadNothingWithoutAMessage) {
  const std::string names = "a.bmp\r\nb.bmp\r\n";
  const auto listLength = static_cast<int32_t>(names.size());
  // sizes that run past the data, one by a single byte
  ExpectRejectedSilently(RawArchive(20000, names, listLength, {2, 4}, "12345"));
  ExpectRejectedSilently(RawArchive(20000, names, listLength, {0x7FFFFFFF, 0x7FFFFFFF}, "12345"));
  // a negative size that would pull the next offset back
  ExpectRejectedSilently(RawArchive(20000, names, listLength, {4, -2}, "12345"));
  // a name list longer than the archive, or negative
  ExpectRejectedSilently(RawArchive(20000, names, 1000, {1, 1}, "12"));
  ExpectRejectedSilently(RawArchive(20000, names, -14, {1, 1}, "12"));
  // a size table that does not fit
  ExpectRejectedSilently(RawArchive(20000, names, listLength, {1}, ""));
  // shorter than the header
  ExpectRejectedSilently(std::string("\x20\x4e\0\0", 4));
  // the sizes exactly fill the data: fine
  EXPECT_TRUE(Read(RawArchive(20000, names, listLength, {2, 3}, "12345")));
}

TEST_F(SkinReaderTest, BytesAFinalMatchWritesPastTheSizeAreNotData) {
  // The member claims all 93 bytes, but the stored size stops 10 bytes short
  // inside the final match, which the decoder still writes whole.
  const std::string archive = RawArchive(20000, "a.bin\r\n", 7, {93}, "abc" + std::string(90, 'z'));
  std::string stream = skinpack::LzhEncode(archive);
  const auto shorter = static_cast<int32_t>(archive.size() - 10);
  stream.replace(0, 4, std::string(reinterpret_cast<const char*>(&shorter), 4));  // little-endian hosts only
  ASSERT_EQ(TLZH::Decode(std::string_view(stream).substr(4), shorter), archive);
  ExpectRejectedSilently(archive.substr(0, archive.size() - 10));
  EXPECT_FALSE(reader.ReadArchive(stream));
  EXPECT_EQ(reader.MemberCount(), 0);
}

TEST_F(SkinReaderTest, MemberCountIsCappedAt1001) {
  std::string names;
  for (int i = 0; i < 1001; ++i) names += "m" + std::to_string(i) + ".bmp\r\n";
  std::vector<int32_t> sizes(1001, 1);
  ASSERT_TRUE(Read(RawArchive(20000, names, static_cast<int32_t>(names.size()), sizes, std::string(1001, 'x'))));
  EXPECT_EQ(reader.MemberCount(), 1001);

  names += "one_more.bmp\r\n";
  sizes.push_back(1);
  ExpectRejectedSilently(RawArchive(20000, names, static_cast<int32_t>(names.size()), sizes, std::string(1002, 'x')));
  // Millions of empty names in a list that does fit the archive.
  const std::string empties(3'000'000, '\n');
  ExpectRejectedSilently(RawArchive(20000, empties, static_cast<int32_t>(empties.size()), {}, ""));
}

TEST_F(SkinReaderTest, ImplausibleDecodedSizesAreNotDecoded) {
  std::string stream;
  AppendInt32(stream, TLZH::kMaxDecodedSize + 1);
  stream += "whatever";
  EXPECT_FALSE(reader.ReadArchive(stream));
  stream.clear();
  AppendInt32(stream, -1);
  EXPECT_FALSE(reader.ReadArchive(stream));
  EXPECT_FALSE(reader.ReadArchive("abc"));  // not even a size
  EXPECT_FALSE(reader.ReadArchive(""));
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace quonel
