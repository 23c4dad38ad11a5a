// Edits under the skin: the skin's border (a shadow line, then white) takes
// only the border the window really has - two lines on a sunken edit, none
// on a flat one, whose line lies in its client area - and every client
// pixel keeps its colour; a spin button inside an edit is found and skinned.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/text_entry/skin_edit.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "ui/edit.h"

namespace quonel::testing {
namespace {

constexpr int kWidth = 300;

class SkinEdit : public SkinnedControls {
 protected:
  std::unique_ptr<TSkinControl> Skin(TControl* control, HWND window) {
    auto skin = CreateControlSkin(L"edit");
    EXPECT_TRUE(skin);
    if (control) skin->Attach(control, &Data(), nullptr, false);
    else skin->AttachHandle(window, &Data(), nullptr);
    return skin;
  }
  static Capture Shown(HWND window) { return ScreenWhen(window, [](const Capture& c) { return c.width > 0; }); }
  // Pixels of ring `ring` (0 the outermost) that are not `colour`.
  static int RingDifferences(const Capture& c, int ring, TColor colour) {
    int differences = 0;
    for (int y = ring; y < c.height - ring; ++y)
      for (int x = ring; x < c.width - ring; ++x) {
        const bool onRing = x == ring || y == ring || x == c.width - 1 - ring || y == c.height - 1 - ring;
        if (onRing && static_cast<TColor>(c.Pixel(x, y)) != colour) ++differences;
      }
    return differences;
  }
  // Pixels inside `inset` rings that differ between two captures.
  static int InsideDifferences(const Capture& a, const Capture& b, int inset) {
    if (a.width != b.width || a.height != b.height) return a.width * a.height;
    int differences = 0;
    for (int y = inset; y < a.height - inset; ++y)
      for (int x = inset; x < a.width - inset; ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) ++differences;
    return differences;
  }
};

TEST_F(SkinEdit, TheBorderTakesOnlyTheWindowsOwnBorderAndNoClientPixel) {
  // The wizard's address edit has a 1-pixel flat border: an edit draws that
  // one itself, inside its client area, so it has no border of the window's.
  auto* flat = Add<TEdit>(10, 10, kWidth, 18, L"http://127.0.0.1/quonel/");
  flat->SetCtl3D(false);
  flat->SetColor(clInfoBk);
  auto* sunken = Add<TEdit>(10, 40, kWidth, 21, L"http://127.0.0.1/quonel/");
  sunken->SetColor(MakeColour(255, 255, 200));  // not white: a white line on the client would show
  SetFocus(nullptr);  // no caret blinking between two pictures
  PumpMessages();
  const Capture flatBefore = Shown(flat->Handle()), sunkenBefore = Shown(sunken->Handle());
  const Picture printedBefore = Print(sunken->Handle());
  auto flatSkin = Skin(flat, nullptr), sunkenSkin = Skin(sunken, nullptr);
  EXPECT_EQ(0, RegionDifferences(printedBefore, Print(sunken->Handle()), 0, 0)) << "a client print has no border";

  // The sunken edit's 2-pixel border takes the shadow line and one white line of three.
  const TColor shadow = Data().Colours().ButtonShadow;
  const auto skinned = [&](const Capture& c) {
    return RingDifferences(c, 0, shadow) == 0 && RingDifferences(c, 1, clWhite) == 0;
  };
  const Capture sunkenAfter = ScreenWhen(sunken->Handle(), skinned);
  EXPECT_EQ(0, RingDifferences(sunkenAfter, 0, shadow));
  EXPECT_EQ(0, RingDifferences(sunkenAfter, 1, clWhite));
  EXPECT_EQ(0, InsideDifferences(sunkenBefore, sunkenAfter, 2)) << "the client pixels next to the border keep their colour";

  InvalidateRect(flat->Handle(), nullptr, TRUE);
  PumpMessages();
  EXPECT_EQ(0, InsideDifferences(flatBefore, Shown(flat->Handle()), 0)) << "no border of the window's: nothing drawn";

  // Painted again over the edit's own non-client painting.
  SetWindowPos(sunken->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_TRUE(skinned(ScreenWhen(sunken->Handle(), skinned)));
}

TEST_F(SkinEdit, ASpinButtonInsideTheEditIsSkinnedClearOfTheBorder) {
  auto* edit = Add<TEdit>(10, 10, 120, 21, L"5");
  const HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 100, 0, 16, 17, edit->Handle(),
                                    nullptr, nullptr, nullptr);
  ASSERT_TRUE(spin);
  auto skin = Skin(edit, nullptr);
  InvalidateRect(edit->Handle(), nullptr, TRUE);
  PumpMessages();
  auto* skinned = static_cast<TSkinEdit*>(skin.get());
  ASSERT_TRUE(skinned->SpinSkin());
  EXPECT_EQ(spin, skinned->SpinSkin()->Window());
  // The edit (120 x 21) has a 2-pixel border; the spin starts at its client
  // top, 2 pixels down. Its halves keep 3 pixels clear of the edit's edges:
  // one row lower, the last column left white.
  const Picture printed = Print(spin);
  EXPECT_EQ(clWhite, printed.At(8, 0));
  EXPECT_EQ(Data().Colours().ButtonDkShadow, printed.At(0, 1)) << "the upper half's outline";
  EXPECT_EQ(clWhite, printed.At(15, 5));
  EXPECT_EQ(Data().Colours().ButtonDkShadow, printed.At(14, 5));
}

}  // namespace
}  // namespace quonel::testing
