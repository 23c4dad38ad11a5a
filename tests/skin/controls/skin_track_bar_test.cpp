// Track bars under the skin, through the control's custom drawing: with a
// skin that has thumb and channel images the thumb shows frame 2 of its
// strip and the channel its image; with the built-in skin, which has no
// thumb image, the thumb is outlined in the skin's shadow colour.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/bmp_builder.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin_archive_writer.h"

namespace quonel::testing {
namespace {

// The five thumb frames, each one colour.
const TColor kThumbFrames[] = {MakeColour(200, 0, 0), MakeColour(0, 160, 0), MakeColour(0, 0, 180),
                               MakeColour(120, 120, 0), MakeColour(0, 120, 120)};
const TColor kChannel = MakeColour(30, 60, 90);

class SkinTrackBar : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
  }
  HWND Track() {
    const HWND track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, 10,
                                       10, 240, 32, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageW(track, TBM_SETPOS, TRUE, 3);
    return track;
  }
  static RECT Thumb(HWND track) {
    RECT r{};
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  std::unique_ptr<TSkinControl> skin;
};

TEST_F(SkinTrackBar, TheThumbShowsFrameTwoAndTheChannelItsImage) {
  TSkinData own(nullptr);
  std::vector<skinpack::MemberFile> members{
      {"thumb.bmp", MakeBmp24(50, 20, [](int x, int) { return kThumbFrames[x / 10]; })},
      {"track.bmp", MakeBmp24(12, 4, [](int, int) { return kChannel; })},
      {"skin.ini", "[Trackbar.ThumbHorz]\nImage=thumb.bmp\n[Track]\nImage=track.bmp\nLeftWidth=2\nRightWidth=2\n"}};
  own.SetSkinStream(skinpack::PackArchive(members));
  ASSERT_TRUE(own.LoadSkin());

  const HWND track = Track();
  skin = CreateControlSkin(L"trackbar");
  skin->AttachHandle(track, &own, nullptr);
  const Picture printed = Print(track);

  const RECT thumb = Thumb(track);
  ASSERT_GT(thumb.right - thumb.left, 4);
  EXPECT_EQ(kThumbFrames[1], printed.At((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2));
  RECT channel{};
  SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int middle = (channel.top + channel.bottom) / 2;
  EXPECT_EQ(kChannel, printed.At(thumb.right + 20, middle));
  EXPECT_EQ(kChannel, printed.At(channel.left + 3, middle));

  // The control's own painting comes back with the skin switched off.
  SendMessageW(track, 0x3506, 0, 0);
  EXPECT_NE(kThumbFrames[1], Print(track).At((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2));
}

TEST_F(SkinTrackBar, WithoutAThumbImageTheThumbIsOutlinedInTheShadowColour) {
  const HWND track = Track();
  skin = CreateControlSkin(L"trackbar");
  skin->AttachHandle(track, &Data(), nullptr);
  const RECT thumb = Thumb(track);
  const Capture shown = ScreenWhen(track, [&](const Capture& c) {
    return static_cast<TColor>(c.Pixel(thumb.left, (thumb.top + thumb.bottom) / 2)) == Data().Colours().ButtonShadow;
  });
  EXPECT_EQ(Data().Colours().ButtonShadow, static_cast<TColor>(shown.Pixel(thumb.left, (thumb.top + thumb.bottom) / 2)));
  EXPECT_EQ(Data().Colours().ButtonShadow, static_cast<TColor>(shown.Pixel(thumb.right - 1, thumb.top)));
  EXPECT_EQ(Face(), static_cast<TColor>(shown.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2)));
}

}  // namespace
}  // namespace quonel::testing
