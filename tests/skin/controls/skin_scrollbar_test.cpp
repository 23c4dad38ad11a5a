// Skinned scroll bars on real windows under Wine: the overlays follow the
// platform's bars (shown, hidden, placed, kept above their window), paint
// the skin's strips (a disabled bar its track's disabled frame, its arrows'
// usual ones and no thumb), and hand clicks back so that the platform scrolls.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "skin/bmp_builder.h"
#include "skin/controls/scrolling/scroll_geometry.h"
#include "skin/controls/scrolling/skin_list_view.h"
#include "skin/controls/scrolling/skin_scroll_control.h"
#include "skin/controls/scrolling/skin_scrollbar.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"
#include "skin_archive_writer.h"
#include "ui/edit.h"
#include "ui/list_box.h"
#include "ui/list_view.h"

namespace quonel::testing {
namespace {

class SkinScrollbars : public SkinnedControls {
 protected:
  TListBox* ListBox(int left, int top, int width, int height) {
    auto* list = new TListBox(form);
    list->SetBounds(left, top, width, height);
    list->SetCtl3D(false);  // the wizard's flat 1-pixel border
    list->SetParent(form);
    return list;
  }
  static void Fill(TListBox& list, int count) {
    for (int i = 0; i < count; ++i) list.Items().Add(L"服务器 " + std::to_wstring(i));
    PumpMessages();
  }
  std::unique_ptr<TSkinScrollbar> Skin(TControl* control) {
    auto skin = std::make_unique<TSkinScrollbar>();
    skin->Attach(control, &Data(), nullptr, false);
    PumpMessages();
    return skin;
  }
  static SCROLLBARINFO BarInfo(HWND window, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(GetScrollBarInfo(window, object, &info));
    return info;
  }
  static RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  static bool Above(HWND overlay, HWND target) {
    for (HWND w = GetWindow(target, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
      if (w == overlay) return true;
    return false;
  }
  // Frame `frame` of the Scrollbar strip stretched over a width x height piece of face colour.
  Picture ArrowFrame(int width, int height, int frame) const {
    Canvas canvas(width, height, Face());
    StripFrame strip{Data().Slot(SkinSlot::Scrollbar)->Image};
    strip.count = 23;
    strip.index = frame;
    strip.transparent = true;
    DrawFrameStretched(canvas.Dc(), {0, 0, width, height}, strip);
    return Picture(canvas);
  }
  static int Thickness() {
    return ScrollBarThickness(Data().Slot(SkinSlot::Scrollbar)->Image.Height(), GetSystemMetrics(SM_CXHSCROLL));
  }
};

TEST_F(SkinScrollbars, TheOverlayFollowsTheListBoxBarAsItAppearsMovesAndGoes) {
  TListBox* list = ListBox(10, 10, 200, 120);
  auto skin = Skin(list);
  TWScrollbar& bar = *skin->VerticalBar();
  EXPECT_FALSE(bar.Shown()) << "no bar while the items fit";

  Fill(*list, 40);
  SCROLLBARINFO info = BarInfo(list->Handle(), OBJID_VSCROLL);
  ASSERT_FALSE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  ASSERT_TRUE(bar.Shown());
  EXPECT_TRUE(IsWindowVisible(bar.Handle()));
  const RECT placed = ScreenRect(bar.Handle());
  EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar)) << "exactly over GetScrollBarInfo's rectangle";
  EXPECT_TRUE(Above(bar.Handle(), list->Handle()));
  EXPECT_FALSE(skin->HorizontalBar()->Shown());

  // The library re-sorts its children by tab order when one is added; the
  // overlay stays above its list box, and moves with it.
  TListBox* other = ListBox(220, 10, 150, 100);
  other->SetTabOrder(0);
  list->SetBounds(30, 40, 180, 110);
  PumpMessages();
  info = BarInfo(list->Handle(), OBJID_VSCROLL);
  const RECT moved = ScreenRect(bar.Handle());
  EXPECT_TRUE(EqualRect(&moved, &info.rcScrollBar));
  EXPECT_TRUE(Above(bar.Handle(), list->Handle()));

  // Skin handling switched off: the platform's own bar shows until it is back on.
  SendMessageW(list->Handle(), SKM_ENABLE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(bar.Handle()));
  SendMessageW(list->Handle(), SKM_ENABLE, 1, 0);
  EXPECT_TRUE(IsWindowVisible(bar.Handle()));

