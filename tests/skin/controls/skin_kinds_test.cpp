// The control-skin kinds beyond the wizard's own: the factory builds a skin
// for every kind the frame's tables can choose, and each newer kind shows
// its skinned look - a tab set's tabs hang from the Tabs strip turned over,
// a tool bar lies on the skin's gradient, a media player is covered by the
// skin's buttons and still gets its clicks, a button draws its PngImage -
// or, where the look is the control's own, answers that it is skinned: the
// scrolled children of a container, an extended combo box, and a dialog
// nested in a dialog, whose children are skinned before it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/property_registry.h"
#include "core/utf8.h"
#include "skin/controls/bars/skin_tool_bar.h"
#include "skin/controls/buttons/skin_media_player.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/controls/scrolling/skin_embedded_scrollbars.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/controls/text_entry/skin_combo_box.h"
#include "skin/frame/control_skin_dispatch.h"
#include "skin/frame/skin_form.h"
#include "skin/gdi/bitmap_transforms.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"
#include "ui/bitmap.h"
#include "ui/button.h"
#include "ui/media_player.h"
#include "ui/panel.h"
#include "ui/tab_control.h"
#include "ui/tool_bar.h"

namespace quonel::testing {
namespace {

bool Skinned(HWND window) { return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }

TEST(ControlSkinKinds, TheFactoryBuildsASkinForEveryKindTheTablesChoose) {
  const std::vector<std::wstring> kinds = ChoosableControlSkinKinds();
  for (const wchar_t* kind : {L"radiogroup", L"checkgroup", L"toolbar", L"scrollbox", L"embedscrollbar", L"tab31",
                              L"pngbitbtn", L"comboboxex", L"mediaplayer", L"tabbtn", L"boxh", L"sizer"})
    EXPECT_NE(kinds.end(), std::find(kinds.begin(), kinds.end(), kind)) << WideToUtf8(kind);
  for (const std::wstring& kind : kinds) EXPECT_NE(nullptr, CreateControlSkin(kind)) << WideToUtf8(kind);
}

// A button of another library whose picture is its PngImage.
class TPngButton : public TButton {
 public:
  using TButton::TButton;
  const wchar_t* ClassName() const override { return L"TPngButton"; }
  TBitmap picture;
};

using SkinKinds = SkinnedControls;

TEST_F(SkinKinds, ATabSetHangsItsTabsFromTheSkinsStripTurnedOver) {
  auto* tabSet = Add<TTabSet>(10, 10, 300, 22, L"");
  tabSet->SetTabs({L"One", L"Two"});
  tabSet->SetTabIndex(1);
  auto skin = CreateControlSkin(L"tab31");
  ASSERT_NE(nullptr, skin);
  skin->Attach(tabSet, &Data(), nullptr, false);
  ASSERT_TRUE(Skinned(tabSet->Handle()));
  const Picture printed = Print(tabSet->Handle());
  const TDataSkinObject& strip = *Data().Slot(SkinSlot::Tabs);
  for (int i = 0; i < 2; ++i) {
    const RECT box = tabSet->TabRect(i);
    const int width = box.right - box.left, height = box.bottom - box.top;
    Canvas upright(width, height, Face());
    DrawSkinObject(upright.Dc(), {0, 0, width, height}, strip.Frames, i == 1 ? 2 : 1, strip);
    GdiFlush();
    FlipBitmap(upright.bitmap);
    const Picture expected(upright);
    // The rows above the text: the strip's bottom edge, now on top.
    int differences = 0;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) differences += expected.At(x, y) != printed.At(box.left + x, y);
    EXPECT_EQ(0, differences) << "tab " << i;
  }
}

TEST_F(SkinKinds, AToolBarLiesOnTheSkinsGradientAndFramesTheButtonUnderThePointer) {
  auto* bar = Add<TToolBar>(10, 10, 300, 28, L"");
  bar->SetButtons({L"New", L"Open"});
  auto skin = CreateControlSkin(L"toolbar");
  ASSERT_NE(nullptr, skin);
  skin->Attach(bar, &Data(), nullptr, false);
  EXPECT_TRUE(bar->Flat()) << "the skin makes the bar flat";
  ASSERT_TRUE(Skinned(bar->Handle()));
  Canvas gradient(300, 28, clMagenta);
  StripFrame frame{Data().Toolbar()->Image};
  DrawFrameStretched(gradient.Dc(), {0, 0, 300, 28}, frame);
  const TColor top = gradient.At(290, 1), bottom = gradient.At(290, 26);
  ASSERT_NE(top, bottom);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Capture shown = ScreenWhen(bar->Handle(), [&](const Capture& c) { return c.Pixel(290, 1) == ColorToRGB(top); });
  SaveCapture(shown, "skin_tool_bar");
  EXPECT_EQ(ColorToRGB(top), shown.Pixel(290, 1));
  EXPECT_EQ(ColorToRGB(bottom), shown.Pixel(290, 26));
  EXPECT_EQ(0, TSkinToolBar::ButtonFrame(0, true)) << "a flat bar's resting button shows no frame";
  EXPECT_EQ(4, TSkinToolBar::ButtonFrame(CDIS_HOT, true));
  EXPECT_EQ(2, TSkinToolBar::ButtonFrame(CDIS_HOT | CDIS_SELECTED, true));
}

TEST_F(SkinKinds, AMediaPlayerIsCoveredByTheSkinsButtonsAndStillGetsItsClicks) {
  auto* player = Add<TMediaPlayer>(10, 10, 180, 30, L"");
  player->SetVisibleButtons(0b111);  // play, pause, stop: 60 pixels each
  player->SetEnabledButtons(0b011);
  std::vector<TMPBtnType> clicks;
  player->OnClick = [&](TMPBtnType button) { clicks.push_back(button); };
  auto skin = CreateControlSkin(L"mediaplayer");
  ASSERT_NE(nullptr, skin);
  skin->Attach(player, &Data(), nullptr, false);
  ASSERT_TRUE(Skinned(player->Handle()));
  TWMediaPlayer* overlay = dynamic_cast<TSkinMP&>(*skin).Overlay();
  ASSERT_NE(nullptr, overlay);
  EXPECT_EQ(Data().DisableTag(), overlay->Tag()) << "the form leaves the overlay alone";
  EXPECT_EQ((std::vector<int>{10, 10, 180, 30}),
            (std::vector<int>{overlay->Left(), overlay->Top(), overlay->Width(), overlay->Height()}));
  const Picture printed = Print(overlay->Handle());
  const Picture normal = ButtonFrame(60, 30, 1), disabled = ButtonFrame(60, 30, 3);
  int differences = 0;
  for (int y = 0; y < 30; ++y)
    differences += (printed.At(0, y) != normal.At(0, y)) + (printed.At(120, y) != disabled.At(0, y));
  EXPECT_EQ(0, differences) << "an enabled button in frame 1, the disabled stop button in frame 3";

  SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 10));
  SendMessageW(overlay->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(75, 12));
  SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(overlay->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(70, 12));  // released over another button
  EXPECT_EQ(std::vector<TMPBtnType>{TMPBtnType::btPause}, clicks);
}

