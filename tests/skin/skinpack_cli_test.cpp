// The skin packer as a developer runs it: pack, list, unpack, encode, decode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "lzh_encoder.h"
#include "skin_archive_writer.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using quonel::testing::ReadTextFile;

class SkinpackCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(quonel::testing::TestOutputDir()) / "skinpack_cli" /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "in");
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Runs skinpack with args; its stdout lands in out.txt.
  int Run(const std::string& args) {
    const std::string command = std::string(SKINPACK) + " " + args + " >" + (dir_ / "out.txt").string() + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Output() { return ReadTextFile((dir_ / "out.txt").string()); }
  std::string At(const std::string& name) { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(SkinpackCliTest, PackListUnpackKeepsOrderAndBytes) {
  Write(dir_ / "in" / "z_first.bmp", std::string(500, 'z'));
  Write(dir_ / "in" / "a_second.bmp", "BM\0\1\2" + std::string(70, '\xFF'));
  Write(dir_ / "in" / "Skin.ini", "[Personality]\r\n");
  Write(dir_ / "in" / "members.txt", "z_first.bmp\na_second.bmp\nSkin.ini\n");
  ASSERT_EQ(Run("pack " + At("in") + " " + At("x.skn")), 0) << Output();

  ASSERT_EQ(Run("list " + At("x.skn")), 0) << Output();
  const std::string listing = Output();
  EXPECT_NE(listing.find("version 20000"), std::string::npos) << listing;
  EXPECT_NE(listing.find("3 members"), std::string::npos) << listing;
  EXPECT_LT(listing.find("z_first.bmp"), listing.find("a_second.bmp"));
  EXPECT_LT(listing.find("a_second.bmp"), listing.find("skin.ini"));

  ASSERT_EQ(Run("unpack " + At("x.skn") + " " + At("out")), 0) << Output();
  EXPECT_EQ(ReadTextFile(At("out/z_first.bmp")), std::string(500, 'z'));
  EXPECT_EQ(ReadTextFile(At("out/skin.ini")), "[Personality]\r\n");
  // What unpack leaves packs back into an archive of the same members.
  ASSERT_EQ(Run("pack " + At("out") + " " + At("y.skn")), 0) << Output();
  ASSERT_EQ(Run("list " + At("y.skn")), 0);
  EXPECT_EQ(Output(), listing);
}

TEST_F(SkinpackCliTest, WithoutAnOrderFileBitmapsComeFirstByName) {
  Write(dir_ / "in" / "desc.ini", "x");
  Write(dir_ / "in" / "b.bmp", "b");
  Write(dir_ / "in" / "a.BMP", "a");
  Write(dir_ / "in" / "notes.txt", "left out");
  ASSERT_EQ(Run("pack " + At("in") + " " + At("x.skn")), 0) << Output();
  ASSERT_EQ(Run("list " + At("x.skn")), 0);
  const std::string listing = Output();
  EXPECT_LT(listing.find("a.bmp"), listing.find("b.bmp"));
  EXPECT_LT(listing.find("b.bmp"), listing.find("desc.ini"));
  EXPECT_EQ(listing.find("notes.txt"), std::string::npos);
}

TEST_F(SkinpackCliTest, UnpackWritesNothingOutsideItsFolder) {
  for (const char* name : {"../escape.bmp", "/tmp/abs.bmp", "..", "members.txt", "fine.bmp"}) {
    Write(dir_ / "evil.skn", quonel::skinpack::PackArchive({{"fine.bmp", "1"}, {name, "2"}}));
    EXPECT_EQ(Run("unpack " + At("evil.skn") + " " + At("out")), 1) << name;
    EXPECT_NE(Output().find("refusing member name"), std::string::npos) << Output();
  }
  EXPECT_FALSE(fs::exists(dir_ / "escape.bmp"));
  EXPECT_FALSE(fs::exists(dir_ / "out"));  // refused before anything is written
}

TEST_F(SkinpackCliTest, BareStreamsAndBadInput) {
  const std::string data = "some bytes, some bytes, some bytes" + std::string(300, '\x07');
  Write(dir_ / "raw.bin", data);
  ASSERT_EQ(Run("encode " + At("raw.bin") + " " + At("raw.lzh")), 0) << Output();
  EXPECT_EQ(ReadTextFile(At("raw.lzh")), quonel::skinpack::LzhEncode(data));
  ASSERT_EQ(Run("decode " + At("raw.lzh") + " " + At("back.bin")), 0) << Output();
  EXPECT_EQ(ReadTextFile(At("back.bin")), data);  // cut to the stored size

  Write(dir_ / "huge.lzh", std::string("\xFF\xFF\xFF\x7F", 4));
  EXPECT_EQ(Run("decode " + At("huge.lzh") + " " + At("x")), 1);
  EXPECT_EQ(Run("list " + At("raw.lzh")), 1);  // not an archive
  EXPECT_EQ(Run("list " + At("missing.skn")), 1);
  EXPECT_EQ(Run("frobnicate"), 2);
}

TEST_F(SkinpackCliTest, PropertyValueIsTheLittleEndianLengthThenTheArchive) {
  const std::string archive = "archive" + std::string(293, '\x80');
  Write(dir_ / "x.skn", archive);
  ASSERT_EQ(Run("property " + At("x.skn") + " " + At("x.bin")), 0) << Output();
  EXPECT_EQ(ReadTextFile(At("x.bin")), std::string("\x2C\x01\x00\x00", 4) + archive);
  EXPECT_NE(Run("property " + At("missing.skn") + " " + At("y.bin")), 0);
  EXPECT_FALSE(fs::exists(dir_ / "y.bin"));
}

}  // namespace
