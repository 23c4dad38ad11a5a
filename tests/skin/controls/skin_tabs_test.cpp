// Tab controls under the skin: the tab with the focus in frame 2 of the
// skin's Tabs strip and the others in frame 1, also for tabs on the left
// (composed lying down and turned); the pane's edge from the Border image;
// a library tab control's windowless children painted over the skin;
// and the close boxes of a tab control tagged for them, whose tab goes only
// after the click has been handled and only when the form agrees.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/controls/control_skin_factory.h"
#include "skin/controls/tabs/skin_tabs.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/gdi/bitmap_transforms.h"
#include "ui/label.h"
#include "ui/window_subclass.h"

namespace quonel::testing {
namespace {

// A library control over the platform's tab control, so that it has a Tag.
class TTabHost : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const wchar_t* ClassName() const override { return L"TTabControl"; }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.systemClass = WC_TABCONTROLW;
  }
};

class SkinTabs : public SkinnedControls {
 protected:
  void SetUp() override {
    SkinnedControls::SetUp();
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
  }
  static void AddTabs(HWND tabs, const std::vector<std::wstring>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(texts[i].c_str());
      SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  HWND BareTabs(DWORD style) {
    const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | style, 10, 10,
                                      300, 160, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(70, 24));
    AddTabs(tabs, {L"", L"", L""});
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
    skin = CreateControlSkin(L"tab");
    skin->AttachHandle(tabs, &Data(), nullptr);
    return tabs;
  }
  static RECT TabRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // Frame `frame` of the tab strip over the face colour, lying down.
  Picture TabFrame(int width, int height, int frame) const {
    const TDataSkinObject& strip = *Data().Slot(SkinSlot::Tabs);
    Canvas canvas(width, height, Face());
    DrawSkinObject(canvas.Dc(), {0, 0, width, height}, strip.Frames, frame, strip);
    return Picture(canvas);
  }
  // Pixels of part (rows [0, rows)) that differ from whole at (x, y).
  static int TopDifferences(const Picture& part, const Picture& whole, int x, int y, int rows) {
    int differences = 0;
    for (int dy = 0; dy < rows; ++dy)
      for (int dx = 0; dx < part.width; ++dx) differences += part.At(dx, dy) != whole.At(x + dx, y + dy);
    return differences;
  }
  std::unique_ptr<TSkinControl> skin;
};

TEST_F(SkinTabs, TheTabWithTheFocusShowsFrameTwoAndThePaneItsBorder) {
  const HWND tabs = BareTabs(0);
  const Picture printed = Print(tabs);
  const RECT first = TabRect(tabs, 0), second = TabRect(tabs, 1);
  const int width = first.right - first.left, height = first.bottom - first.top;
  const Picture normal = TabFrame(width, height, 1), current = TabFrame(width, height, 2);
  ASSERT_GT(TopDifferences(normal, current, 0, 0, height - 4), 0);
  // One pixel down from where the platform puts them, cut where the pane begins.
  EXPECT_EQ(0, TopDifferences(normal, printed, first.left, first.top + 1, height - 4));
  EXPECT_EQ(0, TopDifferences(current, printed, second.left, second.top + 1, height - 4));

  RECT display{};
  GetClientRect(tabs, &display);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const SkinBitmap& border = Data().SlotAs<TDataSkinBorder>(SkinSlot::Tabs)->Image2;
  EXPECT_EQ(border.Pixel(0, border.Height() / 2), printed.At(display.left - 4, (display.top + display.bottom) / 2));

  const Capture shown = ScreenWhen(tabs, [&](const Capture& c) { return SameAs(c, printed); });
  EXPECT_TRUE(SameAs(shown, printed));
}

TEST_F(SkinTabs, TabsOnTheLeftAreTurned) {
  const HWND tabs = BareTabs(TCS_VERTICAL | TCS_MULTILINE);
  const Picture printed = Print(tabs);
  const RECT second = TabRect(tabs, 1);
  const int width = second.right - second.left, height = second.bottom - second.top;
  ASSERT_GT(height, width) << "tabs stand on the left";
  // Drawn lying down (the tab's height is the band's width), then turned left.
  Canvas lying(height, width, Face());
  const TDataSkinObject& strip = *Data().Slot(SkinSlot::Tabs);
  DrawSkinObject(lying.Dc(), {0, 0, height, width}, strip.Frames, 2, strip);
  SkinBitmap turned = CopyAs24(lying.bitmap);
  RotateBitmapLeft(turned);
  int differences = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width - 4; ++x) differences += turned.Pixel(x, y) != printed.At(second.left + x, second.top + y);
  EXPECT_EQ(0, differences);
}

