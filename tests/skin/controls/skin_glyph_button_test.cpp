// Bit, menu and speed buttons under the skin: the glyph by state (greyed
// when disabled), the drop-down arrow, and a flat speed button that shows
// the skin's frame only when hot or down.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/skin_renderers.h"
#include "ui/bit_btn.h"
#include "ui/speed_button.h"
#include "skin/controls/buttons/skin_glyph_buttons.h"
#include "support/poisoned_storage.h"

namespace quonel::testing {
namespace {

constexpr TColor kKey = 0x00FF00;  // the glyphs' bottom-left colour: transparent
const TColor kGlyphColours[] = {0xFF0000, 0x0000FF, 0x00FFFF, 0x808000};

// count 16 x 16 glyphs, glyph k a square of kGlyphColours[k] in a key-coloured border.
HBITMAP GlyphStrip(int count) {
  Canvas canvas(16 * count, 16, kKey);
  for (int k = 0; k < count; ++k) FillWithColor(canvas.Dc(), {16 * k + 2, 2, 16 * k + 14, 14}, kGlyphColours[k]);
  GdiFlush();
  return static_cast<HBITMAP>(CopyImage(canvas.bitmap.Handle(), IMAGE_BITMAP, 0, 0, 0));
}

class SkinGlyphButtons : public SkinnedControls {
 protected:
  std::unique_ptr<TSkinControl> Skin(const wchar_t* kind, TControl* control) {
    auto skin = CreateControlSkin(kind);
    skin->Attach(control, &Data(), nullptr, false);
    return skin;
  }
};

TEST_F(SkinGlyphButtons, ABitButtonDrawsTheGlyphOfItsStateOnTheSkinsFrame) {
  auto* button = Add<TBitBtn>(20, 20, 87, 23, L"");
  button->ButtonGlyph().Glyph.SetHandle(GlyphStrip(3));
  button->ButtonGlyph().NumGlyphs = 3;
  auto skin = Skin(L"BitBtn", button);
  // No caption: the glyph centred at ((87 - 16) / 2, (23 - 16 + 1) / 2).
  Picture printed = Print(button->Handle());
  EXPECT_EQ(kGlyphColours[0], printed.At(35 + 8, 4 + 8));
  EXPECT_EQ(ButtonFrame(87, 23, 1).At(35, 4), printed.At(35, 4)) << "the glyph's key colour lets the face show";
  EXPECT_EQ(0, EdgeDifferences(printed, ButtonFrame(87, 23, 1), 6));

  button->SetEnabled(false);
  printed = Print(button->Handle());
  const TColor grey = printed.At(35 + 8, 4 + 8);
  EXPECT_EQ(RedOf(grey), GreenOf(grey)) << "the disabled glyph (the second) greyed";
  EXPECT_EQ(RedOf(grey), BlueOf(grey));
  EXPECT_EQ((0xFF + 0 + 0) / 3, RedOf(grey)) << "from the second glyph's pure red";
  EXPECT_EQ(0, EdgeDifferences(printed, ButtonFrame(87, 23, 3), 6));

  // Without a glyph an image list stands in: ImageIndex, DisabledIndex while disabled.
  auto* images = new TImageList(form);
  images->LoadStripFromRows(std::vector<std::wstring>(16, std::wstring(16, L'R') + std::wstring(16, L'B')));
  auto* listed = Add<TBitBtn>(20, 60, 87, 23, L"");
  listed->SetImages(images);
  listed->SetImageIndex(0);
  listed->SetDisabledIndex(1);
  auto listedSkin = Skin(L"bitbtn", listed);
  TColor centre = Print(listed->Handle()).At(35 + 8, 4 + 8);
  EXPECT_TRUE(RedOf(centre) > 150 && BlueOf(centre) < 100) << std::hex << centre;
  listed->SetEnabled(false);
  centre = Print(listed->Handle()).At(35 + 8, 4 + 8);
  EXPECT_TRUE(BlueOf(centre) > 100 && RedOf(centre) < 100) << std::hex << centre;
}

TEST_F(SkinGlyphButtons, AMenuButtonHasItsArrowRightOfTheCaption) {
  auto* button = Add<TButton>(20, 60, 87, 23, L"更多");
  auto skin = Skin(L"menubtn", button);
  const Picture printed = Print(button->Handle());
  EXPECT_EQ(static_cast<TColor>(ColorToRGB(clWindowText)), printed.At(87 - 12, 23 / 2));
  EXPECT_EQ(static_cast<TColor>(ColorToRGB(clWindowText)), printed.At(87 - 14, 23 / 2 - 1));
  EXPECT_EQ(0, EdgeDifferences(printed, ButtonFrame(87, 23, 1), 6));
  SetFocus(button->Handle());
  EXPECT_EQ(0, EdgeDifferences(Print(button->Handle()), ButtonFrame(87, 23, 4), 6)) << "focused shows hot";
}

TEST_F(SkinGlyphButtons, AFlatSpeedButtonShowsTheFrameOnlyWhenHotOrDown) {
  auto* speed = new TSpeedButton(form);
  speed->SetBounds(200, 20, 40, 30);
  speed->SetParent(form);
  speed->SetFlat(true);
  speed->SetGroupIndex(1);
  speed->ButtonGlyph().Glyph.SetHandle(GlyphStrip(4));
  speed->ButtonGlyph().NumGlyphs = 4;
  auto skin = Skin(L"speedbutton", speed);
  const auto part = [&] {
    const Picture whole = Print(form->Handle());
    Canvas cut(40, 30, clBlack);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) SetPixel(cut.Dc(), x, y, static_cast<COLORREF>(whole.At(200 + x, 20 + y)));
    return Picture(cut);
  };
  const Picture flat = part();
  EXPECT_EQ(Face(), flat.At(0, 0)) << "no frame";
  EXPECT_EQ(kGlyphColours[0], flat.At(20, 15));

  speed->Perform(CM_MOUSEENTER);
  EXPECT_EQ(0, EdgeDifferences(part(), ButtonFrame(40, 30, 4), 4));
  speed->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(Face(), part().At(0, 0));

  speed->SetDown(true);
  const Picture down = part();
  EXPECT_EQ(0, EdgeDifferences(down, ButtonFrame(40, 30, 2), 4));
  EXPECT_EQ(kGlyphColours[3], down.At(20, 15)) << "glyph 4 while down";
}

TEST_F(SkinGlyphButtons, ASpeedButtonSkinFreedByTheButtonsMouseDownIsNotTouchedAfterwards) {
  auto* speed = new TSpeedButton(form);
  speed->SetBounds(200, 20, 40, 30);
  speed->SetParent(form);
  PoisonedStorage<TSkinSpeedButton> storage;
  storage.Construct()->Attach(speed, &Data(), nullptr, false);
  bool clicked = false;
  speed->OnMouseDown = [&](TComponent*, TMouseButton, unsigned, int, int) { storage.Free(); };
  speed->OnClick = [&](TComponent*) { clicked = true; };
  speed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_TRUE(storage.Freed());
  speed->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(clicked) << "the button clicks by itself";
}

}  // namespace
}  // namespace quonel::testing
