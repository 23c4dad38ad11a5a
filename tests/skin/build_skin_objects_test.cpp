// BuildSkinObjects on small archives packed here: the rules that the
// built-in skin does not exercise.
#include <gtest/gtest.h>

#include "skin/bmp_builder.h"
#include "skin_archive_writer.h"
#include "skin/data/skin_data.h"

namespace quonel {
namespace {

using skinpack::MemberFile;

std::string Solid(int width, int height, TColor colour = MakeColour(10, 20, 30)) {
  return testing::MakeBmp24(width, height, [=](int, int) { return colour; });
}

// A loaded component from a description and its bitmaps.
struct LoadedSkin {
  TSkinData data{nullptr};
  LoadedSkin(const std::string& description, std::vector<MemberFile> bitmaps) {
    data.ShowMessage = [](const std::wstring& text) { ADD_FAILURE() << "message shown"; (void)text; };
    bitmaps.push_back({"skin.ini", description});
    data.SetSkinStream(skinpack::PackArchive(bitmaps));
    loaded = data.LoadSkin();
  }
  bool loaded = false;
};

TEST(BuildSkinObjects, CaptionButtonFramesFollowTheImageShape) {
  LoadedSkin skin(
      "[Button0]\nButtonImage=narrow.bmp\n[BUTTON1]\nButtonImage=wide.bmp\nAction=2\n"
      "[BUTTON7]\nAction=-1\nButtonImage=narrow.bmp\n[Button8]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
      "[Button9]\nAction=3\nButtonImage=narrow.bmp\n[Button10]\nframe=2\nButtonImage=wide.bmp\n",
      {{"narrow.bmp", Solid(90, 30)}, {"wide.bmp", Solid(180, 30)}});
  ASSERT_TRUE(skin.loaded);
  const auto& buttons = skin.data.CaptionButtons();
  ASSERT_EQ(buttons.size(), 5u + 3u);
  EXPECT_EQ(buttons[0]->Frames, 3);
  EXPECT_EQ(buttons[1]->Frames, 6);
  EXPECT_EQ(buttons[1]->Action, 2);
  // BUTTON7 is skipped; BUTTON8 stays with 6 frames and Visibility1 -1.
  EXPECT_EQ(buttons[2]->Name, "BUTTON8");
  EXPECT_EQ(buttons[2]->Frames, 6);
  EXPECT_EQ(buttons[2]->Visibility1, -1);
  EXPECT_EQ(buttons[2]->CombineOp, -1);
  // The icon button draws the window icon, not its image.
  EXPECT_EQ(buttons[3]->Action, 3);
  EXPECT_TRUE(buttons[3]->Image.Empty());
  EXPECT_EQ(buttons[4]->Frames, 2);
  EXPECT_FALSE(buttons[4]->Image.Empty());
  EXPECT_FALSE(skin.data.Empty());
}

TEST(BuildSkinObjects, MdiControlsAreCutIntoThreeButtons) {
  LoadedSkin skin("[MDICONTROLS]\nImage=mdi.bmp\n",
                  {{"mdi.bmp", testing::MakeBmp24(120, 14, [](int x, int) { return MakeColour(x, 0, 0); })}});
  const auto& buttons = skin.data.CaptionButtons();
  ASSERT_EQ(buttons.size(), 3u);
  const int expectedX[] = {42, 28, 14};
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& button = *buttons[i];
    EXPECT_EQ(button.Action, 7 + i);
    EXPECT_EQ(button.Align, 100);
    EXPECT_EQ(button.Visibility1, 100);
    EXPECT_EQ(button.Frames, 4);
    EXPECT_EQ(button.X, expectedX[i]);
    ASSERT_EQ(button.Image.Width(), 40);
    EXPECT_EQ(button.Image.Height(), 14);
    EXPECT_EQ(RedOf(button.Image.Pixel(0, 0)), 40 * i);
    EXPECT_EQ(RedOf(button.Image.Pixel(39, 13)), 40 * i + 39);
  }
}

TEST(BuildSkinObjects, MissingTrackUsesTheBuiltInImages) {
  LoadedSkin skin("[Colours]\nButtonFace=1 2 3\n", {});
  const TDataSkinObject* track = skin.data.Slot(SkinSlot::Track);
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->Image.Width(), 16);
  EXPECT_EQ(track->Image.Height(), 4);
  EXPECT_EQ(track->Margins, (Margins{3, 3, 3, 3}));
  EXPECT_EQ(track->Frames, 1);
  EXPECT_EQ(track->Tile, 0);
  const TDataSkinObject* vertical = skin.data.Slot(SkinSlot::TrackVert);
  ASSERT_NE(vertical, nullptr);
  EXPECT_EQ(vertical->Image.Width(), 4);
  EXPECT_EQ(vertical->Image.Height(), 16);
  // Sections that are not there leave their slots empty, the edges exist.
  EXPECT_EQ(skin.data.Slot(SkinSlot::Scrollbar), nullptr);
  EXPECT_TRUE(skin.data.Edge(FrameEdge::Top).Image.Empty());
  EXPECT_EQ(skin.data.Edge(FrameEdge::Top).Frames, 1);
  // No top edge: the title colour is the face colour.
  EXPECT_EQ(skin.data.TitleColour(), MakeColour(1, 2, 3));
  ASSERT_NE(skin.data.Toolbar(), nullptr);
  EXPECT_EQ(skin.data.Toolbar()->Image.Width(), 10);
  EXPECT_EQ(skin.data.Toolbar()->Image.Height(), 40);
  EXPECT_NE(skin.data.FaceBrush(), nullptr);
}

