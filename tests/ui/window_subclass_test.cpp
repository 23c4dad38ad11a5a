// Window subclassing: the order in which chained links and the window's own
// procedure see a message, links leaving while messages are in flight, the
// end of a window, escaped exceptions, and windows of the library and of the
// system. Every case compares a log of {who, message} with the order expected.
#include "ui/window_subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "core/exception.h"
#include "ui/form.h"

namespace quonel {
namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kPong = WM_APP + 2;
constexpr UINT kLeft = 0xFFFFFFFF;  // logged by OnDetached
constexpr int kWindow = 0;          // the window's own procedure
constexpr int kForeign = 9;         // a procedure put on top by someone else

struct Entry {
  int who;
  UINT msg;
  bool operator==(const Entry&) const = default;
};
void PrintTo(const Entry& entry, std::ostream* out) {
  *out << "{" << entry.who << ", ";
  switch (entry.msg) {
    case kPing: *out << "Ping"; break;
    case kPong: *out << "Pong"; break;
    case kLeft: *out << "Left"; break;
    case WM_DESTROY: *out << "WM_DESTROY"; break;
    case WM_NCDESTROY: *out << "WM_NCDESTROY"; break;
    default: *out << std::hex << "0x" << entry.msg << std::dec;
  }
  *out << "}";
}
using Log = std::vector<Entry>;
Log seen;

bool Logged(UINT msg) { return msg == kPing || msg == kPong || msg == WM_DESTROY || msg == WM_NCDESTROY; }
void Record(int who, UINT msg) {
  if (Logged(msg)) seen.push_back({who, msg});
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  Record(kWindow, msg);
  if (msg == kPing || msg == kPong) return 42;
  return DefWindowProcW(window, msg, wParam, lParam);
}

WNDPROC foreignNext = nullptr;
LRESULT CALLBACK ForeignProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  Record(kForeign, msg);
  return CallWindowProcW(foreignNext, window, msg, wParam, lParam);
}

