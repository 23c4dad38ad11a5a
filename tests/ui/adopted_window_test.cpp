// A window made by someone else adopted by a control of the library: its
// messages go through the control's WindowProc and on to the maker's
// procedure, the control follows the window's box, and the window can be
// given back alive or die with the control forgetting it.
#include <gtest/gtest.h>

#include <vector>

#include "ui/application.h"
#include "ui/form.h"

namespace quonel {
namespace {

constexpr UINT kPing = WM_APP + 7;
std::vector<UINT> makerSaw;

std::vector<LONG> Box(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

LRESULT CALLBACK MakersProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kPing) {
    makerSaw.push_back(msg);
    return 42;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

// A control that hosts a window of a foreign class, as a hosted component would make it.
class THostingControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  using TWinControl::ReleaseAdoptedWindow;
  HWND made = nullptr;

 protected:
  void CreateWindowHandle(const TCreateParams& params) override {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MakersProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SomeoneElsesWindow";
    RegisterClassW(&windowClass);
    made = CreateWindowExW(0, L"SomeoneElsesWindow", L"", WS_CHILD | WS_VISIBLE, 30, 20, 120, 40, params.parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    AdoptWindow(made);
  }
};

class AdoptedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    form = new TForm(&application);
    form->SetBounds(50, 50, 300, 200);
    control = new THostingControl(form);
    control->SetParent(form);
    form->Handle();
    makerSaw.clear();
  }
  TApplication application;
  TForm* form = nullptr;
  THostingControl* control = nullptr;
};

TEST_F(AdoptedWindow, MessagesPassTheControlThenReachTheMakerAndTheBoxIsTheWindows) {
  ASSERT_NE(nullptr, control->made);
  EXPECT_EQ(control->made, control->Handle());
  EXPECT_EQ(control, TWinControl::FromHandle(control->made));
  EXPECT_EQ((std::vector<LONG>{30, 20, 150, 60}), Box(control->BoundsRect()));
  std::vector<UINT> controlSaw;
  const TWndMethod saved = control->WindowProc;
  control->WindowProc = [&](TMessage& message) {
    if (message.Msg == kPing) controlSaw.push_back(message.Msg);
    saved(message);
  };
  EXPECT_EQ(42, SendMessageW(control->made, kPing, 0, 0));
  EXPECT_EQ(std::vector<UINT>{kPing}, controlSaw);
  EXPECT_EQ(std::vector<UINT>{kPing}, makerSaw);
  // Perform, outside any message of the window, reaches the maker as well.
  EXPECT_EQ(42, control->Perform(kPing));
  control->SetBounds(5, 6, 70, 30);
  RECT box;
  GetWindowRect(control->made, &box);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ((std::vector<LONG>{5, 6, 75, 36}), Box(box));
  control->WindowProc = saved;
}

TEST_F(AdoptedWindow, GivenBackTheWindowLivesOnWithItsOwnProcedure) {
  HWND window = control->made;
  control->ReleaseAdoptedWindow();
  EXPECT_FALSE(control->HandleAllocated());
  EXPECT_EQ(nullptr, TWinControl::FromHandle(window));
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(MakersProc), GetWindowLongPtrW(window, GWLP_WNDPROC));
  EXPECT_EQ(42, SendMessageW(window, kPing, 0, 0));
  DestroyWindow(window);
}

TEST_F(AdoptedWindow, AWindowDestroyedByItsMakerIsForgottenAndANewOneCanBeAdopted) {
  DestroyWindow(control->made);
  EXPECT_FALSE(control->HandleAllocated());
  control->Handle();
  ASSERT_TRUE(IsWindow(control->made));
  EXPECT_EQ(control, TWinControl::FromHandle(control->made));
  EXPECT_EQ(42, SendMessageW(control->made, kPing, 0, 0));
}

}  // namespace
}  // namespace quonel