TEST(BuildSkinObjects, BadImagesGiveEmptyImagesNotCrashes) {
  std::string truncated = Solid(20, 20);
  truncated.resize(truncated.size() / 2);
  std::string lying = Solid(4, 4);
  lying[18] = static_cast<char>(0xFF);  // width 255 for 4 pixels of data
  LoadedSkin skin(
      "[Scrollbar]\nImage=truncated.bmp\n[HorzScroll]\nImage=lying.bmp\n[VertScroll]\nImage=text.bmp\n"
      "[MenuItem]\nImage=Good.BMP\n[ToolBars]\nImage=absent.bmp\n[Personality]\nTop=truncated.bmp\nTopFrame=0\n",
      {{"truncated.bmp", truncated}, {"lying.bmp", lying}, {"text.bmp", "just some text"}, {"good.bmp", Solid(4, 4)}});
  ASSERT_TRUE(skin.loaded);
  for (SkinSlot slot : {SkinSlot::Scrollbar, SkinSlot::HorzScroll, SkinSlot::VertScroll, SkinSlot::MenuItem,
                        SkinSlot::ToolBars}) {
    ASSERT_NE(skin.data.Slot(slot), nullptr) << static_cast<int>(slot);
    EXPECT_TRUE(skin.data.Slot(slot)->Image.Empty()) << static_cast<int>(slot);
  }
  EXPECT_TRUE(skin.data.Edge(FrameEdge::Top).Image.Empty());
}

TEST(BuildSkinObjects, ZeroTopFramesDoNotBreakTheTitleColour) {
  LoadedSkin skin("[Personality]\nTop=top.bmp\nTopFrame=0\n",
                  {{"top.bmp", testing::MakeBmp24(30, 9, [](int x, int y) { return MakeColour(x, y, 0); })}});
  ASSERT_TRUE(skin.loaded);
  EXPECT_EQ(skin.data.TitleColour(), MakeColour(10, 3, 0));
}

TEST(BuildSkinObjects, ComboButtonWithoutSunkEdgeGivesARecolouredArrow) {
  LoadedSkin skin("[Colours]\nButtonFace=200 201 202\n[ComboButton]\nImage=combo.bmp\n",
                  {{"combo.bmp", testing::MakeBmp24(8, 4, [](int x, int) { return x < 4 ? clMagenta : clBlack; })}});
  const TDataSkinObject* arrow = skin.data.ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Frames, 4);
  EXPECT_EQ(arrow->Image.Pixel(0, 0), MakeColour(200, 201, 202));
  EXPECT_EQ(arrow->Image.Pixel(5, 0), clBlack);
  // The combo button's second image is its mirror.
  const auto* button = skin.data.SlotAs<TDataSkinBorder>(SkinSlot::ComboButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Image2.Pixel(0, 0), clBlack);
  EXPECT_EQ(button->Image2.Pixel(7, 0), clMagenta);
}