  list->SetVisible(false);
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(bar.Handle())) << "hidden with its list box";
  list->SetVisible(true);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(bar.Handle()));

  while (list->Items().Count() > 3) list->Items().Delete(list->Items().Count() - 1);
  PumpMessages();
  EXPECT_FALSE(bar.Shown());
  EXPECT_FALSE(IsWindowVisible(bar.Handle())) << "gone with the bar";
  Fill(*list, 40);
  EXPECT_TRUE(IsWindowVisible(bar.Handle())) << "back with the bar";
}

TEST_F(SkinScrollbars, ABareListBoxWindowGetsItsOverlayWhenItsBarAppears) {
  const HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                    10, 10, 150, 100, form->Handle(), nullptr, nullptr, nullptr);
  TSkinScrollbarH skin;
  skin.AttachHandle(list, &Data(), nullptr);
  PumpMessages();
  EXPECT_FALSE(skin.VerticalBar()->Shown());
  for (int i = 0; i < 30; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"列表项"));
  PumpMessages();
  ASSERT_TRUE(skin.VerticalBar()->Shown());
  const SCROLLBARINFO info = BarInfo(list, OBJID_VSCROLL);
  const RECT placed = ScreenRect(skin.VerticalBar()->Handle());
  EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar));
  SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(kScrollSecondArrow, skin.VerticalBar()->HotPart()) << "the scroll request names the active part";
  SendMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_EQ(SB_ENDSCROLL, skin.VerticalBar()->HotPart());
  DestroyWindow(list);
  EXPECT_FALSE(skin.VerticalBar()->Shown());
}

TEST_F(SkinScrollbars, TheSkinBorderStaysWithinTheWindowsOwnOnePixelBorder) {
  TListBox* list = ListBox(10, 10, 200, 120);
  list->SetColor(clInfoBk);
  Fill(*list, 3);
  auto skin = Skin(list);
  ASSERT_TRUE(skin->HasBorder());
  const HWND window = list->Handle();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(198, client.right) << "the window keeps its border and its client size";
  const TColor shadow = Data().Colours().ButtonShadow & 0xFFFFFF;
  PumpMessages();
  // A frame painted on its own, as after a change of the window's style, with no client paint after it.
  SendMessageW(window, WM_NCPAINT, 1, 0);
  const Capture shown = ScreenWhen(window, [&](const Capture& c) { return static_cast<TColor>(c.Pixel(0, 60)) == shadow; });
  EXPECT_EQ(shadow, static_cast<TColor>(shown.Pixel(0, 60))) << "the outer line is the skin's";
  EXPECT_EQ(shadow, static_cast<TColor>(shown.Pixel(199, 60)));
  // The skin's inner line would fall on client pixels: they keep the list's colour.
  const COLORREF background = GetSysColor(COLOR_INFOBK);
  EXPECT_EQ(background, shown.Pixel(1, 100));
  EXPECT_EQ(background, shown.Pixel(198, 100));
  EXPECT_EQ(background, shown.Pixel(100, 118));
}

TEST_F(SkinScrollbars, AClickOnTheDownArrowScrollsOneLineThroughThePlatform) {
  TListBox* list = ListBox(10, 10, 200, 120);
  Fill(*list, 40);
  auto skin = Skin(list);
  TWScrollbar& bar = *skin->VerticalBar();
  ASSERT_TRUE(bar.Shown());
  RECT overlay{};
  GetClientRect(bar.Handle(), &overlay);
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  const POINT down{overlay.right / 2, overlay.bottom - b / 2};
  EXPECT_EQ(kScrollSecondArrow, bar.HitTest(down));

  // Hot under the pointer until it leaves.
  SendMessageW(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(down.x, down.y));
  Picture printed = Print(bar.Handle());
  EXPECT_EQ(0, RegionDifferences(ArrowFrame(Thickness(), b, 16), printed, 0, printed.height - b)) << "hot";
  SendMessageW(bar.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(kScrollNone, bar.HotPart());

  // The pressed look while the platform tracks, the normal one after SB_ENDSCROLL.
  PostMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
  PostMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(down.x, down.y));
  PumpMessages();
  EXPECT_EQ(1, SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0));
  EXPECT_FALSE(bar.Tracking());
  EXPECT_EQ(SB_ENDSCROLL, bar.HotPart());
  printed = Print(bar.Handle());
  EXPECT_EQ(0, RegionDifferences(ArrowFrame(Thickness(), b, 13), printed, 0, printed.height - b))
      << "the down arrow's normal frame";
  EXPECT_EQ(0, RegionDifferences(ArrowFrame(Thickness(), b, 9), printed, 0, 0)) << "the up arrow's normal frame";
}

