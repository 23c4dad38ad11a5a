// Progress bars under the skin: the trough and the filled part from the
// skin's Progress strip, in proportion to the position, lying and standing;
// and what a bar whose position runs past its limit (or whose limit is not
// positive) shows - a window of another library that answers the progress
// messages without keeping the position in range stands in for one.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/bitmap_transforms.h"

namespace quonel::testing {
namespace {

constexpr int kLength = 200, kThickness = 18;

// What the stand-in answers.
struct ProgressAnswers {
  int position = 0, limit = 100;
};

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* answers = reinterpret_cast<const ProgressAnswers*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (answers && message == PBM_GETPOS) return answers->position;
  if (answers && message == PBM_GETRANGE) return wParam ? 0 : answers->limit;
  return DefWindowProcW(window, message, wParam, lParam);
}

class SkinProgress : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    WNDCLASSW standIn{};
    standIn.lpfnWndProc = StandInProc;
    standIn.hInstance = GetModuleHandleW(nullptr);
    standIn.lpszClassName = L"TProgressBar";
    RegisterClassW(&standIn);
  }
  HWND Bar(const wchar_t* className, DWORD style, int width, int height) {
    const HWND bar = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * skins.size(),
                                     width, height, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    auto skin = CreateControlSkin(L"progress");
    skin->AttachHandle(bar, &Data(), nullptr);
    skins.push_back(std::move(skin));
    return bar;
  }
  HWND StandIn(const ProgressAnswers& answers) {
    const HWND bar = Bar(L"TProgressBar", 0, kLength, kThickness);
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answers));
    return bar;
  }
  static Picture At(HWND bar, int position) {
    SendMessageW(bar, PBM_SETPOS, position, 0);
    return Print(bar);
  }
  // Columns [from, to) of a and b that differ.
  static int ColumnDifferences(const Picture& a, const Picture& b, int from, int to) {
    int differences = 0;
    for (int y = 0; y < a.height; ++y)
      for (int x = from; x < to; ++x) differences += a.At(x, y) != b.At(x, y);
    return differences;
  }
  // Rows [from, to) of a and b that differ.
  static int RowDifferences(const Picture& a, const Picture& b, int from, int to) {
    int differences = 0;
    for (int y = from; y < to; ++y)
      for (int x = 0; x < a.width; ++x) differences += a.At(x, y) != b.At(x, y);
    return differences;
  }
  std::vector<std::unique_ptr<TSkinControl>> skins;
};

TEST_F(SkinProgress, TheFilledPartFollowsThePositionAndNeverRunsPastTheBar) {
  const HWND bar = Bar(PROGRESS_CLASSW, 0, kLength, kThickness);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  const Picture empty = At(bar, 0), full = At(bar, 100), half = At(bar, 50);

  // Empty, the bar is the trough: frame 1 of the strip over the face colour.
  const TDataSkinObject& strip = *Data().Slot(SkinSlot::Progress);
  ASSERT_EQ(2, strip.Frames);
  Canvas trough(kLength, kThickness, Face());
  DrawSkinObject(trough.Dc(), {0, 0, kLength, kThickness}, strip.Frames, 1, strip);
  EXPECT_EQ(0, RegionDifferences(Picture(trough), empty, 0, 0));
  EXPECT_GT(ColumnDifferences(empty, full, 0, kLength), kLength * kThickness / 2);
  // Half way: filled to the middle, the trough beyond (the strip's margins
  // of 2 and 3 pixels round the ends of each part).
  EXPECT_EQ(0, ColumnDifferences(half, full, 0, kLength / 2 - 3));
  EXPECT_EQ(0, ColumnDifferences(half, empty, kLength / 2 + 3, kLength));

  // What the screen shows is what the bar prints.
  const Capture shown = ScreenWhen(bar, [&](const Capture& c) { return SameAs(c, half); });
  EXPECT_TRUE(SameAs(shown, half));

  // Past its limit the bar is full, no more; a limit of zero or below fills nothing.
  ProgressAnswers past{150, 100}, zero{5, 0}, negative{-10, -50};
  EXPECT_EQ(0, ColumnDifferences(Print(StandIn(past)), full, 0, kLength));
  EXPECT_EQ(0, ColumnDifferences(Print(StandIn(zero)), empty, 0, kLength));
  EXPECT_EQ(0, ColumnDifferences(Print(StandIn(negative)), empty, 0, kLength));

  // A range that does not start at 0 is measured from its low end.
  SendMessageW(bar, PBM_SETRANGE32, 50, 150);
  EXPECT_EQ(0, ColumnDifferences(At(bar, 100), half, 0, kLength));
}

TEST_F(SkinProgress, AStandingBarFillsFromTheBottom) {
  const HWND bar = Bar(PROGRESS_CLASSW, PBS_VERTICAL, kThickness, kLength);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  const Picture empty = At(bar, 0), full = At(bar, 100), half = At(bar, 50);
  ASSERT_GT(RowDifferences(empty, full, 0, kLength), 0);
  EXPECT_EQ(0, RowDifferences(half, full, kLength / 2 + 3, kLength));
  EXPECT_EQ(0, RowDifferences(half, empty, 0, kLength / 2 - 3));
}

}  // namespace
}  // namespace quonel::testing
