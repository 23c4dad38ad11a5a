// The objects the engine builds from the built-in blue skin.
#include <gtest/gtest.h>

#include "skin/gdi/bitmap_transforms.h"
#include "skin/data/skin_data.h"
#include "support/test_paths.h"

namespace quonel {
namespace {

class BlueSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    data_ = new TSkinData(nullptr);
    data_->ShowMessage = [](const std::wstring&) { ADD_FAILURE() << "version message shown"; };
    data_->SetSkinStream(testing::ReadTextFile(QUONEL_BLUE_SKIN));
    loaded_ = data_->LoadSkin();
  }
  static void TearDownTestSuite() { delete data_; }
  static const TSkinData& Data() { return *data_; }
  static const TDataSkinObject& Object(SkinSlot slot) {
    const TDataSkinObject* object = data_->Slot(slot);
    if (!object) throw std::runtime_error("slot " + std::to_string(static_cast<int>(slot)) + " is empty");
    return *object;
  }
  static inline TSkinData* data_ = nullptr;
  static inline bool loaded_ = false;
};

void ExpectObject(const TDataSkinObject& o, int width, int height, Margins margins, int frames, int tile, int trans) {
  SCOPED_TRACE(o.Name);
  EXPECT_EQ(o.Image.Width(), width);
  EXPECT_EQ(o.Image.Height(), height);
  EXPECT_EQ(o.Margins, margins);
  EXPECT_EQ(o.Frames, frames);
  EXPECT_EQ(o.Tile, tile);
  EXPECT_EQ(o.Trans, trans);
}

TEST_F(BlueSkin, LoadsCompletely) {
  ASSERT_TRUE(loaded_);
  EXPECT_FALSE(Data().Empty());
}

TEST_F(BlueSkin, FrameEdges) {
  ExpectObject(Data().Edge(FrameEdge::Left), 3, 48, {0, 30, 0, 3}, 1, 0, 0);
  ExpectObject(Data().Edge(FrameEdge::Right), 3, 48, {0, 30, 0, 3}, 1, 0, 1);  // no RightTrans key
  ExpectObject(Data().Edge(FrameEdge::Top), 88, 48, {10, 0, 54, 0}, 2, 0, 0);
  ExpectObject(Data().Edge(FrameEdge::Bottom), 70, 3, {2, 0, 2, 0}, 1, 1, 0);
}

TEST_F(BlueSkin, NamedColoursTableAndCustomColours) {
  const TSkinColours& c = Data().Colours();
  EXPECT_EQ(c.WindowText, 0);
  EXPECT_EQ(c.ButtonFace, MakeColour(223, 223, 223));
  EXPECT_EQ(c.Scrollbar, MakeColour(179, 179, 179));
  EXPECT_EQ(c.HilightText, MakeColour(255, 255, 255));
  EXPECT_EQ(c.Hilight, MakeColour(79, 79, 79));
  EXPECT_EQ(c.MenuBar, MakeColour(236, 236, 236));
  EXPECT_EQ(c.Menu, MakeColour(222, 222, 222));
  EXPECT_EQ(c.MenuText, 0);
  EXPECT_EQ(c.ButtonText, 0);
  EXPECT_EQ(c.ButtonHilight, MakeColour(255, 255, 255));
  EXPECT_EQ(c.ButtonLight, MakeColour(253, 251, 255));
  EXPECT_EQ(c.ButtonShadow, MakeColour(172, 168, 170));
  EXPECT_EQ(c.ButtonDkShadow, MakeColour(113, 111, 114));
  EXPECT_EQ(c.MenuBarText, 0);
  EXPECT_EQ(c.TitleTextActive, 0);
  EXPECT_EQ(c.TitleTextNoActive, MakeColour(134, 134, 134));
  const std::vector<TColor> table{0x040404, MakeColour(244, 244, 244), MakeColour(91, 91, 91)};
  EXPECT_EQ(Data().ColourTable(), table);
  for (TColor custom : Data().CustomColours()) EXPECT_EQ(custom, clWhite);
}