TEST_F(SkinScrollbars, ABarShorterThanTwoArrowsGetsTwoHalfLengthArrows) {
  TListBox* list = ListBox(10, 10, 120, 26);
  Fill(*list, 10);
  auto skin = Skin(list);
  TWScrollbar& bar = *skin->VerticalBar();
  ASSERT_TRUE(bar.Shown());
  RECT overlay{};
  GetClientRect(bar.Handle(), &overlay);
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  ASSERT_LT(overlay.bottom, 2 * b);
  const int half = overlay.bottom / 2;
  const Picture printed = Print(bar.Handle());
  EXPECT_EQ(0, RegionDifferences(ArrowFrame(Thickness(), half, 9), printed, 0, 0));
  EXPECT_EQ(0, RegionDifferences(ArrowFrame(Thickness(), half, 13), printed, 0, overlay.bottom - half));
  // The lower half is the down arrow for clicks too.
  EXPECT_EQ(kScrollSecondArrow, bar.HitTest({2, overlay.bottom - 2}));
}

TEST_F(SkinScrollbars, AMemoMadeAgainWithBothBarsKeepsItsSkinOnTheNewWindow) {
  auto* memo = new TMemo(form);
  memo->SetBounds(10, 10, 200, 120);
  memo->SetCtl3D(false);
  memo->SetWordWrap(false);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  memo->SetParent(form);
  for (int i = 0; i < 30; ++i) memo->AppendLine(L"一行很长很长很长很长很长很长很长很长很长很长很长的日志 " + std::to_wstring(i) + L"\r\n");
  auto skin = Skin(memo);
  const HWND first = memo->Handle();
  ASSERT_TRUE(skin->VerticalBar()->Shown());
  EXPECT_FALSE(skin->HorizontalBar()->Shown());

  memo->SetScrollBars(TScrollStyle::ssBoth);  // the library makes a new window
  PumpMessages();
  const HWND second = memo->Handle();
  ASSERT_NE(first, second);
  EXPECT_EQ(TSkinControl::kAttached, skin->GetLifeState());
  EXPECT_EQ(1, SendMessageW(second, SKM_ISSKINNED, 0, 0));
  for (TWScrollbar* bar : {skin->HorizontalBar(), skin->VerticalBar()}) {
    ASSERT_TRUE(bar->Shown());
    const SCROLLBARINFO info = BarInfo(second, bar->Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL);
    const RECT placed = ScreenRect(bar->Handle());
    EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar));
    EXPECT_TRUE(Above(bar->Handle(), second));
  }
  // The square between the two bars is the skin's face colour.
  const RECT& v = skin->VerticalBar()->BarRect();
  const RECT& h = skin->HorizontalBar()->BarRect();
  POINT corner{(v.left + v.right) / 2, (h.top + h.bottom) / 2};
  ClientToScreen(second, &corner);
  const RECT outer = ScreenRect(second);
  const TColor face = Face() & 0xFFFFFF;
  const Capture shown = ScreenWhen(second, [&](const Capture& c) {
    return static_cast<TColor>(c.Pixel(corner.x - outer.left, corner.y - outer.top)) == face;
  });
  EXPECT_EQ(face, static_cast<TColor>(shown.Pixel(corner.x - outer.left, corner.y - outer.top)));
}

TEST_F(SkinScrollbars, AListBoxDestroyedWhileThePlatformTracksTheClickLeavesTheOverlayHidden) {
  TListBox* list = ListBox(10, 10, 200, 120);
  Fill(*list, 40);
  auto skin = Skin(list);
  TWScrollbar& bar = *skin->VerticalBar();
  // The first scroll notification destroys the list box's window inside
  // the platform's tracking loop that the overlay's click started.
  const HWND window = list->Handle();
  TWindowSubclass destroying([&](TWindowSubclass& link, TMessage& message) {
    link.CallNext(message);
    if (message.Msg == WM_VSCROLL && LOWORD(message.WParam) == SB_LINEDOWN) DestroyWindow(window);
  });
  destroying.Attach(window);
  RECT client{};
  GetClientRect(bar.Handle(), &client);
  PostMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom - 3));
  PostMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom - 3));
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(TSkinControl::kWindowGone, skin->GetLifeState());
  EXPECT_FALSE(bar.Tracking());
  EXPECT_FALSE(bar.Shown());
  EXPECT_FALSE(IsWindowVisible(bar.Handle()));
}

