// Check boxes, radio buttons, group boxes and message boxes under the skin:
// marks against the skin's strips (library controls painted whole, bare
// windows marked over their own painting), the group box's colours, and a
// question box of the wizard in the skin's face colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/controls/buttons/caption_layout.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/controls/buttons/skin_group_box.h"
#include "skin/controls/buttons/skin_mark_buttons.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "support/message_box_hook.h"
#include "ui/check_box.h"
#include "ui/group_box.h"
#include "ui/radio_button.h"

namespace quonel::testing {
namespace {

constexpr int kMarkTop = 2;  // a 13-pixel mark in a 17-pixel control

class SkinMarks : public SkinnedControls {
 protected:
  const TDataSkinButton& Buttons() const { return Data().Buttons(); }
  Picture CheckFrame(int frame) const { return MarkFrame(Buttons().CheckImage, Buttons().CheckFrames, frame); }
  Picture RadioFrame(int frame) const { return MarkFrame(Buttons().RadioImage, Buttons().RadioFrames, frame); }
  HWND BareButton(DWORD style, const wchar_t* text, int top) {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 10, top, 120, 17, form->Handle(), nullptr,
                           nullptr, nullptr);
  }
  // Whether the strip's pixel is drawn (not the magenta key) in that frame.
  static bool Opaque(const SkinBitmap& strip, int count, int frame, int x, int y) {
    return strip.Pixel((frame - 1) * (strip.Width() / count) + x, y) != clMagenta;
  }
  // Differences of a bare check box's mark from check frame `frame`, where the frame is opaque.
  int OpaqueDifferences(int frame, const std::function<TColor(int, int)>& pixel) const {
    const Picture expected = CheckFrame(frame);
    int differences = 0;
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x)
        if (Opaque(Buttons().CheckImage, Buttons().CheckFrames, frame, x, y) &&
            pixel(x, kMarkTop + y) != expected.At(x, y))
          ++differences;
    return differences;
  }
  static std::function<TColor(int, int)> Printed(HWND window) {
    auto picture = std::make_shared<Picture>(Print(window));
    return [picture](int x, int y) { return picture->At(x, y); };
  }
  std::vector<std::unique_ptr<TSkinControl>> skins;
};

TEST_F(SkinMarks, LibraryCheckBoxesAndRadioButtonsShowTheFrameOfTheirState) {
  ASSERT_EQ(5, Buttons().CheckFrames);
  ASSERT_EQ(5, Buttons().RadioFrames);
  auto* check = Add<TCheckBox>(10, 10, 120, 17, L"备份旧文件");
  auto* radio = Add<TRadioButton>(10, 40, 120, 17, L"电信服务器");
  auto* other = Add<TRadioButton>(10, 60, 120, 17, L"网通服务器");
  auto* left = Add<TCheckBox>(10, 90, 120, 17, L"左边的文字");
  left->SetChecked(true);
  left->SetAlignment(TLeftRight::taLeftJustify);  // a new window, the same check
  for (TControl* control : std::vector<TControl*>{check, radio, other, left}) {
    auto skin = CreateControlSkin(dynamic_cast<TRadioButton*>(control) ? L"RadioButton" : L"checkbox");
    skin->Attach(control, &Data(), nullptr, false);
    EXPECT_EQ(TSkinControl::kParentBackground, skin->GetBackgroundMode()) << "painted whole by the skin";
    skins.push_back(std::move(skin));
  }

  EXPECT_EQ(0, RegionDifferences(CheckFrame(1), Print(check->Handle()), 0, kMarkTop));
  check->SetChecked(true);
  EXPECT_EQ(0, RegionDifferences(CheckFrame(2), Print(check->Handle()), 0, kMarkTop));
  check->SetEnabled(false);
  EXPECT_EQ(0, RegionDifferences(CheckFrame(4), Print(check->Handle()), 0, kMarkTop));
  check->SetChecked(false);
  EXPECT_EQ(0, RegionDifferences(CheckFrame(3), Print(check->Handle()), 0, kMarkTop));

  radio->SetChecked(true);
  EXPECT_EQ(0, RegionDifferences(RadioFrame(2), Print(radio->Handle()), 0, kMarkTop));
  other->SetChecked(true);
  EXPECT_EQ(0, RegionDifferences(RadioFrame(1), Print(radio->Handle()), 0, kMarkTop)) << "its neighbour took the choice";
  EXPECT_EQ(0, RegionDifferences(RadioFrame(2), Print(other->Handle()), 0, kMarkTop));

  // Text on the left: the mark at the right edge, the caption ending 2 pixels before it.
  const Picture printed = Print(left->Handle());
  EXPECT_EQ(0, RegionDifferences(CheckFrame(2), printed, 120 - 13, kMarkTop));
  int textPixels = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 120 - 13; ++x)
      if (printed.At(x, y) != Face()) {
        ++textPixels;
        EXPECT_LT(x, 120 - 13 - 2) << y;
      }
  EXPECT_GT(textPixels, 20);
  SaveCapture(ScreenWhen(form->Handle(), [&](const Capture& c) { return c.width > 0; }), "skin_marks");
}

