// A header control under the skin: items and the band after the last one
// against the Headerbar strip, the item under the real pointer in frame 2
// until the pointer leaves, and a caption longer than the skin reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/scrolling/skin_header.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin_archive_writer.h"

namespace quonel::testing {
namespace {

constexpr int kWidth = 300, kHeight = 23;  // the blue header strip's height
constexpr int kFirst = 80, kSecond = 60;   // the two columns

class SkinHeader : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    header = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ, 10, 10, kWidth, kHeight,
                             form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(header);
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(form->Font().Handle()), TRUE);
    Insert(0, kFirst, L"文件名");
    Insert(1, kSecond, L"");  // no text: the whole item is the strip's frame
    skin.reset(static_cast<TSkinHeader*>(CreateControlSkin(L"header").release()));
    ASSERT_TRUE(skin);
    skin->AttachHandle(header, &Data(), nullptr);
    ASSERT_EQ(TSkinControl::kAttached, skin->GetLifeState());
  }
  void Insert(int index, int width, const std::wstring& text) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = width;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  // Frame `frame` of Headerbar as a nine-slice of that width.
  Picture BarFrame(int width, int frame) const {
    const TDataSkinObject& bar = *Data().Slot(SkinSlot::Header);
    Canvas canvas(width, kHeight, clMagenta);
    DrawSkinObject(canvas.Dc(), {0, 0, width, kHeight}, bar.Frames, frame, bar);
    return Picture(canvas);
  }
  // Where the second item shows frame 2 on the screen.
  bool SecondItemShows(const Capture& screen, int frame) const {
    const Picture expected = BarFrame(kSecond, frame);
    if (screen.width != kWidth) return false;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kSecond; ++x)
        if (static_cast<TColor>(screen.Pixel(kFirst + x, y)) != expected.At(x, y)) return false;
    return true;
  }
  POINT ScreenPoint(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(header, &point);
    return point;
  }

  HWND header = nullptr;
  std::unique_ptr<TSkinHeader> skin;
};

TEST_F(SkinHeader, ItemsAndTheRestOfTheWidthAreDrawnFromTheHeaderbarStrip) {
  ASSERT_EQ(5, Data().Slot(SkinSlot::Header)->Frames);
  ASSERT_GT(RegionDifferences(BarFrame(kSecond, 1), BarFrame(kSecond, 2), 0, 0), 0) << "frames 1 and 2 differ";
  const Picture printed = Print(header);
  EXPECT_EQ(0, RegionDifferences(BarFrame(kSecond, 1), printed, kFirst, 0)) << "the empty item";
  EXPECT_EQ(0, RegionDifferences(BarFrame(kWidth - kFirst - kSecond, 1), printed, kFirst + kSecond, 0))
      << "the band after the last item";
  // The first item: the strip around its caption, the caption in the bar's text colour.
  const Picture first = BarFrame(kFirst, 1);
  // The font's edges are smoothed: count the caption's pixels, and those in
  // the text colour itself.
  int ink = 0, text = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kFirst; ++x) {
      if (printed.At(x, y) == first.At(x, y)) continue;
      ++ink;
      if (printed.At(x, y) == Data().Slot(SkinSlot::Header)->NormalColour2) ++text;
      EXPECT_GE(x, 3) << "the caption starts 3 pixels in";
    }
  EXPECT_GT(ink, 30);
  EXPECT_GT(text, 5);
  SaveCapture(ScreenWhen(form->Handle(), [](const Capture& c) { return c.width > 0; }), "skin_header");
}

TEST_F(SkinHeader, TheItemUnderThePointerShowsFrameTwoUntilThePointerLeaves) {
  const POINT inside = ScreenPoint(kFirst + kSecond / 2, kHeight / 2);
  SetCursorPos(inside.x, inside.y);
  PostMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(kFirst + kSecond / 2, kHeight / 2));
  PumpMessages();
  EXPECT_EQ(1, skin->HotItem());
  EXPECT_EQ(0, RegionDifferences(BarFrame(kSecond, 2), Print(header), kFirst, 0));
  const Capture hot = ScreenWhen(header, [&](const Capture& c) { return SecondItemShows(c, 2); });
  EXPECT_TRUE(SecondItemShows(hot, 2)) << "painted through WM_PAINT on the screen";
  EXPECT_EQ(1, skin->HotItem()) << "the pointer is still there";

  // Over a divider (3 pixels either side of the edge) the hot item stays.
  PostMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(kFirst + 1, kHeight / 2));
  PumpMessages();
  EXPECT_EQ(1, skin->HotItem());

  SetCursorPos(0, 0);  // the platform tells the window the pointer left
  const Capture left = ScreenWhen(header, [&](const Capture& c) { return SecondItemShows(c, 1); });
  EXPECT_TRUE(SecondItemShows(left, 1));
  EXPECT_EQ(-1, skin->HotItem());
}

TEST_F(SkinHeader, ACaptionLongerThanTheBufferIsCutNotOverrun) {
  std::wstring caption(300, L'x');
  for (int i = 0; i < 300; ++i) caption[static_cast<size_t>(i)] = static_cast<wchar_t>(L'a' + i % 26);
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = caption.data();
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  const HeaderItemText read = ReadHeaderItem(header, 0);
  EXPECT_EQ(caption.substr(0, 200), read.text);
}

TEST_F(SkinHeader, WithoutAHeaderbarImageTheHeaderPaintsItself) {
  TSkinData bare(nullptr);
  bare.SetSkinStream(skinpack::PackArchive({{"skin.ini", "[Colours]\nButtonFace=200 200 200\n"}}));
  ASSERT_TRUE(bare.LoadSkin());
  skin.reset(static_cast<TSkinHeader*>(CreateControlSkin(L"header").release()));
  skin->AttachHandle(header, &bare, nullptr);
  // A new caption must reach the screen through the header's own painting.
  const Capture before = ScreenWhen(header, [](const Capture& c) { return c.width == kWidth; });
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = const_cast<wchar_t*>(L"修改日期");
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  const Capture skinned = ScreenWhen(header, [&](const Capture& c) { return c.rgb != before.rgb; });
  skin.reset();
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Capture own = ScreenWhen(header, [&](const Capture& c) { return c.rgb == skinned.rgb; });
  EXPECT_TRUE(own.rgb == skinned.rgb) << "the header's own look, caption included";
}

}  // namespace
}  // namespace quonel::testing
