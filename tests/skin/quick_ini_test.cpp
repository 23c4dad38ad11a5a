#include "skin/data/quick_ini.h"

#include <gtest/gtest.h>

#include "skin/data/parse_colour.h"

namespace quonel {
namespace {

TQuickIni Load(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromBytes(text);
  return ini;
}

TEST(QuickIni, SectionsAndKeysIgnoreCaseValuesKeepIt) {
  const TQuickIni ini = Load("[personality]\r\nTOPFRAME=2\r\nTop = Blue_FrameTop.bmp \r\n");
  EXPECT_EQ(ini.ReadInteger("PERSONALITY", "TopFrame", 0), 2);
  EXPECT_EQ(ini.ReadString("Personality", "top", ""), "Blue_FrameTop.bmp");
  // Spaces inside the brackets are significant.
  EXPECT_EQ(ini.ReadString(" Personality", "top", "none"), "none");
}

TEST(QuickIni, CommentsAndBlankLinesDoNotEndASection) {
  const TQuickIni ini = Load("[A]\n\n; comment\n   ;x=1\nx=2\r[B]\ny=3\n");
  EXPECT_EQ(ini.ReadString("A", "x", ""), "2");
  EXPECT_EQ(ini.ReadString("A", "y", "d"), "d");  // the scan stops at [B]
  EXPECT_EQ(ini.ReadString("b", "Y", ""), "3");
  EXPECT_EQ(ini.Lines().size(), 4u);
}

TEST(QuickIni, FirstDuplicateWinsEvenWhenEmpty) {
  const TQuickIni ini = Load("[S]\nk=first\nk=second\ne=\ne=later\n[S]\nz=1\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "first");
  EXPECT_EQ(ini.ReadString("S", "e", "default"), "default");
  // The first of two equal sections is the only one read.
  EXPECT_EQ(ini.ReadString("S", "z", "none"), "none");
}

TEST(QuickIni, SectionNamesInFileOrderAndNulEndsText) {
  const std::string text("[One]\n[ Two ]\nkey\n[Three]\0[Four]\n", 33);
  TQuickIni ini;
  ini.LoadFromStream("xx" + text, 2);
  std::vector<std::string> names;
  ini.GetSections(names);
  const std::vector<std::string> expected{"One", "Two", "Three"};
  EXPECT_EQ(names, expected);
  // A line without '=' has an empty name and never matches.
  EXPECT_EQ(ini.ReadString(" Two ", "key", "d"), "d");
}

TEST(QuickIni, LoadingReplacesThePreviousText) {
  TQuickIni ini = Load("[A]\nk=1\n");
  ini.LoadFromBytes("[B]\nk=2\n");
  EXPECT_EQ(ini.ReadString("A", "k", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("B", "k", ""), "2");
}

TEST(QuickIni, IntegersInDecimalAndHexadecimal) {
  const TQuickIni ini = Load("[N]\nhex=0x1F\nbare=0x\nletters=12ab\nneg=-7\ndollar=$10\nbig=99999999999\nall=0xFFFFFFFF\n");
  EXPECT_EQ(ini.ReadInteger("N", "hex", -1), 31);
  EXPECT_EQ(ini.ReadInteger("N", "bare", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "letters", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -7);
  EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 16);
  EXPECT_EQ(ini.ReadInteger("N", "big", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "all", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "absent", 42), 42);
}

TEST(ParseColour, ThreeNumbersWithAnySeparator) {
  EXPECT_EQ(ParseColour("4 4 4", 1), 0x040404);
  EXPECT_EQ(ParseColour("255,128,0", 1), 0x0080FF);
  EXPECT_EQ(ParseColour("  10 20 30  ", 1), MakeColour(10, 20, 30));
  EXPECT_EQ(ParseColour("256 257 511", 1), MakeColour(0, 1, 255));
}

TEST(ParseColour, ShortAndLongValues) {
  EXPECT_EQ(ParseColour("255", 1), 0);          // a lone number is dropped
  EXPECT_EQ(ParseColour("1 2", 1), MakeColour(1, 0, 0));  // trailing digits need two before them
  EXPECT_EQ(ParseColour("1 2,", 1), MakeColour(1, 2, 0));
  EXPECT_EQ(ParseColour("1 2 3 4", 1), MakeColour(1, 2, 3));
  EXPECT_EQ(ParseColour("1 2 3 4 5 ", 1), MakeColour(1, 2, 3));
  EXPECT_EQ(ParseColour("", 77), 77);
  EXPECT_EQ(ParseColour("  ", 77), 77);
}

}  // namespace
}  // namespace quonel
