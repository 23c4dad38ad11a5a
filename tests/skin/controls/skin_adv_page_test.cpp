// A page control of another library that draws its tabs over two pictures
// of its own: under the skin they are the skin's tab frames 1 and 2; when
// the skin lets go, or is freed, the control has its own pictures back.
#include <gtest/gtest.h>

#include <memory>

#include "core/property_registry.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "ui/bitmap.h"
#include "ui/standard_classes.h"
#include "ui/win_control.h"

namespace quonel::testing {
namespace {

class TAdvPages : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const wchar_t* ClassName() const override { return L"TAdvPageControl"; }
  TBitmap normal, active;
};

constexpr COLORREF kOwnNormal = RGB(10, 200, 30), kOwnActive = RGB(220, 40, 90);

HBITMAP Solid(COLORREF colour) {
  Canvas canvas(8, 8, static_cast<TColor>(colour));
  return static_cast<HBITMAP>(CopyImage(canvas.bitmap.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

class SkinAdvPage : public SkinnedControls {
 protected:
  static void SetUpTestSuite() {
    SkinnedControls::SetUpTestSuite();
    RegisterStandardClasses();
    ClassRegistrar<TAdvPages>(L"TAdvPageControl", L"TWinControl")
        .Object(L"TabBackGround", [](TAdvPages& c) { return &c.normal; })
        .Object(L"TabBackGroundActive", [](TAdvPages& c) { return &c.active; });
  }
  // Pixels of the picture that differ from frame `frame` of the tab strip.
  static int FrameDifferences(const TBitmap& picture, int frame) {
    const SkinBitmap& strip = Data().Slot(SkinSlot::Tabs)->Image;
    const int width = strip.Width() / 5;
    if (picture.Width() != width || picture.Height() != strip.Height()) return -1;
    int differences = 0;
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = 0; x < width; ++x)
        differences += static_cast<TColor>(picture.Pixel(x, y)) != strip.Pixel((frame - 1) * width + x, y);
    return differences;
  }
};

TEST_F(SkinAdvPage, TheTabPicturesAreTheSkinsUntilItLetsGo) {
  auto* pages = new TAdvPages(form);
  pages->SetBounds(10, 10, 200, 120);
  pages->SetParent(form);
  pages->normal.SetHandle(Solid(kOwnNormal));
  pages->active.SetHandle(Solid(kOwnActive));
  auto skin = CreateControlSkin(L"AdvPageControl");
  skin->Attach(pages, &Data(), nullptr, false);
  EXPECT_EQ(0, FrameDifferences(pages->normal, 1));
  EXPECT_EQ(0, FrameDifferences(pages->active, 2));
  skin->Detach();
  ASSERT_EQ(8, pages->normal.Width());
  EXPECT_EQ(kOwnNormal, pages->normal.Pixel(3, 3));
  EXPECT_EQ(kOwnActive, pages->active.Pixel(3, 3));

  // A skin freed without being detached (a form letting go) gives them back too.
  skin = CreateControlSkin(L"AdvPageControl");
  skin->Attach(pages, &Data(), nullptr, false);
  ASSERT_EQ(0, FrameDifferences(pages->normal, 1));
  skin.reset();
  EXPECT_EQ(kOwnNormal, pages->normal.Pixel(3, 3));
}

}  // namespace
}  // namespace quonel::testing
