#include "skin/gdi/parent_background.h"

#include <gtest/gtest.h>

#include "skin/gdi/skin_renderers.h"
#include "skin/gdi/skin_text.h"
#include "skin/skin_bitmap_fixture.h"

namespace quonel {
namespace {

constexpr TColor kFace = 0x0000FF;
constexpr TColor kMark = 0xFF0000;

// A parent that paints into the DC it is handed: red everywhere, a blue
// square at (30, 30)-(40, 40) of its client area.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const HDC dc = reinterpret_cast<HDC>(wParam);
  if (message == WM_ERASEBKGND && dc) {
    FillWithColor(dc, {0, 0, 200, 200}, kFace);
    return 1;
  }
  if (message == WM_PAINT && dc) {
    FillWithColor(dc, {30, 30, 40, 40}, kMark);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

struct Windows {
  HWND parent = nullptr;
  HWND child = nullptr;
  Windows() {
    WNDCLASSW type{};
    type.lpfnWndProc = ParentProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"QuonelParentBackgroundTest";
    RegisterClassW(&type);
    parent = CreateWindowExW(0, type.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                             type.hInstance, nullptr);
    child = CreateWindowExW(0, L"STATIC", L"升级 text", WS_CHILD, 25, 25, 20, 20, parent, nullptr, type.hInstance,
                            nullptr);
  }
  ~Windows() { DestroyWindow(parent); }
};

TEST(DrawParentBackground, ThePartUnderTheControlLandsAtItsOrigin) {
  Windows windows;
  ASSERT_NE(windows.child, nullptr);
  testing::Canvas canvas(30, 30, clWhite);
  DrawParentBackground(windows.child, canvas.Dc());
  EXPECT_EQ(canvas.At(0, 0), kFace);
  EXPECT_EQ(canvas.At(4, 4), kFace);
  EXPECT_EQ(canvas.At(5, 5), kMark);   // parent (30, 30)
  EXPECT_EQ(canvas.At(14, 14), kMark);
  EXPECT_EQ(canvas.At(15, 15), kFace);
  // Clipped to the control's 20 x 20 client area; the DC state is restored.
  EXPECT_EQ(canvas.At(20, 20), clWhite);
  POINT origin{};
  GetViewportOrgEx(canvas.Dc(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
}

TEST(SkinText, WideTextRoundTrips) {
  Windows windows;
  EXPECT_EQ(GetControlText(windows.child), L"升级 text");
  testing::Canvas canvas(100, 40, clWhite);
  RECT area{0, 0, 100, 40};
  EXPECT_GT(DrawTextWide(canvas.Dc(), L"升级", area, DT_CALCRECT | DT_SINGLELINE), 0);
  EXPECT_GT(area.right, 0);
}

}  // namespace
}  // namespace quonel