TEST_F(SkinScrollbars, AListViewGetsBarsAndInReportStyleOnlyAHeaderSkin) {
  auto* view = new TListView(form);
  view->SetBounds(10, 10, 300, 150);
  view->SetCtl3D(false);
  view->SetGridLines(true);
  auto* column = new TListColumn(view);
  column->caption = L"文件名";
  column->autoSize = true;
  view->AddColumn(column);
  view->SetParent(form);
  for (int i = 0; i < 60; ++i) view->AddItem(L"file" + std::to_wstring(i) + L".dat");
  const HWND window = view->Handle();
  const HWND header = reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0));
  ASSERT_NE(nullptr, header);

  // Switched to list style before the skin comes: no header skin.
  SetWindowLongPtrW(window, GWL_STYLE, (GetWindowLongPtrW(window, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_LIST);
  auto skin = std::make_unique<TSkinListView>();
  skin->Attach(view, &Data(), nullptr, false);
  PumpMessages();
  EXPECT_EQ(nullptr, skin->HeaderSkin());
  EXPECT_EQ(0, SendMessageW(header, SKM_ISSKINNED, 0, 0));

  SetWindowLongPtrW(window, GWL_STYLE, (GetWindowLongPtrW(window, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT);
  PumpMessages();
  ASSERT_NE(nullptr, skin->HeaderSkin());
  EXPECT_EQ(1, SendMessageW(header, SKM_ISSKINNED, 0, 0));
  EXPECT_TRUE(skin->HasBorder());
  ASSERT_TRUE(skin->VerticalBar()->Shown());
  const SCROLLBARINFO info = BarInfo(window, OBJID_VSCROLL);
  const RECT placed = ScreenRect(skin->VerticalBar()->Handle());
  EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar));

  // Page down through the overlay's track: the platform pages the view.
  RECT overlay{};
  GetClientRect(skin->VerticalBar()->Handle(), &overlay);
  const POINT track{overlay.right / 2, overlay.bottom - GetSystemMetrics(SM_CXHSCROLL) - 2};
  ASSERT_EQ(kScrollPageAfter, skin->VerticalBar()->HitTest(track));
  PostMessageW(skin->VerticalBar()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(track.x, track.y));
  PostMessageW(skin->VerticalBar()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(track.x, track.y));
  PumpMessages();
  EXPECT_EQ(SendMessageW(window, LVM_GETCOUNTPERPAGE, 0, 0), SendMessageW(window, LVM_GETTOPINDEX, 0, 0));
}

TEST_F(SkinScrollbars, AScrollBarControlWithAnEmptyRangeShowsItsThumbAtTheStart) {
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  const int thickness = Thickness();
  const HWND control = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 20, 20, thickness, 120,
                                       form->Handle(), nullptr, nullptr, nullptr);
  SetScrollRange(control, SB_CTL, 5, 5, FALSE);
  SCROLLINFO page{};
  page.cbSize = sizeof(page);
  page.fMask = SIF_PAGE;
  page.nPage = 1;
  SetScrollInfo(control, SB_CTL, &page, TRUE);
  TSkinScControl skin;
  skin.AttachHandle(control, &Data(), nullptr);
  PumpMessages();
  TWScrollbar& bar = *skin.Overlay();
  ASSERT_TRUE(bar.Shown());
  EXPECT_TRUE(bar.Vertical());
  const RECT placed = ScreenRect(bar.Handle());
  const RECT bounds = ScreenRect(control);
  EXPECT_TRUE(EqualRect(&placed, &bounds));
  EXPECT_TRUE(Above(bar.Handle(), control));

  // What the painter draws: the track, then an 8-pixel thumb right after the up arrow.
  Canvas expected(thickness, 120, Face());
  const TDataSkinObject& track = *Data().Slot(SkinSlot::VertScroll);
  DrawSkinObject(expected.Dc(), {0, b, thickness, 120 - b}, 4, 1, track);
  const TDataSkinObject& thumb = *Data().Slot(SkinSlot::VertScrollThumb);
  StripFrame body{thumb.Image};
  body.count = thumb.Frames;
  body.margins = thumb.Margins;
  body.transparent = thumb.Trans == 1;
  DrawSkinImage(expected.Dc(), {0, b, thickness, b + 8}, body);
  const Picture want(expected);
  const Picture printed = Print(bar.Handle());
  int differences = 0;
  for (int y = b; y < b + 12; ++y)
    for (int x = 0; x < thickness; ++x) differences += printed.At(x, y) != want.At(x, y);
  EXPECT_EQ(0, differences) << "the thumb and the track below it";
  DestroyWindow(control);
  EXPECT_FALSE(bar.Shown());
}

