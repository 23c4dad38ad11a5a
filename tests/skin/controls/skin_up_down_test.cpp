// Spin buttons under the skin: each half shows its frame of an eight-frame
// UpDown.Vert strip (a skin packed here, one colour per frame) - disabled
// and pressed - on the screen and in print; the blue skin, which has no
// such strip, gives flat halves in its own colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "skin/bmp_builder.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/controls/text_entry/skin_up_down.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin_archive_writer.h"
#include "support/poisoned_storage.h"
#include "ui/window_subclass.h"

namespace quonel::testing {
namespace {

constexpr int kWidth = 16, kHeight = 34;  // the platform's scroll-arrow width
constexpr int kFrameWidth = 10, kFrameHeight = 16;

TColor FrameColour(int frame) { return MakeColour(20 * frame, 100, 250 - 20 * frame); }

class SkinUpDown : public SkinnedControls {
 protected:
  HWND AddUpDown() {
    const HWND window = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, kWidth, kHeight,
                                        form->Handle(), nullptr, nullptr, nullptr);
    EXPECT_TRUE(window);
    return window;
  }
  std::unique_ptr<TSkinControl> Skin(HWND window, TSkinData& data) {
    auto skin = CreateControlSkin(L"updown");
    EXPECT_TRUE(skin);
    skin->AttachHandle(window, &data, nullptr);
    return skin;
  }
  // Pixels of the half (0 first, 1 second) that are not `colour`.
  template <class Pixels>
  static int HalfDifferences(const Pixels& pixel, int half, TColor colour) {
    int differences = 0;
    for (int y = half * (kHeight / 2); y < (half + 1) * (kHeight / 2); ++y)
      for (int x = 0; x < kWidth; ++x)
        if (pixel(x, y) != colour) ++differences;
    return differences;
  }
  static int PrintedDifferences(HWND window, int half, TColor colour) {
    const Picture printed = Print(window);
    return HalfDifferences([&](int x, int y) { return printed.At(x, y); }, half, colour);
  }
};

// A skin whose UpDown.Vert strip has one solid colour per frame.
struct UpDownSkin {
  TSkinData data{nullptr};
  UpDownSkin() {
    const std::string strip = MakeBmp24(8 * kFrameWidth, kFrameHeight, [](int x, int) {
      return static_cast<uint32_t>(FrameColour(x / kFrameWidth + 1));
    });
    data.SetSkinStream(skinpack::PackArchive({{"updown.bmp", strip}, {"skin.ini", "[UpDown.Vert]\nImage=updown.bmp\n"}}));
    loaded = data.LoadSkin();
  }
  bool loaded = false;
};

TEST_F(SkinUpDown, EachHalfShowsItsFrameDisabledAndPressed) {
  UpDownSkin skin;
  ASSERT_TRUE(skin.loaded);
  ASSERT_EQ(8, skin.data.Slot(SkinSlot::UpDownVert)->Frames);
  const HWND window = AddUpDown();
  auto skinned = Skin(window, skin.data);
  EXPECT_EQ(0, PrintedDifferences(window, 0, FrameColour(1)));
  EXPECT_EQ(0, PrintedDifferences(window, 1, FrameColour(5)));

  // Disabled: the disabled image of each half, on the screen too.
  EnableWindow(window, FALSE);
  EXPECT_EQ(0, PrintedDifferences(window, 0, FrameColour(3)));
  EXPECT_EQ(0, PrintedDifferences(window, 1, FrameColour(7)));
  const auto disabledShown = [](const Capture& c) {
    const auto pixel = [&](int x, int y) { return static_cast<TColor>(c.Pixel(x, y)); };
    return c.width == kWidth && HalfDifferences(pixel, 0, FrameColour(3)) == 0 &&
           HalfDifferences(pixel, 1, FrameColour(7)) == 0;
  };
  EXPECT_TRUE(disabledShown(ScreenWhen(window, disabledShown)));
  EnableWindow(window, TRUE);

  // Pressing the lower half shows its pressed image there, the upper half stays normal.
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, kHeight - 5));
  PumpMessages();
  EXPECT_EQ(0, PrintedDifferences(window, 0, FrameColour(1)));
  EXPECT_EQ(0, PrintedDifferences(window, 1, FrameColour(6)));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(8, kHeight - 5));
  PumpMessages();
  EXPECT_EQ(0, PrintedDifferences(window, 1, FrameColour(5))) << "released";
  EXPECT_NE(window, GetCapture());
}

TEST_F(SkinUpDown, WithoutTheStripTheHalvesAreFlatInTheSkinsColours) {
  ASSERT_EQ(nullptr, Data().Slot(SkinSlot::UpDownVert));
  const HWND window = AddUpDown();
  auto skinned = Skin(window, Data());
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 3));
  PumpMessages();
  const Picture printed = Print(window);
  const TSkinColours& colours = Data().Colours();
  EXPECT_EQ(colours.ButtonDkShadow, printed.At(0, 0)) << "outline";
  EXPECT_EQ(colours.ButtonShadow, printed.At(2, 2)) << "the pressed upper half";
  EXPECT_EQ(colours.ButtonFace, printed.At(2, kHeight - 3)) << "the lower half";
  int arrow = 0;
  for (int y = 0; y < kHeight / 2; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (printed.At(x, y) == colours.ButtonText) ++arrow;
  EXPECT_EQ(16, arrow) << "an arrow of 1 + 3 + 5 + 7 pixels";
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
  PumpMessages();
}

TEST_F(SkinUpDown, ASpinButtonSkinFreedByItsParentsNotificationIsNotTouchedAfterwards) {
  const HWND window = AddUpDown();
  PoisonedStorage<TSkinUpDown> storage;
  storage.Construct()->AttachHandle(window, &Data(), nullptr);
  // The press notifies the parent, whose handler drops the skin.
  TWindowSubclass parent([&](TWindowSubclass& link, TMessage& m) {
    const bool fromSpin = m.Msg == WM_VSCROLL ||
                          (m.Msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom == window);
    if (fromSpin && !storage.Freed()) storage.Free();
    link.CallNext(m);
  });
  ASSERT_TRUE(parent.Attach(form->Handle()));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 3));
  ASSERT_TRUE(storage.Freed());
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
  EXPECT_NE(window, GetCapture()) << "the control itself goes on as usual";
}

}  // namespace
}  // namespace quonel::testing