TEST_F(SkinMarks, BareButtonWindowsGetTheMarkOverTheirOwnPainting) {
  const HWND check = BareButton(BS_AUTOCHECKBOX, L"bare", 10);
  const HWND gray = BareButton(BS_AUTO3STATE, L"three", 40);
  for (HWND window : {check, gray}) {
    auto skin = CreateControlSkin(ControlSkinKindForWindow(window));
    ASSERT_TRUE(skin);
    skin->AttachHandle(window, &Data(), nullptr);
    EXPECT_EQ(TSkinControl::kOwnBackground, skin->GetBackgroundMode());
    skins.push_back(std::move(skin));
  }
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  // Magenta pixels of the strip let the button's own painting show.
  const Picture printed = Print(check);
  EXPECT_EQ(0, OpaqueDifferences(2, [&](int x, int y) { return printed.At(x, y); }));
  EXPECT_GT(OpaqueDifferences(1, [&](int x, int y) { return printed.At(x, y); }), 0) << "not the unchecked frame";
  const auto onScreen = [](const Capture& c) { return [&c](int x, int y) { return static_cast<TColor>(c.Pixel(x, y)); }; };
  const Capture screen = ScreenWhen(check, [&](const Capture& c) { return OpaqueDifferences(2, onScreen(c)) == 0; });
  EXPECT_EQ(0, OpaqueDifferences(2, onScreen(screen)));

  // The window's indeterminate state: the greyed frame, enabled or not.
  SendMessageW(gray, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(0, OpaqueDifferences(4, Printed(gray)));
  EnableWindow(gray, FALSE);
  EXPECT_EQ(0, OpaqueDifferences(4, Printed(gray)));
  SendMessageW(gray, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(0, OpaqueDifferences(3, Printed(gray)));
}

TEST_F(SkinMarks, AGroupBoxDrawsItsLineInTheShadowColourBrokenByItsCaptionOnTheFace) {
  auto* box = Add<TGroupBox>(2, 120, 396, 60, L"服务器");
  box->SetColor(clWhite);
  auto skin = CreateControlSkin(L"groupbox");
  skin->Attach(box, &Data(), nullptr, true);
  EXPECT_EQ(Face(), box->Color()) << "recoloured";
  const Picture printed = Print(box->Handle());
  const TColor shadow = Data().Colours().ButtonShadow;
  SIZE digit{};
  {
    WindowDc dc(box->Handle());
    SelectionScope font(dc.Get(), box->Font().Handle());
    GetTextExtentPoint32W(dc.Get(), L"0", 1, &digit);
  }
  const int frameTop = GroupFrameTop(digit.cy);
  EXPECT_EQ(shadow, printed.At(1, frameTop + 20)) << "left line";
  EXPECT_EQ(shadow, printed.At(394, frameTop + 20)) << "right line";
  EXPECT_EQ(shadow, printed.At(200, 58)) << "bottom line";
  EXPECT_EQ(shadow, printed.At(200, frameTop)) << "top line right of the caption";
  EXPECT_EQ(Face(), printed.At(200, 30)) << "inside";
  // The caption (three characters from x = 8) stands on the face colour over the line.
  int shadowUnderCaption = 0, faceUnderCaption = 0;
  for (int x = 8; x < 8 + 3 * 12; ++x) {
    if (printed.At(x, frameTop) == shadow) ++shadowUnderCaption;
    if (printed.At(x, frameTop) == Face()) ++faceUnderCaption;
  }
  EXPECT_EQ(0, shadowUnderCaption);
  EXPECT_GT(faceUnderCaption, 0);
  SaveCapture(ScreenWhen(form->Handle(), [&](const Capture& c) { return c.width > 0; }), "skin_group_box");
  skin.reset();
  EXPECT_EQ(clWhite, box->Color()) << "its own colour back";
}

TEST_F(SkinMarks, TheWizardsQuestionBoxStandsInTheSkinsFaceColour) {
  MessageBoxAnswerer boxes(IDNO);
  int staticsChecked = 0;
  boxes.OnBox = [&](const SeenMessageBox&) {
    HWND box = FindWindowW(L"#32770", L"信息提示");
    ASSERT_TRUE(box);
    std::vector<HWND> children;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    for (HWND child : children)
      if (auto skin = CreateControlSkin(ControlSkinKindForWindow(child))) {
        skin->AttachHandle(child, &Data(), nullptr);
        skins.push_back(std::move(skin));
      }
    auto dialog = CreateControlSkin(ControlSkinKindForWindow(box));
    ASSERT_TRUE(dialog);
    dialog->AttachHandle(box, &Data(), nullptr);
    skins.push_back(std::move(dialog));
    ShowWindow(box, SW_SHOW);
    RedrawWindow(box, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const COLORREF platformFace = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(platformFace, static_cast<COLORREF>(Face()));
    for (HWND child : children) {
      wchar_t className[16] = {};
      GetClassNameW(child, className, 16);
      if (lstrcmpiW(className, L"Static") != 0 || GetWindowTextLengthW(child) == 0) continue;
      const Capture text = ScreenWhen(child, [&](const Capture& c) { return c.Pixel(0, 0) == static_cast<COLORREF>(Face()); });
      int face = 0, platform = 0;
      for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x) {
          if (text.Pixel(x, y) == static_cast<COLORREF>(Face())) ++face;
          if (text.Pixel(x, y) == platformFace) ++platform;
        }
      EXPECT_EQ(0, platform) << "no text cell in the platform's colour";
      EXPECT_GT(face, text.width * text.height / 2);
      ++staticsChecked;
    }
    const Capture whole = CaptureWindow(box);
    RECT client{}, window{};
    GetClientRect(box, &client);
    GetWindowRect(box, &window);
    POINT corner{2, client.bottom - 2};
    ClientToScreen(box, &corner);
    EXPECT_EQ(static_cast<COLORREF>(Face()), whole.Pixel(corner.x - window.left, corner.y - window.top));
    SaveCapture(whole, "skin_question_box");
  };
  EXPECT_EQ(IDNO, MessageBoxW(form->Handle(), L"正在下载文件，要退出吗？", L"信息提示", MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(1, staticsChecked);
  for (auto& skin : skins) EXPECT_EQ(TSkinControl::kWindowGone, skin->GetLifeState());
}

}  // namespace
}  // namespace quonel::testing