// A skin whose scroll strips have one solid colour per frame, so that a
// picture tells which frame was drawn; each arrow frame is a square of side.
struct FrameColouredScrollSkin {
  static TColor ArrowColour(int frame) { return MakeColour(10 * frame, 40, 250 - 10 * frame); }
  static TColor TrackColour(int frame) { return MakeColour(200, 20 * frame, 30); }
  static TColor ThumbColour(int frame) { return MakeColour(30, 200, 20 * frame); }
  explicit FrameColouredScrollSkin(int side) {
    const auto frames = [](int width, const std::function<TColor(int)>& colour) {
      return [=](int x, int) { return static_cast<uint32_t>(colour(x / width + 1)); };
    };
    data.SetSkinStream(skinpack::PackArchive(
        {{"arrows.bmp", MakeBmp24(23 * side, side, frames(side, ArrowColour))},
         {"track.bmp", MakeBmp24(4 * side, side, frames(side, TrackColour))},
         {"thumb.bmp", MakeBmp24(3 * side, side, frames(side, ThumbColour))},
         {"skin.ini", "[Scrollbar]\nImage=arrows.bmp\n[VertScroll]\nImage=track.bmp\n"
                      "[VertScrollThumb]\nImage=thumb.bmp\n"}}));
    loaded = data.LoadSkin();
  }
  TSkinData data{nullptr};
  bool loaded = false;
};

TEST_F(SkinScrollbars, ADisabledBarShowsTheTracksDisabledFrameTheArrowsUsualOnesAndNoThumb) {
  const int b = GetSystemMetrics(SM_CXVSCROLL);
  FrameColouredScrollSkin skin(b);
  ASSERT_TRUE(skin.loaded);
  const int length = 6 * b;
  const HWND control = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 20, 20, b, length,
                                       form->Handle(), nullptr, nullptr, nullptr);
  SetScrollRange(control, SB_CTL, 0, 10, FALSE);
  SetScrollPos(control, SB_CTL, 5, TRUE);
  TSkinScControl skinned;
  skinned.AttachHandle(control, &skin.data, nullptr);
  PumpMessages();
  ASSERT_TRUE(skinned.Overlay()->Shown());
  // Pixels of the printed bar in each colour: arrows, track and thumb.
  auto count = [&](TColor colour) {
    const Picture printed = Print(skinned.Overlay()->Handle());
    int n = 0;
    for (int y = 0; y < printed.height; ++y)
      for (int x = 0; x < printed.width; ++x) n += printed.At(x, y) == colour;
    return n;
  };
  const int arrow = b * b;
  ASSERT_EQ(arrow, count(skin.ArrowColour(9)));
  // The thumb, and its grip (the vertical grip's normal frame) over it.
  auto thumb = [&] { return count(skin.ThumbColour(1)) + count(skin.ArrowColour(20)); };
  ASSERT_GT(thumb(), 0) << "enabled, the thumb shows";

  EnableWindow(control, FALSE);
  EXPECT_EQ(arrow, count(skin.ArrowColour(9))) << "the up arrow's normal frame";
  EXPECT_EQ(arrow, count(skin.ArrowColour(13))) << "the down arrow's normal frame";
  EXPECT_EQ(b * (length - 2 * b), count(skin.TrackColour(3))) << "the whole track in its disabled frame";
  EXPECT_EQ(0, thumb());
  DestroyWindow(control);
}

}  // namespace
}  // namespace quonel::testing
