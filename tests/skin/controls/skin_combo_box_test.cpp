// Combo boxes under the skin (the blue skin's composite of edit frame,
// button and arrow): the frame of each state around the control while its
// item area keeps the control's own painting, hot only over the button.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/text_entry/skin_combo_box.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"

namespace quonel::testing {
namespace {

constexpr int kWidth = 150;

class SkinComboBox : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10,
                            kWidth, 200, form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(combo);
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(form->Font().Handle()), TRUE);
    for (const wchar_t* server : {L"电信服务器", L"网通服务器"})
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(server));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SetFocus(nullptr);
    PumpMessages();
    RECT window{};
    GetWindowRect(combo, &window);
    height = window.bottom - window.top;
  }
  void Skin() {
    skin.reset(static_cast<TSkinComBox*>(CreateControlSkin(L"combobox").release()));
    ASSERT_TRUE(skin);
    skin->AttachHandle(combo, &Data(), nullptr);
  }
  // Differences from frame `frame` of the composite where it is opaque.
  int FrameDifferences(const Picture& printed, int frame) const {
    const TDataSkinObject& composite = *Data().Slot(SkinSlot::ComboButton);
    Canvas canvas(kWidth, height, clMagenta);
    StripFrame strip{composite.Image};
    strip.count = composite.Frames;
    strip.index = frame;
    strip.margins = composite.Margins;
    DrawSkinImage(canvas.Dc(), {0, 0, kWidth, height}, strip);
    const Picture expected(canvas);
    int differences = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (expected.At(x, y) != clMagenta && expected.At(x, y) != printed.At(x, y)) ++differences;
    return differences;
  }
  int ShownFrame() {
    const Picture printed = Print(combo);
    for (int frame = 1; frame <= 4; ++frame)
      if (FrameDifferences(printed, frame) == 0) return frame;
    return 0;
  }

  HWND combo = nullptr;
  int height = 0;
  std::unique_ptr<TSkinComBox> skin;
};

TEST_F(SkinComboBox, EachStateShowsItsFrameAroundTheControlsOwnItemArea) {
  ASSERT_EQ(2, Data().Slot(SkinSlot::ComboButton)->Style) << "the blue skin's composite";
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  const Picture before = Print(combo);
  Skin();
  EXPECT_EQ(1, ShownFrame());
  const Picture after = Print(combo);
  // Left of the skin's button, which may be wider than the control's own.
  const int buttonLeft = kWidth - Data().Slot(SkinSlot::ComboButton)->Margins.right;
  int itemDifferences = 0;
  for (int y = info.rcItem.top; y < info.rcItem.bottom; ++y)
    for (int x = info.rcItem.left; x < std::min<int>(info.rcItem.right, buttonLeft); ++x)
      if (before.At(x, y) != after.At(x, y)) ++itemDifferences;
  EXPECT_EQ(0, itemDifferences) << "the selected server's text is the control's";

  EnableWindow(combo, FALSE);
  EXPECT_EQ(3, ShownFrame());
  EnableWindow(combo, TRUE);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  EXPECT_EQ(2, ShownFrame()) << "the list dropped";
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
  EXPECT_EQ(1, ShownFrame());

  // Hot over the button only, until the pointer leaves.
  SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(20, height / 2));
  EXPECT_EQ(1, ShownFrame()) << "over the item area";
  SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(kWidth - 5, height / 2));
  EXPECT_EQ(4, ShownFrame());
  SendMessageW(combo, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(1, ShownFrame());
  SaveCapture(ScreenWhen(form->Handle(), [](const Capture& c) { return c.width > 0; }), "skin_combo_box");
}

TEST_F(SkinComboBox, ASimpleCombosListGetsTheSkinnedScrollBarsAndTheComboKeepsItsLook) {
  const HWND simple = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_SIMPLE, 10, 40,
                                      kWidth, 120, form->Handle(), nullptr, nullptr, nullptr);
  for (int i = 0; i < 30; ++i) SendMessageW(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"服务器"));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(simple, &info));
  const Picture before = Print(simple);
  auto skinned = CreateControlSkin(L"combobox");
  skinned->AttachHandle(simple, &Data(), nullptr);
  EXPECT_EQ(1, SendMessageW(info.hwndList, SKM_ISSKINNED, 0, 0)) << "the list's bars are the skin's";
  EXPECT_EQ(0, RegionDifferences(before, Print(simple), 0, 0)) << "no button, no frame";
}

}  // namespace
}  // namespace quonel::testing