TEST_F(BlueSkin, CaptionButtonsWithActionsAndVisibilities) {
  const auto& buttons = Data().CaptionButtons();
  ASSERT_EQ(buttons.size(), 8u);
  struct Expected {
    int action, align, x, y, visibility, visibility1, width;
  };
  const Expected expected[] = {
      {0, 1, 29, 0, 0, 0, 108}, {1, 1, 47, 0, 2, 6, 108}, {1, 1, 46, 0, 1, 0, 108},
      {2, 1, 65, 0, 8, 0, 108}, {3, 0, 8, 4, 0, 0, 0},
  };
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(buttons[i]->Name);
    EXPECT_EQ(buttons[i]->Name, "BUTTON" + std::to_string(i));
    EXPECT_EQ(buttons[i]->Action, expected[i].action);
    EXPECT_EQ(buttons[i]->Align, expected[i].align);
    EXPECT_EQ(buttons[i]->X, expected[i].x);
    EXPECT_EQ(buttons[i]->Y, expected[i].y);
    EXPECT_EQ(buttons[i]->Visibility, expected[i].visibility);
    EXPECT_EQ(buttons[i]->Visibility1, expected[i].visibility1);
    EXPECT_EQ(buttons[i]->Image.Width(), expected[i].width);
    EXPECT_EQ(buttons[i]->Frames, 6);  // 108 x 24 is wider than 3.8 : 1
    EXPECT_EQ(buttons[i]->CombineOp, -1);
  }
  // 180 x 14 MDI strip: columns of 15, buttons of 60 at X = 19 * (3 - i).
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& mdi = *buttons[5 + i];
    EXPECT_EQ(mdi.Action, 7 + i);
    EXPECT_EQ(mdi.Image.Width(), 60);
    EXPECT_EQ(mdi.Image.Height(), 14);
    EXPECT_EQ(mdi.X, 19 * (3 - i));
    EXPECT_EQ(mdi.Frames, 4);
  }
}

TEST_F(BlueSkin, PushButtonsAndTitle) {
  const TDataSkinButton& b = Data().Buttons();
  ExpectObject(b, 165, 25, {2, 2, 3, 3}, 5, 0, 1);
  EXPECT_EQ(b.NormalColour, 0);
  EXPECT_EQ(b.MouseOverColour, 0);
  EXPECT_EQ(b.PressedColour, 0);
  EXPECT_TRUE(b.HasNormalColour2 && b.HasMouseOverColour2 && b.HasPressedColour2);
  EXPECT_EQ(b.NormalColour2, 0x040404);
  EXPECT_EQ(b.CheckImage.Width(), 65);
  EXPECT_EQ(b.CheckFrames, 5);
  EXPECT_EQ(b.RadioFrames, 5);
  const TDataSkinTitle& t = Data().Title();
  EXPECT_EQ(t.Margins, (Margins{40, 3, 65, 0}));
  EXPECT_EQ(t.TextAlignment, 1);
  EXPECT_EQ(t.FontHeight, 13);
  EXPECT_EQ(t.ActiveTextColour, 0);
  EXPECT_EQ(t.InactiveTextColour, MakeColour(134, 134, 134));
  EXPECT_EQ(t.Frames, 2);
  EXPECT_TRUE(t.Image.Empty());
}