WNDPROC CurrentProc(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

// A link that logs what it sees under its number and passes it on, unless
// the case gives it something else to do with a message.
struct Probe {
  explicit Probe(int who)
      : link([this, who](TWindowSubclass& self, TMessage& message) {
          Record(who, message.Msg);
          if (auto action = on.find(message.Msg); action != on.end()) action->second(message);
          else self.CallNext(message);
        }) {}
  TWindowSubclass link;
  std::map<UINT, std::function<void(TMessage&)>> on;
};

class SubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const ATOM atom = [] {
      WNDCLASSEXW windowClass = {};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = TestWindowProc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"SubclassTestWindow";
      return RegisterClassExW(&windowClass);
    }();
    ASSERT_NE(0, atom);
    window = NewWindow();
    seen.clear();
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }
  static HWND NewWindow() {
    return CreateWindowExW(0, L"SubclassTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  LRESULT Send(UINT msg) { return SendMessageW(window, msg, 0, 0); }
  void AttachAll(std::initializer_list<Probe*> probes) {
    for (Probe* probe : probes) ASSERT_TRUE(probe->link.Attach(window));
  }

  HWND window = nullptr;
};

TEST_F(SubclassTest, NewestLinkFirstThenDownToTheWindowsProcedureAndALinkMaySwallowOrAnswer) {
  Probe one(1), two(2), three(3);
  AttachAll({&one, &two, &three});
  EXPECT_FALSE(two.link.Attach(window));
  EXPECT_EQ(window, two.link.Window());

  EXPECT_EQ(42, Send(kPing));
  EXPECT_EQ((Log{{3, kPing}, {2, kPing}, {1, kPing}, {kWindow, kPing}}), seen);

  seen.clear();
  two.on[kPong] = [](TMessage& message) { message.Result = 7; };
  three.on[kPong] = [&](TMessage& message) {
    three.link.CallNext(message);
    message.Result += 100;
  };
  EXPECT_EQ(107, Send(kPong));
  EXPECT_EQ((Log{{3, kPong}, {2, kPong}}), seen);
}

TEST_F(SubclassTest, AMessageSentFromAHandlerGoesThroughTheWholeChainAndTheOuterOneGoesOnBelow) {
  Probe one(1), two(2), three(3);
  AttachAll({&one, &two, &three});
  two.on[kPing] = [&](TMessage& message) {
    EXPECT_EQ(42, Send(kPong));
    two.link.CallNext(message);
  };
  EXPECT_EQ(42, Send(kPing));
  EXPECT_EQ((Log{{3, kPing}, {2, kPing}, {3, kPong}, {2, kPong}, {1, kPong}, {kWindow, kPong}, {1, kPing},
                 {kWindow, kPing}}),
            seen);
}

TEST_F(SubclassTest, ALinkLeavingInsideItsHandlerStillPassesThatMessageOnButSeesNoOther) {
  Probe one(1), two(2), three(3);
  AttachAll({&one, &two, &three});
  two.on[kPing] = [&](TMessage& message) {
    two.link.Detach();
    EXPECT_FALSE(two.link.Attached());
    Send(kPong);
    two.link.CallNext(message);
  };
  EXPECT_EQ(42, Send(kPing));
  EXPECT_EQ((Log{{3, kPing}, {2, kPing}, {3, kPong}, {1, kPong}, {kWindow, kPong}, {1, kPing}, {kWindow, kPing}}),
            seen);

  seen.clear();
  Send(kPing);
  EXPECT_EQ((Log{{3, kPing}, {1, kPing}, {kWindow, kPing}}), seen);
}

TEST_F(SubclassTest, ALowerLinkRemovedWhileAMessageIsInFlightIsSteppedOver) {
  Probe one(1), three(3);
  auto two = std::make_unique<Probe>(2);
  AttachAll({&one, two.get(), &three});

  // Link 2 is inside its handler when a nested message takes it off.
  two->on[kPing] = [&](TMessage& message) {
    Send(kPong);
    two->link.CallNext(message);
  };
  three.on[kPong] = [&](TMessage& message) {
    two->link.Detach();
    three.link.CallNext(message);
  };
  EXPECT_EQ(42, Send(kPing));
  EXPECT_EQ((Log{{3, kPing}, {2, kPing}, {3, kPong}, {1, kPong}, {kWindow, kPong}, {1, kPing}, {kWindow, kPing}}),
            seen);

  // The link below is destroyed before the message reaches it.
  three.link.Detach();
  ASSERT_TRUE(two->link.Attach(window));
  ASSERT_TRUE(three.link.Attach(window));
  three.on.clear();
  three.on[kPing] = [&](TMessage& message) {
    two.reset();
    three.link.CallNext(message);
  };
  seen.clear();
  EXPECT_EQ(42, Send(kPing));
  EXPECT_EQ((Log{{3, kPing}, {1, kPing}, {kWindow, kPing}}), seen);
}

TEST_F(SubclassTest, LinksLeaveInAnyOrderAndTheWindowGetsItsProcedureBack) {
  const WNDPROC original = CurrentProc(window);
  Probe one(1), two(2), three(3);
  AttachAll({&one, &two, &three});
  EXPECT_NE(original, CurrentProc(window));

  two.link.Detach();
  Send(kPing);
  three.link.Detach();
  Send(kPong);
  EXPECT_EQ((Log{{3, kPing}, {1, kPing}, {kWindow, kPing}, {1, kPong}, {kWindow, kPong}}), seen);
  EXPECT_NE(original, CurrentProc(window));
  one.link.Detach();
  EXPECT_EQ(original, CurrentProc(window));

  // Someone subclasses on top of us: leaving must not cut them off, and a new
  // link goes in under them.
  ASSERT_TRUE(one.link.Attach(window));
  const WNDPROC ours = CurrentProc(window);
  foreignNext =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
  EXPECT_EQ(ours, foreignNext);
  one.link.Detach();
  EXPECT_EQ(ForeignProc, CurrentProc(window));
  ASSERT_TRUE(two.link.Attach(window));
  seen.clear();
  EXPECT_EQ(42, Send(kPing));
  EXPECT_EQ((Log{{kForeign, kPing}, {2, kPing}, {kWindow, kPing}}), seen);
  // They leave, then we do: the window's own procedure again.
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreignNext));
  two.link.Detach();
  EXPECT_EQ(original, CurrentProc(window));
}

TEST_F(SubclassTest, DestroyingTheWindowPassesTheEndThroughEveryLinkThenTakesThemOff) {
  Probe one(1);
  auto* two = new Probe(2);
  AttachAll({&one, two});
  int oneDetached = 0;
  one.link.OnDetached = [&] {
    ++oneDetached;
    seen.push_back({1, kLeft});
  };
  bool twoGone = false;
  two->link.OnDetached = [&] {
    seen.push_back({2, kLeft});
    delete two;
    twoGone = true;
  };

  DestroyWindow(window);
  EXPECT_EQ((Log{{2, WM_DESTROY}, {1, WM_DESTROY}, {kWindow, WM_DESTROY}, {2, WM_NCDESTROY}, {1, WM_NCDESTROY},
                 {kWindow, WM_NCDESTROY}, {2, kLeft}, {1, kLeft}}),
            seen);
  EXPECT_TRUE(twoGone);
  EXPECT_EQ(1, oneDetached);
  EXPECT_FALSE(one.link.Attached());
  EXPECT_EQ(nullptr, one.link.Window());
  EXPECT_FALSE(one.link.Attach(window));
  one.link.Detach();
  EXPECT_EQ(1, oneDetached);
}