TEST_F(SkinKinds, AButtonOfAnotherLibraryDrawsThePictureOfItsPngImage) {
  ClassRegistrar<TPngButton>(L"TPngButton", L"TButton").Object(L"PngImage", [](TPngButton& b) { return &b.picture; });
  auto* button = Add<TPngButton>(10, 10, 100, 25, L"");
  // A 16 x 16 picture: red on the transparent olive of its bottom-left pixel.
  HBITMAP picture = CreateBitmap(16, 16, 1, 32, nullptr);
  {
    Canvas paint(16, 16, clOlive);
    RECT inner{4, 4, 12, 12};
    OwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(paint.Dc(), &inner, red.Get());
    MemoryDc target;
    SelectionScope selected(target.Get(), picture);
    BitBlt(target.Get(), 0, 0, 16, 16, paint.Dc(), 0, 0, SRCCOPY);
  }
  button->picture.SetHandle(picture);
  auto skin = CreateControlSkin(L"pngbitbtn");
  ASSERT_NE(nullptr, skin);
  skin->Attach(button, &Data(), nullptr, false);
  const Picture printed = Print(button->Handle());
  int red = 0;
  for (int y = 0; y < printed.height; ++y)
    for (int x = 0; x < printed.width; ++x) red += printed.At(x, y) == 0x0000FF;
  EXPECT_EQ(64, red) << "the picture's 8 x 8 red square, once";
}

TEST_F(SkinKinds, ScrolledChildrenAndExtendedComboBoxesAnswerThatTheyAreSkinned) {
  auto* host = Add<TPanel>(10, 10, 200, 120, L"");
  const HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 4, 4, 120, 100,
                                    host->Handle(), nullptr, nullptr, nullptr);
  CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 130, 4, 60, 20, host->Handle(), nullptr, nullptr, nullptr);
  auto embedded = CreateControlSkin(L"embedscrollbar");
  ASSERT_NE(nullptr, embedded);
  embedded->Attach(host, &Data(), nullptr, false);
  EXPECT_EQ(1, dynamic_cast<TSkinEmbeddedScrollbars&>(*embedded).ScrolledChildCount());
  EXPECT_TRUE(Skinned(host->Handle()));
  EXPECT_TRUE(Skinned(list));

  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_USEREX_CLASSES};
  InitCommonControlsEx(&classes);
  const HWND extended = CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 220, 10, 150,
                                        200, form->Handle(), nullptr, nullptr, nullptr);
  const HWND inner = reinterpret_cast<HWND>(SendMessageW(extended, CBEM_GETCOMBOCONTROL, 0, 0));
  auto combo = CreateControlSkin(ControlSkinKindForWindow(extended));
  ASSERT_NE(nullptr, combo);
  combo->AttachHandle(extended, &Data(), nullptr);
  EXPECT_TRUE(Skinned(extended));
  EXPECT_TRUE(Skinned(inner)) << "the skin paints through the inner combo box";
  EXPECT_EQ(inner, combo->Window());
  EXPECT_EQ(1, dynamic_cast<TSkinComBox&>(*combo).ShownFrame());
  combo.reset();
  EXPECT_FALSE(Skinned(extended)) << "freed, the skin leaves both windows";
}

TEST_F(SkinKinds, ADialogInsideADialogHasItsChildrenSkinnedBeforeIt) {
  const HWND outer = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"outer", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60,
                                     60, 300, 200, nullptr, nullptr, nullptr, nullptr);
  const HWND nested = CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 150, outer, nullptr,
                                      nullptr, nullptr);
  const HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 25,
                                      nested, nullptr, nullptr, nullptr);
  {
    TSkinForm frame;
    frame.AttachWindow(outer, &Data(), nullptr);
    frame.InitFrame();
    EXPECT_TRUE(Skinned(button));
    EXPECT_TRUE(Skinned(nested));
    const auto& controls = frame.Frame().Controls();
    auto at = [&](HWND window) {
      return std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.window == window; });
    };
    EXPECT_LT(at(button), at(nested)) << "children first";
    frame.DetachWindow();
  }
  DestroyWindow(outer);
}

}  // namespace
}  // namespace quonel::testing