TEST_F(BlueSkin, TableObjects) {
  ExpectObject(Object(SkinSlot::Progress), 30, 18, {2, 2, 3, 2}, 2, 1, 1);
  ExpectObject(Object(SkinSlot::MenuBar), 24, 36, {1, 0, 1, 0}, 2, 1, 0);
  ExpectObject(Object(SkinSlot::GroupBoxEdge), 94, 50, {3, 15, 3, 3}, 2, 1, 1);
  ExpectObject(Object(SkinSlot::GroupBox), 47, 15, {3, 3, 3, 3}, 1, 0, 1);
  ExpectObject(Object(SkinSlot::Tabs), 165, 24, {2, 2, 2, 2}, 5, 0, 1);
  ExpectObject(Object(SkinSlot::StatusBar), 72, 18, {2, 1, 0, 0}, 3, 0, 0);
  ExpectObject(Object(SkinSlot::ToolBars), 170, 26, {3, 2, 3, 3}, 5, 0, 1);
  ExpectObject(Object(SkinSlot::ExtraImages), 80, 16, {}, 5, 0, 1);
  ExpectObject(Object(SkinSlot::Header), 185, 23, {1, 1, 0, 2}, 5, 0, 0);
  ExpectObject(Object(SkinSlot::MenuItem), 535, 16, {19, 3, 8, 8}, 5, 1, 1);
  ExpectObject(Object(SkinSlot::MenuBackground), 107, 99, {16, 8, 7, 8}, 1, 0, 0);
  ExpectObject(Object(SkinSlot::Scrollbar), 368, 16, {5, 5, 5, 5}, 23, 0, 1);
  ExpectObject(Object(SkinSlot::HorzScroll), 112, 16, {2, 2, 2, 2}, 4, 1, 0);
  ExpectObject(Object(SkinSlot::VertScroll), 64, 40, {1, 2, 2, 2}, 4, 1, 0);
  ExpectObject(Object(SkinSlot::HorzScrollThumb), 150, 16, {1, 2, 1, 2}, 3, 0, 0);
  ExpectObject(Object(SkinSlot::VertScrollThumb), 48, 50, {2, 1, 2, 1}, 3, 0, 1);
  ExpectObject(Object(SkinSlot::Track), 16, 4, {3, 3, 3, 3}, 1, 0, 0);
  EXPECT_EQ(Data().Slot(SkinSlot::TabPane), nullptr);
  EXPECT_EQ(Data().Slot(SkinSlot::UpDownHorz), nullptr);

  const auto& tabs = static_cast<const TDataSkinBorder&>(Object(SkinSlot::Tabs));
  EXPECT_EQ(tabs.Image2.Width(), 55);
  EXPECT_EQ(tabs.NormalColour, 2);
  EXPECT_EQ(tabs.PressedColour, 0);
  EXPECT_EQ(tabs.MouseOverColour, -1);
  EXPECT_EQ(tabs.NormalColour2, MakeColour(91, 91, 91));
  EXPECT_EQ(tabs.PressedColour2, 0);
  const auto& label = static_cast<const TDataSkinBoxLabel&>(Object(SkinSlot::GroupBox));
  EXPECT_EQ(label.BackgroundAlignment, 1);
  EXPECT_EQ(label.BackgroundLeftShift, -3);
  EXPECT_EQ(label.BackgroundRightShift, -3);
  EXPECT_EQ(Object(SkinSlot::Header).NormalColour, 0);
}

TEST_F(BlueSkin, ComboCompositeAndArrow) {
  const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
  const auto& button = static_cast<const TDataSkinBorder&>(Object(SkinSlot::ComboButton));
  ExpectObject(button, 200, 21, {2, 2, b + 2, 2}, 4, 0, 0);  // the sunk edge's top and bottom
  EXPECT_EQ(button.Style, 2);
  EXPECT_EQ(button.Image2.Width(), 64);  // the mirrored original
  const TDataSkinObject& sunk = Object(SkinSlot::SunkEdge);
  ExpectObject(sunk, 200, 21, {b + 2, 2, 2, 2}, 4, 0, 0);
  // The edit area of every cell is magenta; the sunk edge is the mirror.
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(button.Image.Pixel(50 * k + 10, 10), clMagenta);
    EXPECT_EQ(sunk.Image.Pixel(50 * k + 39, 10), clMagenta);
    EXPECT_EQ(sunk.Image.Pixel(50 * k + 3, 10), button.Image.Pixel(50 * (3 - k) + 46, 10));
  }
  const TDataSkinObject* arrow = Data().ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Image.Width(), 68);
  EXPECT_EQ(arrow->Image.Height(), 17);
  EXPECT_EQ(arrow->Frames, 4);
  // Cell 0 is the button area of strip cell 0: x from 50 - 19, y from 2.
  EXPECT_EQ(arrow->Image.Pixel(5, 5), button.Image.Pixel(31 + 5, 2 + 5));
}

TEST_F(BlueSkin, TitleColourToolbarGradientAndFaceBrush) {
  const SkinBitmap& top = Data().Edge(FrameEdge::Top).Image;
  EXPECT_EQ(Data().TitleColour(), top.Pixel(29, 8));
  const TDataSkinObject* toolbar = Data().Toolbar();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->Image.Width(), 10);
  EXPECT_EQ(toolbar->Image.Height(), 40);
  // Top row: 15 % of the face colour, 85 % white.
  EXPECT_EQ(toolbar->Image.Pixel(0, 0), BlendColors(MakeColour(223, 223, 223), clWhite, 150));
  LOGBRUSH brush{};
  ASSERT_NE(GetObjectW(Data().FaceBrush(), sizeof brush, &brush), 0);
  EXPECT_EQ(brush.lbColor, RGB(223, 223, 223));
}

}  // namespace
}  // namespace quonel
