// Date pickers under the skin: the arrow button over the picker's own
// drop-down button in the skin's combo arrow, a click on it opening the
// picker's calendar.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/text_entry/skin_date_time.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel::testing {
namespace {

constexpr int kWidth = 150, kHeight = 22;

class SkinDateTime : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    picker = CreateWindowExW(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, kWidth,
                             kHeight, form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(picker);
    skin.reset(static_cast<TSkinDateTime*>(CreateControlSkin(L"datetimepicker").release()));
    ASSERT_TRUE(skin);
    skin->AttachHandle(picker, &Data(), nullptr);
    ASSERT_TRUE(skin->Arrow());
  }
  // The combo arrow's frame stretched over the face colour, at the button's size.
  Picture ArrowFrame(int width, int height, int frame) const {
    const TDataSkinObject& arrow = *Data().ComboxArrow();
    Canvas canvas(width, height, Face());
    StripFrame strip{arrow.Image};
    strip.count = arrow.Frames;
    strip.index = frame;
    strip.transparent = true;
    DrawFrameStretched(canvas.Dc(), {0, 0, width, height}, strip);
    return Picture(canvas);
  }

  HWND picker = nullptr;
  std::unique_ptr<TSkinDateTime> skin;
};

TEST_F(SkinDateTime, TheArrowButtonLiesOverThePickersButtonAndOpensItsCalendar) {
  const HWND arrow = skin->Arrow()->Window();
  ASSERT_EQ(picker, GetParent(arrow));
  EXPECT_TRUE(GetWindowLongPtrW(picker, GWL_STYLE) & WS_CLIPCHILDREN);
  const int size = GetSystemMetrics(SM_CXHSCROLL);
  RECT placed{};
  GetWindowRect(arrow, &placed);
  MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(kWidth - 4, placed.right) << "flush with the right of the picker's client area";

  const Picture normal = ArrowFrame(size, size + 1, 1), hot = ArrowFrame(size, size + 1, 4);
  ASSERT_GT(RegionDifferences(normal, hot, 0, 0), 0);
  EXPECT_EQ(0, RegionDifferences(normal, Print(arrow), 0, 0));
  SendMessageW(arrow, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(0, RegionDifferences(hot, Print(arrow), 0, 0));
  SendMessageW(arrow, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(0, RegionDifferences(normal, Print(arrow), 0, 0));

  // A click on the button reaches the picker at the same place: it drops its calendar.
  PostMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(size / 2, size / 2));
  PostMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(size / 2, size / 2));
  HWND calendar = nullptr;
  const DWORD deadline = GetTickCount() + 10000;
  while (GetTickCount() < deadline) {
    PumpMessages();
    calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    if (calendar && IsWindowVisible(calendar)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  ASSERT_TRUE(calendar);
  EXPECT_TRUE(IsWindowVisible(calendar));
  SendMessageW(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
  PumpMessages();

  // Freeing the skin takes the button away; the picker stays.
  skin.reset();
  EXPECT_FALSE(IsWindow(arrow));
  EXPECT_TRUE(IsWindow(picker));
  EXPECT_FALSE(GetWindowLongPtrW(picker, GWL_STYLE) & WS_CLIPCHILDREN) << "the picker's own style is back";
}

}  // namespace
}  // namespace quonel::testing