TEST(BuildSkinObjects, ArrowRecolourResolvesASystemFaceColour) {
  LoadedSkin skin("[ComboButton]\nImage=combo.bmp\n", {{"combo.bmp", Solid(8, 4, clMagenta)}});
  ASSERT_EQ(skin.data.Colours().ButtonFace, SystemColour(COLOR_BTNFACE));
  EXPECT_EQ(skin.data.ComboxArrow()->Image.Pixel(0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST(BuildSkinObjects, RecipesReadTheirOwnKeys) {
  LoadedSkin skin(
      "[Progress]\nBitmap=a.bmp\nTile=2\nStyle=1\nFrame=9\n[Tab.Pane]\nImage=a.bmp\nLeftWidth=9\nTopHeight=3\n"
      "[Headerbar]\nImage=a.bmp\nFrame=7\n[MenuItem]\nImage=a.bmp\nTile=2\nNormalColour2=1,2,3\n"
      "[Buttons]\nBitmap=a.bmp\nMouseOverColour2=9 9 9\n[Colours]\nButtonText=5 6 7\n"
      "[Colour7]\ncolor=1 1 1\n[ColourX]\n[HorzScrollThumb]\nImage=a.bmp\nFrameCount=2\n",
      {{"a.bmp", Solid(20, 10)}});
  const TDataSkinObject* progress = skin.data.Slot(SkinSlot::Progress);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->Tile, 1);
  EXPECT_EQ(progress->Frames, 1);
  EXPECT_EQ(skin.data.Slot(SkinSlot::TabPane)->Margins, (Margins{4, 3, 0, 0}));
  EXPECT_EQ(skin.data.Slot(SkinSlot::Header)->Frames, 7);
  const TDataSkinObject* item = skin.data.Slot(SkinSlot::MenuItem);
  EXPECT_EQ(item->Tile, 0);
  EXPECT_EQ(item->NormalColour2, MakeColour(1, 2, 3));
  EXPECT_EQ(item->PressedColour2, MakeColour(5, 6, 7));
  EXPECT_EQ(skin.data.Slot(SkinSlot::HorzScrollThumb)->Frames, 2);
  const TDataSkinButton& buttons = skin.data.Buttons();
  EXPECT_FALSE(buttons.HasNormalColour2);
  EXPECT_TRUE(buttons.HasMouseOverColour2);
  EXPECT_EQ(buttons.NormalColour2, MakeColour(5, 6, 7));
  EXPECT_EQ(buttons.CheckFrames, 4);
  // The colour table counts sections in order; one without a colour takes the default.
  ASSERT_EQ(skin.data.ColourTable().size(), 2u);
  EXPECT_EQ(skin.data.ColourTable()[0], MakeColour(1, 1, 1));
  EXPECT_EQ(skin.data.ColourTable()[1], SystemColour(COLOR_WINDOWTEXT));
  EXPECT_EQ(skin.data.CustomColours()[9], clWhite);
}

TEST(BuildSkinObjects, ARebuildReplacesEveryObject) {
  LoadedSkin skin("[Scrollbar]\nImage=a.bmp\n[Button0]\n[Colour0]\ncolor=1 1 1\n[Personality]\nLeft=a.bmp\n",
                  {{"a.bmp", Solid(4, 4)}});
  ASSERT_NE(skin.data.Slot(SkinSlot::Scrollbar), nullptr);
  const TDataSkinObject* left = &skin.data.Edge(FrameEdge::Left);
  EXPECT_FALSE(left->Image.Empty());
  skin.data.SetSkinStream(skinpack::PackArchive({{"b.ini", "[HorzScroll]\nImage=a.bmp\n"}, {"a.bmp", Solid(4, 4)}}));
  ASSERT_TRUE(skin.data.LoadSkin());
  EXPECT_EQ(skin.data.Slot(SkinSlot::Scrollbar), nullptr);
  EXPECT_NE(skin.data.Slot(SkinSlot::HorzScroll), nullptr);
  EXPECT_EQ(skin.data.CaptionButtons().size(), 3u);
  EXPECT_TRUE(skin.data.ColourTable().empty());
  // The edges are the same objects with the new values.
  EXPECT_EQ(&skin.data.Edge(FrameEdge::Left), left);
  EXPECT_TRUE(left->Image.Empty());
}

TEST(BuiltinImages, MenuGlyphStripHasFourCells) {
  const TSkinData data(nullptr);
  const SkinBitmap& glyphs = data.MenuGlyphs();
  ASSERT_EQ(glyphs.Width(), 64);
  ASSERT_EQ(glyphs.Height(), 16);
  EXPECT_EQ(glyphs.BitsPerPixel(), 1);
  EXPECT_TRUE(glyphs.transparent);
  EXPECT_EQ(glyphs.transparentColour, clWhite);
  for (int cell = 0; cell < 4; ++cell) {
    int black = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) black += glyphs.Pixel(16 * cell + x, y) == clBlack;
    EXPECT_GT(black, 4) << "cell " << cell;
    EXPECT_EQ(glyphs.Pixel(16 * cell, 0), clWhite) << "cell " << cell;
  }
}

TEST(BuildSkinObjects, ADamagedArchiveKeepsTheSkinEmpty) {
  TSkinData data(nullptr);
  int messages = 0;
  data.ShowMessage = [&](const std::wstring&) { ++messages; };
  data.SetSkinStream(std::string("\x10\0\0\0not an archive", 18));
  EXPECT_FALSE(data.LoadSkin());
  EXPECT_LE(messages, 1);
  EXPECT_TRUE(data.Empty());
  EXPECT_EQ(data.Slot(SkinSlot::Track), nullptr);
  EXPECT_TRUE(data.Edge(FrameEdge::Left).Image.Empty());
}

}  // namespace
}  // namespace quonel
