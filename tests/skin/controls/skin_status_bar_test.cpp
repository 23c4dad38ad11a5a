// Status bars and size grips under the skin: each panel framed from the
// StatusBarEdges strip by its bevel, the size grip from the skin's extra
// images, and a size grip control in the face colour.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel::testing {
namespace {

class SkinStatusBar : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
  }
  std::unique_ptr<TSkinControl> Skin(const wchar_t* kind, HWND window) {
    auto skin = CreateControlSkin(kind);
    skin->AttachHandle(window, &Data(), nullptr);
    return skin;
  }
  // Frame `frame` of the edge strip over the face colour, at that size.
  Picture EdgeFrame(int width, int height, int frame) const {
    const TDataSkinObject& edges = *Data().Slot(SkinSlot::StatusBar);
    Canvas canvas(width, height, Face());
    DrawSkinObject(canvas.Dc(), {0, 0, width, height}, edges.Frames, frame, edges);
    return Picture(canvas);
  }
};

TEST_F(SkinStatusBar, PanelsAreFramedByTheirBevelAndTheGripComesFromTheSkin) {
  const HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                   form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  int parts[] = {100, 200, -1};
  SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
  SendMessageW(bar, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L""));
  SendMessageW(bar, SB_SETTEXTW, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L""));
  auto skin = Skin(L"statusbar", bar);
  const Picture printed = Print(bar);

  // Lowered, raised and borderless panels: frames 1, 2 and 3, each from the
  // platform's rectangle of the panel (the strip's three frames all differ).
  const int expectedFrame[] = {1, 2, 3};
  for (int i = 0; i < 3; ++i) {
    RECT r{};
    ASSERT_TRUE(SendMessageW(bar, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)));
    const Picture frame = EdgeFrame(r.right - r.left + 2, r.bottom - r.top, expectedFrame[i]);
    int differences = 0;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < 40; ++x) differences += frame.At(x, y) != printed.At(r.left + x, r.top + y);
    EXPECT_EQ(0, differences) << "panel " << i;
  }

  // The grip: frame 5 of the extra images, ending 1 pixel inside the corner.
  const TDataSkinObject& extras = *Data().Slot(SkinSlot::ExtraImages);
  const int cell = extras.Image.Width() / 5;
  const int left = printed.width - cell - 1, top = printed.height - extras.Image.Height() - 1;
  int gripPixels = 0, differences = 0;
  for (int y = 0; y < extras.Image.Height(); ++y)
    for (int x = 0; x < cell; ++x) {
      const TColor source = extras.Image.Pixel(4 * cell + x, y);
      if (source == clMagenta) continue;
      ++gripPixels;
      differences += source != printed.At(left + x, top + y);
    }
  EXPECT_GT(gripPixels, 10);
  EXPECT_EQ(0, differences);
}

TEST_F(SkinStatusBar, ASizeGripIsTheFaceColour) {
  const HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 150, 20, 20,
                                    form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  auto skin = Skin(L"sizer", grip);
  const Picture printed = Print(grip);
  int others = 0;
  for (TColor pixel : printed.pixels) others += pixel != Face();
  EXPECT_EQ(0, others);
  const Capture shown = ScreenWhen(grip, [&](const Capture& c) { return SameAs(c, printed); });
  EXPECT_TRUE(SameAs(shown, printed));
}

}  // namespace
}  // namespace quonel::testing
