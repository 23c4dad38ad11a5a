#include "skin/data/skin_object_rules.h"

#include <gtest/gtest.h>

#include "skin/data/image_reference.h"

namespace quonel {
namespace {

TEST(CaptionButtonSections, SkipsButtonSectionsThatAreNotCaptionButtons) {
  TQuickIni ini;
  ini.LoadFromBytes(
      "[Buttons]\n[Button]\n[Button.Radio]\n[BUTTON.CHECKBOX]\n[Button0]\nAction=0\n"
      "[BUTTON7]\nAction=-1\n[Button8]\nAction=-1\nVisibility=0\n[Button9]\nAction=-1\nVisibility=2\n[ButtonX]\n");
  std::vector<std::string> sections;
  ini.GetSections(sections);
  const std::vector<std::string> expected{"BUTTON0", "BUTTON8", "BUTTONX"};
  EXPECT_EQ(CaptionButtonSections(ini, sections), expected);
}

TEST(ColourTableSections, ColourPrefixButNotColours) {
  const std::vector<std::string> sections{"Colours", "Colour0", "colour7", "Color1", "COLOURX"};
  const std::vector<std::string> expected{"Colour0", "colour7", "COLOURX"};
  EXPECT_EQ(ColourTableSections(sections), expected);
}

TEST(CaptionButtonFrames, RatioDecidesBetweenThreeAndSix) {
  EXPECT_EQ(CaptionButtonFrames(0, true, 90, 30), 3);
  EXPECT_EQ(CaptionButtonFrames(0, true, 180, 30), 6);
  EXPECT_EQ(CaptionButtonFrames(0, true, 114, 30), 3);  // exactly 3.8
  EXPECT_EQ(CaptionButtonFrames(0, true, 115, 30), 6);
  EXPECT_EQ(CaptionButtonFrames(0, true, 108, 24), 6);  // the embedded skin's buttons
  EXPECT_EQ(CaptionButtonFrames(-1, true, 90, 30), 6);
  EXPECT_EQ(CaptionButtonFrames(0, false, 0, 0), 6);
}

TEST(CheckFramesFromImage, CellWidthByHeight) {
  EXPECT_EQ(CheckFramesFromImage(65, 13), 5);
  EXPECT_EQ(CheckFramesFromImage(96, 16), 6);
  EXPECT_EQ(CheckFramesFromImage(20, 13), 4);
}

TEST(MdiButtonPiece, TwelveColumnsFourPerButton) {
  const MdiButtonCut expected[] = {{0, 40, 42}, {40, 40, 28}, {80, 40, 14}};
  for (int i = 0; i < 3; ++i) {
    const MdiButtonCut cut = MdiButtonPiece(120, i);
    EXPECT_EQ(cut.sourceX, expected[i].sourceX);
    EXPECT_EQ(cut.width, expected[i].width);
    EXPECT_EQ(cut.x, expected[i].x);
  }
}

TEST(ImageMemberName, OnlyLowerCaseBmpFileNames) {
  EXPECT_EQ(ImageMemberName("Blue_FrameTop.bmp"), "Blue_FrameTop.bmp");
  EXPECT_EQ(ImageMemberName("C:\\skins\\blue\\Back.bmp"), "Back.bmp");
  EXPECT_EQ(ImageMemberName("a/b.bmp"), "b.bmp");
  EXPECT_EQ(ImageMemberName("Back.BMP"), "");
  EXPECT_EQ(ImageMemberName("back.png"), "");
  EXPECT_EQ(ImageMemberName("back"), "");
}

}  // namespace
}  // namespace quonel