TEST_F(SkinTabs, TheScrollerOfOverflowingTabsIsSkinnedOnceItAppears) {
  const HWND tabs = BareTabs(0);
  AddTabs(tabs, {L"", L"", L"", L"", L""});
  Print(tabs);
  const HWND scroller = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_TRUE(scroller != nullptr) << "eight tabs of 70 pixels overflow 300";
  EXPECT_EQ(1, SendMessageW(scroller, 0x3523, 0, 0));
}

TEST_F(SkinTabs, APageIsTheFaceColourOnTheScreenAndInPrint) {
  const HWND tabs = BareTabs(0);
  RECT display{};
  GetClientRect(tabs, &display);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const HWND page = CreateWindowExW(0, L"STATIC", L"第一页", WS_CHILD | WS_VISIBLE, display.left, display.top,
                                    display.right - display.left, display.bottom - display.top, tabs, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  auto sheet = CreateControlSkin(L"tabsheet");
  sheet->AttachHandle(page, &Data(), nullptr);
  const Picture printed = Print(page);
  int others = 0;
  for (TColor pixel : printed.pixels) others += pixel != Face();
  EXPECT_EQ(0, others);
  const Capture shown = ScreenWhen(page, [&](const Capture& c) { return SameAs(c, printed); });
  EXPECT_TRUE(SameAs(shown, printed));
}

TEST_F(SkinTabs, ButtonTabsAreButtonsAndTheCurrentOneIsPressed) {
  const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_BUTTONS | TCS_FIXEDWIDTH, 10,
                                    10, 300, 160, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(70, 24));
  AddTabs(tabs, {L"", L"", L""});
  SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
  skin = CreateControlSkin(L"tabbtn");
  skin->AttachHandle(tabs, &Data(), nullptr);
  const Picture printed = Print(tabs);
  for (int i = 0; i < 3; ++i) {
    const RECT r = TabRect(tabs, i);
    const Picture normal = ButtonFrame(r.right - r.left, r.bottom - r.top, 1);
    const Picture pressed = ButtonFrame(r.right - r.left, r.bottom - r.top, 2);
    ASSERT_GT(RegionDifferences(normal, pressed, 0, 0), 0);
    EXPECT_EQ(0, RegionDifferences(i == 2 ? pressed : normal, printed, r.left, r.top)) << "tab " << i;
  }
}

TEST_F(SkinTabs, ACloseBoxLetsItsTabGoAfterTheClickAndOnlyWhenTheFormAgrees) {
  auto* host = new TTabHost(form);
  host->SetBounds(10, 10, 300, 160);
  host->SetParent(form);
  host->SetTag(TSkinTab::kCloseBoxTag);
  const HWND tabs = host->Handle();
  AddTabs(tabs, {L"一", L"二", L"三"});
  auto* label = new TLabel(form);
  label->SetBounds(40, 80, 60, 16);
  label->SetColor(clRed);
  label->SetParent(host);
  skin = CreateControlSkin(L"tab");
  skin->Attach(host, &Data(), nullptr, false);
  // The control's windowless children show over the skin.
  EXPECT_EQ(clRed, Print(tabs).At(45, 85));

  std::vector<LPARAM> asked;
  LRESULT answer = 1;
  TWindowSubclass formLink([&](TWindowSubclass& link, TMessage& message) {
    if (message.Msg != TSkinTab::kCloseTabQuery) return link.CallNext(message);
    EXPECT_EQ(tabs, reinterpret_cast<HWND>(message.WParam));
    asked.push_back(message.LParam);
    message.Result = answer;
  });
  formLink.Attach(form->Handle());
  const RECT second = TabRect(tabs, 1);
  const LPARAM closeBox = MAKELPARAM(second.right - 5, second.top + 5);

  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, closeBox);
  PumpMessages();
  EXPECT_EQ(std::vector<LPARAM>{1}, asked);
  EXPECT_EQ(3, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) << "the form said no";

  answer = 0;
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, closeBox);
  EXPECT_EQ(3, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) << "not while the click is being handled";
  PumpMessages();
  ASSERT_EQ(2, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  wchar_t text[8] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 8;
  SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(L"三", text);

  // A click beside the close boxes is the control's own: it picks the tab.
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  const RECT first = TabRect(tabs, 0);
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 8, first.bottom - 5));
  SendMessageW(tabs, WM_LBUTTONUP, 0, MAKELPARAM(first.left + 8, first.bottom - 5));
  PumpMessages();
  EXPECT_EQ(0, SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  EXPECT_EQ(2u, asked.size());
}

}  // namespace
}  // namespace quonel::testing