TEST_F(SubclassTest, AWindowDestroyedByAHandlerEndsTheMessageThere) {
  Probe one(1), two(2);
  AttachAll({&one, &two});
  two.on[kPing] = [&](TMessage& message) {
    DestroyWindow(window);
    two.link.CallNext(message);
  };
  Send(kPing);
  EXPECT_EQ((Log{{2, kPing}, {2, WM_DESTROY}, {1, WM_DESTROY}, {kWindow, WM_DESTROY}, {2, WM_NCDESTROY},
                 {1, WM_NCDESTROY}, {kWindow, WM_NCDESTROY}}),
            seen);
  EXPECT_FALSE(one.link.Attached());
  EXPECT_FALSE(two.link.Attached());

  // The handle may come back for another window; it starts with no links.
  window = NewWindow();
  ASSERT_TRUE(one.link.Attach(window));
  seen.clear();
  Send(kPing);
  EXPECT_EQ((Log{{1, kPing}, {kWindow, kPing}}), seen);
}

std::vector<std::wstring> escaped;
void RecordEscaped() {
  try {
    throw;
  } catch (const Exception& exception) {
    escaped.push_back(exception.Message());
  } catch (...) {
    escaped.push_back(L"?");
  }
}

TEST_F(SubclassTest, AnExceptionStopsAtTheWindowProcedureIsReportedAndLeavesTheChainWorking) {
  const WNDPROC original = CurrentProc(window);
  escaped.clear();
  SetEscapedExceptionHandler(RecordEscaped);
  Probe one(1), two(2), three(3);
  AttachAll({&one, &two, &three});
  one.on[kPing] = [](TMessage&) { throw Exception(L"链断了"); };

  EXPECT_EQ(0, Send(kPing));
  EXPECT_EQ((std::vector<std::wstring>{L"链断了"}), escaped);
  EXPECT_EQ((Log{{3, kPing}, {2, kPing}, {1, kPing}}), seen);

  // Nothing of the broken message is left behind in the chain.
  seen.clear();
  EXPECT_EQ(42, Send(kPong));
  one.link.Detach();
  two.link.Detach();
  EXPECT_EQ(42, Send(kPing));
  TMessage belowThree{kPing};
  three.link.CallNext(belowThree);
  EXPECT_EQ(42, belowThree.Result);
  EXPECT_EQ((Log{{3, kPong}, {2, kPong}, {1, kPong}, {kWindow, kPong}, {3, kPing}, {kWindow, kPing}, {kWindow, kPing}}),
            seen);
  three.link.Detach();
  EXPECT_EQ(original, CurrentProc(window));
  SetEscapedExceptionHandler(nullptr);
}

TEST(SubclassWindowsTest, ALinkGoesInFrontOfALibraryControlAndOfASystemWindow) {
  TApplication application;
  application.Initialize();
  auto* form = new TForm(&application);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 24);
  form->Handle();
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  bool swallowClicks = false;
  TWindowSubclass onButton([&](TWindowSubclass& self, TMessage& message) {
    if (message.Msg == BM_CLICK && swallowClicks) return;
    self.CallNext(message);
  });
  int detached = 0;
  onButton.OnDetached = [&] { ++detached; };
  ASSERT_TRUE(onButton.Attach(button->Handle()));
  EXPECT_EQ(button, TWinControl::FromHandle(button->Handle()));
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  swallowClicks = true;
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(1, clicks);
  delete button;
  EXPECT_EQ(1, detached);
  EXPECT_FALSE(onButton.Attached());

  // A plain system button: the link changes what its own procedure is told.
  HWND check = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 80, 20, form->Handle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, check);
  TWindowSubclass onCheck([](TWindowSubclass& self, TMessage& message) {
    if (message.Msg == BM_SETCHECK) message.WParam = message.WParam == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    if (message.Msg == WM_SETTEXT) message.LParam = reinterpret_cast<LPARAM>(L"改过的");
    self.CallNext(message);
  });
  ASSERT_TRUE(onCheck.Attach(check));
  SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(BST_CHECKED, SendMessageW(check, BM_GETCHECK, 0, 0));
  SetWindowTextW(check, L"原来的");
  wchar_t text[32] = {};
  GetWindowTextW(check, text, 32);
  EXPECT_STREQ(L"改过的", text);
  DestroyWindow(check);
  EXPECT_FALSE(onCheck.Attached());
}

}  // namespace
}  // namespace quonel
