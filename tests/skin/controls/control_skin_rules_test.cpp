// The arithmetic of the control skins: which mark frame shows a state, where
// captions, marks and focus rectangles go, and which skin a bare window of a
// standard class gets.
#include <gtest/gtest.h>

#include "skin/controls/buttons/caption_layout.h"
#include "skin/controls/bare_window_kinds.h"
#include "skin/controls/buttons/glyph_layout.h"
#include "skin/controls/buttons/mark_frames.h"

namespace quonel {
namespace {

CheckMarkState Check(CheckValue value, bool disabled, bool fromControl = false) { return {value, disabled, fromControl}; }

TEST(MarkFrames, ShortStripsCountUncheckedCheckedThenTheirDisabledForms) {
  for (int count : {4, 5, 8}) {
    SCOPED_TRACE(count);
    EXPECT_EQ(1, CheckBoxFrame(Check(CheckValue::Unchecked, false), count));
    EXPECT_EQ(2, CheckBoxFrame(Check(CheckValue::Checked, false), count));
    EXPECT_EQ(3, CheckBoxFrame(Check(CheckValue::Unchecked, true), count));
    EXPECT_EQ(4, CheckBoxFrame(Check(CheckValue::Checked, true), count));
    // The window's own indeterminate state shows the greyed checked frame, enabled or not.
    EXPECT_EQ(4, CheckBoxFrame(Check(CheckValue::Indeterminate, false), count));
    EXPECT_EQ(4, CheckBoxFrame(Check(CheckValue::Indeterminate, true), count));
  }
  // A greyed state of the control's own, disabled, has frame 6 where the strip has one.
  EXPECT_EQ(6, CheckBoxFrame(Check(CheckValue::Indeterminate, true, true), 8));
  EXPECT_EQ(4, CheckBoxFrame(Check(CheckValue::Indeterminate, true, true), 5)) << "never beyond the strip";
  EXPECT_EQ(1, RadioButtonFrame(false, false, 5));
  EXPECT_EQ(2, RadioButtonFrame(true, false, 5));
  EXPECT_EQ(3, RadioButtonFrame(false, true, 5));
  EXPECT_EQ(4, RadioButtonFrame(true, true, 12));
}

TEST(MarkFrames, TwelveCheckAndEightRadioFramesHaveTheirOwnOrder) {
  EXPECT_EQ(1, CheckBoxFrame(Check(CheckValue::Unchecked, false), 12));
  EXPECT_EQ(5, CheckBoxFrame(Check(CheckValue::Checked, false), 12));
  EXPECT_EQ(4, CheckBoxFrame(Check(CheckValue::Unchecked, true), 12));
  EXPECT_EQ(8, CheckBoxFrame(Check(CheckValue::Checked, true), 12));
  // The window's own grey state has the strip's indeterminate frames; one
  // that only the control knows is remapped like the greyed checked value.
  EXPECT_EQ(9, CheckBoxFrame(Check(CheckValue::Indeterminate, false), 12));
  EXPECT_EQ(12, CheckBoxFrame(Check(CheckValue::Indeterminate, true), 12));
  EXPECT_EQ(8, CheckBoxFrame(Check(CheckValue::Indeterminate, false, true), 12));
  EXPECT_EQ(6, CheckBoxFrame(Check(CheckValue::Indeterminate, true, true), 12));
  EXPECT_EQ(1, RadioButtonFrame(false, false, 8));
  EXPECT_EQ(5, RadioButtonFrame(true, false, 8));
  EXPECT_EQ(4, RadioButtonFrame(false, true, 8));
  EXPECT_EQ(8, RadioButtonFrame(true, true, 8));
}

TEST(CaptionLayout, ButtonCaptionsBreakAtTheFirstDoubleBarAndSitAPixelAboveTheMiddle) {
  EXPECT_EQ(L"上一步\r\n下一步", PrepareButtonCaption(L"上一步||下一步"));
  EXPECT_EQ(L"a\r\nb||c", PrepareButtonCaption(L"a||b||c"));
  EXPECT_EQ(L"plain", PrepareButtonCaption(L"plain"));
  EXPECT_EQ((Rect{25, 4, 61, 17}), ButtonTextRect({0, 0, 87, 23}, {36, 13}, true));
  EXPECT_EQ((Rect{0, 4, 87, 17}), ButtonTextRect({0, 0, 87, 23}, {36, 13}, false));
}

TEST(CaptionLayout, FocusRectanglesSurroundTheCaptionInsideTheirArea) {
  // Centred: offsets of half the spare room (one pixel up), then 2 x 1 wider.
  EXPECT_EQ((Rect{23, 3, 63, 18}), CaptionFocusRect({0, 0, 87, 23}, {36, 13}, kFormatCentre));
  // Right-aligned: moved by the whole spare width, and kept inside the area.
  EXPECT_EQ((Rect{49, 0, 87, 14}), CaptionFocusRect({0, 0, 87, 23}, {36, 13}, kFormatRight));
  // Left-aligned at the area's corner: clipped to it.
  EXPECT_EQ((Rect{15, 0, 53, 14}), CaptionFocusRect({15, 0, 100, 17}, {36, 13}, 0));
}

TEST(CaptionLayout, MarksSitLeftOrRightOfTheirCaptionTwoPixelsApart) {
  const MarkLayout left = LayOutMark({0, 0, 100, 17}, 13, 13, false, false);
  EXPECT_EQ((Rect{0, 2, 13, 15}), left.mark);
  EXPECT_EQ((Rect{15, 0, 100, 17}), left.captionArea);
  const MarkLayout checkRight = LayOutMark({0, 0, 100, 17}, 13, 13, true, false);
  EXPECT_EQ((Rect{87, 2, 100, 15}), checkRight.mark);
  EXPECT_EQ((Rect{0, 0, 85, 17}), checkRight.captionArea);
  const MarkLayout radioRight = LayOutMark({0, 0, 100, 17}, 13, 13, true, true);
  EXPECT_EQ((Rect{86, 2, 99, 15}), radioRight.mark);
  EXPECT_EQ(84, radioRight.captionArea.right);
}

TEST(CaptionLayout, GroupBoxFrameAndCaptionBand) {
  EXPECT_EQ(5, GroupFrameTop(12));
  EXPECT_EQ(5, GroupFrameTop(13));
  EXPECT_EQ(-1, GroupFrameTop(0)) << "no caption font still gives a frame";
  EXPECT_EQ((Rect{8, 0, 396, 41}), GroupCaptionRect({0, 0, 396, 41}, false));
  EXPECT_EQ((Rect{0, 0, 388, 41}), GroupCaptionRect({0, 0, 396, 41}, true)) << "ends 8 pixels before the right edge";
}

GlyphLayoutInput Glyph(GlyphSide side, int margin, int spacing, TextSize text, bool speed = false) {
  GlyphLayoutInput in;
  in.width = 87;
  in.height = 23;
  in.glyph = {16, 16};
  in.text = text;
  in.side = side;
  in.margin = margin;
  in.spacing = spacing;
  in.speedButton = speed;
  return in;
}

TEST(GlyphLayout, CentredPairsAndEvenSpreadAlongTheGlyphsSide) {
  GlyphLayout out = LayOutGlyph(Glyph(GlyphSide::Left, -1, 4, {36, 12}));
  EXPECT_EQ(15, out.glyphX);
  EXPECT_EQ(4, out.glyphY);
  EXPECT_EQ((Rect{35, 6, 71, 18}), out.text);
  EXPECT_EQ(0u, out.format);
  EXPECT_EQ(16, LayOutGlyph(Glyph(GlyphSide::Left, -1, 4, {36, 12}, true)).glyphX) << "speed buttons: one further";
  out = LayOutGlyph(Glyph(GlyphSide::Left, -1, -1, {36, 12}));
  EXPECT_EQ(11, out.glyphX);
  EXPECT_EQ(38, out.text.left);
  EXPECT_EQ(35, LayOutGlyph(Glyph(GlyphSide::Left, -1, 4, {0, 0})).glyphX) << "no caption, no spacing";

  out = LayOutGlyph(Glyph(GlyphSide::Right, 2, -1, {36, 12}));
  EXPECT_EQ(69, out.glyphX);
  EXPECT_EQ(17, out.text.left);
  EXPECT_EQ(kFormatRight, out.format);

  GlyphLayoutInput top = Glyph(GlyphSide::Top, -1, 4, {30, 12});
  top.width = top.height = 60;
  out = LayOutGlyph(top);
  EXPECT_EQ(22, out.glyphX);
  EXPECT_EQ(14, out.glyphY);
  EXPECT_EQ((Rect{15, 34, 45, 46}), out.text);
  EXPECT_EQ(kFormatCentre, out.format);

  GlyphLayoutInput centred = Glyph(GlyphSide::Left, 3, 4, {36, 12});
  centred.centred = true;
  EXPECT_EQ(15, LayOutGlyph(centred).glyphX) << "a centred bit button ignores its margin";
  centred.speedButton = true;
  EXPECT_EQ(3, LayOutGlyph(centred).glyphX) << "speed buttons have no alignment";

  EXPECT_EQ((Rect{2, 2, 67, 21}), GlyphTextArea(87, 23, {16, 16}, GlyphSide::Left));
  EXPECT_EQ((Rect{2, 2, 85, 3}), GlyphTextArea(87, 23, {16, 16}, GlyphSide::Bottom));
}

TEST(BareWindowChoice, ButtonsByStyleContainersWithTheirChildrenFirst) {
  auto kind = [](const wchar_t* name, uint32_t style) { return BareWindowChoice(name, style).kind; };
  EXPECT_EQ(L"button", kind(L"Button", 0x50010000));          // push, WS_TABSTOP
  EXPECT_EQ(L"checkbox", kind(L"button", 0x6));               // automatic three-state
  EXPECT_EQ(L"radiobutton", kind(L"BUTTON", 0x9));
  EXPECT_EQ(L"", kind(L"button", 0x7));                       // group box
  EXPECT_EQ(L"", kind(L"button", 0x80));                      // picture
  EXPECT_TRUE(BareWindowChoice(L"button", 0xB).handled);      // owner-drawn: handled, no skin
  EXPECT_EQ(L"", kind(L"ComboBox", 0x1));                     // simple
  EXPECT_EQ(L"combobox", kind(L"ComboBox", 0x3));
  EXPECT_EQ(L"comboboxex", kind(L"ComboBoxEx32", 0));
  EXPECT_EQ(L"sizer", kind(L"ScrollBar", 0x10));              // SBS_SIZEGRIP
  EXPECT_EQ(L"scrollbarcontrol", kind(L"ScrollBar", 0x1));
  EXPECT_EQ(L"", kind(L"SysTabControl32", 0x2000));           // owner-drawn tabs
  EXPECT_EQ(L"", kind(L"Static", 0));

  const ControlSkinChoice nested = BareWindowChoice(L"#32770", 0x94C80000);
  EXPECT_EQ(L"boxh", nested.kind);
  EXPECT_TRUE(nested.skinChildren) << "a dialog inside a dialog skins its children first";
  EXPECT_FALSE(BareWindowChoice(L"#32770", 0x00010000).handled);
  const ControlSkinChoice panel = BareWindowChoice(L"TPanel", 0);
  EXPECT_EQ(L"", panel.kind);
  EXPECT_TRUE(panel.skinChildren && panel.recolour);
}

}  // namespace
}  // namespace quonel
