// The skin manager on real windows: which windows get a frame and with which
// component's skin, its deferred commands, popup menus, and what is left of
// it after a component or the manager itself is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/data/skin_data_class.h"
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/skin_messages.h"
#include "support/message_box_hook.h"
#include "skin/stored_blue_skin.h"
#include "support/test_paths.h"
#include "support/window_driver.h"
#include "ui/application.h"
#include "ui/button.h"

namespace quonel {
namespace {

constexpr int kWaitMs = 10000;

bool Skinned(HWND window) { return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }

class SkinManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    RegisterSkinDataClass();
    RegisterSkinManager();
  }
  // A component read as a stored form reads it: properties, the blue skin, Loaded.
  TSkinData* LoadComponent(TComponent* owner, TSkinFormType type = TSkinFormType::sfMainform) {
    auto* data = new TSkinData(owner);
    data->SetState(ComponentStateFlag::Loading, true);
    data->SetSkinFormtype(type);
    data->SetActive(true);
    data->ReadSkinStreamProperty(testing::StoredBlueSkin());
    data->Loaded();
    return data;
  }
  TForm* ShowForm(intptr_t tag = 0) {
    auto* form = new TForm(&application);
    form->SetBounds(60, 60, 320, 200);
    form->SetTag(tag);
    form->Show();
    return form;
  }
  static TSkinManage& Manager() { return *TSkinManage::Instance(); }
  static bool WaitForCommand() {
    return testing::WaitFor([] { return !Manager().CommandScheduled(); }, kWaitMs);
  }

  TApplication application;
};

TEST_F(SkinManagerTest, ActivatedFormsAreFramedExceptTag99AndTheFrameGoesWithItsWindow) {
  TForm* owner = ShowForm();
  TSkinData* data = LoadComponent(owner);
  data->SetDisableTag(7);
  ASSERT_NE(nullptr, TSkinManage::Instance());
  int changes = 0;
  data->OnSkinChanged = [&](TComponent*) { ++changes; };

  TForm* form = ShowForm();
  EXPECT_EQ(1, Manager().Started()) << "the first activation starts the manager";
  ASSERT_TRUE(Skinned(form->Handle()));
  TSkinForm* frame = Manager().FindForm(form->Handle());
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(data, frame->SkinData());
  EXPECT_EQ(form, frame->Form());
  EXPECT_EQ(L"TForm", frame->WindowClassName());
  ASSERT_TRUE(testing::WaitFor([&] { return frame->GetState() == TSkinForm::kReady; }, kWaitMs))
      << "SKM_INITFRAME is posted and runs the deferred set-up";

  TForm* tagged = ShowForm(99);
  EXPECT_FALSE(Skinned(tagged->Handle())) << "Tag 99 is never framed, whatever DisableTag holds";
  EXPECT_EQ(nullptr, Manager().FindForm(tagged->Handle()));

  // A size grip made inside a framed window is handed to its frame, which skins it.
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16, form->Handle(), nullptr,
                              nullptr, nullptr);
  EXPECT_EQ(std::vector<HWND>{grip}, frame->SizeGrips());
  EXPECT_TRUE(Skinned(grip)) << "a late size grip goes through the bare-window table";

  // The window goes first; its frame is closed and freed at the next purge.
  const int framed = Manager().FormCount();
  delete form;
  EXPECT_EQ(TSkinForm::kClosed, frame->GetState());
  Manager().SetRequestingComponent(data);
  Manager().PostCommand(kCommandPurge, 1);
  ASSERT_TRUE(WaitForCommand());
  EXPECT_EQ(framed - 1, Manager().FormCount());
  EXPECT_EQ(1, changes);
}

TEST_F(SkinManagerTest, SkinnedNoticeNeverReachesAControlAsANotification) {
  TForm* owner = ShowForm();
  LoadComponent(owner);
  TForm* form = ShowForm();
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 24);
  ASSERT_TRUE(Skinned(form->Handle()));
  std::vector<UINT> seen;
  for (TControl* control : {static_cast<TControl*>(form), static_cast<TControl*>(button)}) {
    TWndMethod saved = control->WindowProc;
    control->WindowProc = [saved, &seen](TMessage& message) {
      if (message.Msg == SKM_SKINNED) seen.push_back(message.Msg);
      saved(message);
    };
  }
  // Answered by the frame in front of the form's procedure.
  EXPECT_EQ(kSkinMessageMarker, SendMessageW(form->Handle(), SKM_SKINNED, 0, kSkinMessageMarker));
  // No frame in front of the button: the library keeps the value away from its notification handlers.
  SendMessageW(button->Handle(), SKM_SKINNED, 0, kSkinMessageMarker);
  EXPECT_TRUE(seen.empty());
}

TEST_F(SkinManagerTest, MessageBoxesTakeTheDialogComponentsSkinElseTheMainOne) {
  TForm* owner = ShowForm();
  TSkinData* main = LoadComponent(owner);
  std::vector<TSkinData*> used;
  testing::MessageBoxAnswerer boxes(IDOK, testing::MessageBoxAnswerer::Moment::Active);
  boxes.OnBox = [&](const testing::SeenMessageBox& box) {
    EXPECT_TRUE(Skinned(box.window));
    TSkinForm* frame = Manager().FindForm(box.window);
    used.push_back(frame ? frame->SkinData() : nullptr);
    EXPECT_TRUE(frame && frame->Form() == nullptr) << "a bare window";
  };
  MessageBoxW(owner->Handle(), L"one", L"box", MB_OK);
  TSkinData* dialog = LoadComponent(owner, TSkinFormType::sfDialog);
  MessageBoxW(owner->Handle(), L"two", L"box", MB_OK);
  ASSERT_EQ(2u, boxes.Boxes().size());
  EXPECT_EQ((std::vector<TSkinData*>{main, dialog}), used);
}

TEST_F(SkinManagerTest, ActiveOffAndOnWithinTheDelayRunsOnlyTheLastCommandOnce) {
  TForm* owner = ShowForm();
  TSkinData* data = LoadComponent(owner);
  int changes = 0;
  data->OnSkinChanged = [&](TComponent* sender) {
    EXPECT_EQ(data, sender);
    ++changes;
  };
  TForm* form = ShowForm();
  ASSERT_TRUE(Skinned(form->Handle()));

  data->SetActive(false);
  data->SetActive(true);
  EXPECT_EQ(kCommandSkinAll, Manager().PendingCommand());
  EXPECT_EQ(250u, Manager().CommandInterval());
  ASSERT_TRUE(WaitForCommand());
  EXPECT_EQ(1, changes) << "the timer is one-shot: nothing more can come";
  EXPECT_TRUE(Skinned(form->Handle())) << "the removal never ran";
  EXPECT_EQ(nullptr, Manager().RequestingComponent());

  data->SetActive(false);
  ASSERT_TRUE(WaitForCommand());
  EXPECT_EQ(2, changes);
  EXPECT_FALSE(Skinned(form->Handle())) << "the window has its own look back";
  EXPECT_EQ(0, Manager().FormCount());
  EXPECT_FALSE(Skinned(ShowForm()->Handle())) << "skinning is off";

  data->SetActive(true);
  ASSERT_TRUE(WaitForCommand());
  EXPECT_EQ(3, changes);
  EXPECT_TRUE(Skinned(form->Handle())) << "every shown form is framed again";
  EXPECT_TRUE(Skinned(owner->Handle()));
}

// A top-level window of this module whose class says "preview".
HWND ShowPreviewWindow() {
  static const wchar_t* kClass = L"TestPrintPreviewWindow";
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClass;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kClass, L"preview", WS_OVERLAPPEDWINDOW, 80, 80, 200, 120, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOW);
  return window;
}

TEST_F(SkinManagerTest, PreviewWindowsAreFramedOnlyWithThePreviewOption) {
  TForm* owner = ShowForm();
  TSkinData* data = LoadComponent(owner);
  data->SetOptions(data->Options() & ~SetBit(xoPreview));
  HWND without = ShowPreviewWindow();
  EXPECT_FALSE(Skinned(without));
  data->SetOptions(data->Options() | SetBit(xoPreview));
  HWND with = ShowPreviewWindow();
  EXPECT_TRUE(Skinned(with)) << "a window of this module without a form object";
  std::wstring asked;
  data->OnFormSkin = [&](TComponent*, const std::wstring& name, bool& doSkin) {
    asked = name;
    doSkin = false;
  };
  HWND refused = ShowPreviewWindow();
  EXPECT_FALSE(Skinned(refused)) << "the default component has the last word";
  EXPECT_EQ(L"TestPrintPreviewWindow", asked);
  for (HWND window : {without, with, refused}) DestroyWindow(window);
}

TEST_F(SkinManagerTest, ADestroyedComponentLeavesNoSkinAndNoPointerBehind) {
  TForm* owner = ShowForm();
  TSkinData* data = LoadComponent(owner);
  TForm* form = ShowForm();
  ASSERT_TRUE(Skinned(form->Handle()));
  data->SetActive(false);  // requesting component, with its command waiting
  ASSERT_EQ(data, Manager().RequestingComponent());

  delete data;
  EXPECT_FALSE(Skinned(form->Handle())) << "its frames go with it";
  EXPECT_EQ(0, Manager().FormCount());
  EXPECT_TRUE(Manager().Components().empty());
  EXPECT_EQ(nullptr, Manager().DefaultComponent());
  EXPECT_EQ(nullptr, Manager().RequestingComponent());
  ASSERT_TRUE(WaitForCommand()) << "the waiting command finds no component";
  EXPECT_FALSE(Skinned(ShowForm()->Handle()));
}

TEST_F(SkinManagerTest, FreeingTheManagerTakesItsHookAndFramesAway) {
  TForm* owner = ShowForm();
  LoadComponent(owner);
  TForm* form = ShowForm();
  ASSERT_TRUE(Skinned(form->Handle()));
  HHOOK hook = Manager().HookHandle();
  ASSERT_NE(nullptr, hook);
  FreeSkinManager();
  EXPECT_EQ(nullptr, TSkinManage::Instance());
  EXPECT_FALSE(Skinned(form->Handle()));
  EXPECT_FALSE(UnhookWindowsHookEx(hook)) << "removed already";
  EXPECT_FALSE(Skinned(ShowForm()->Handle()));
}

TEST_F(SkinManagerTest, PopupMenusAreSkinnedByTheKindOfMenuTheirComponentAllows) {
  TForm* owner = ShowForm();
  TSkinData* data = LoadComponent(owner);
  struct Seen {
    bool skinned;
    bool listed;
  };
  std::vector<Seen> seen;
  TWndMethod saved = owner->WindowProc;
  owner->WindowProc = [saved, &seen](TMessage& message) {
    if (message.Msg == WM_ENTERIDLE && message.WParam == MSGF_MENU && message.LParam) {
      HWND popup = reinterpret_cast<HWND>(message.LParam);
      seen.push_back({Skinned(popup), Manager().IsSkinnedPopup(popup)});
      EndMenu();
    }
    saved(message);
  };
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"item");
  auto track = [&](int source) {
    Manager().SetMenuSource(source);
    Manager().SetMenuFlag(true);
    TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner->Handle(), nullptr);
  };
  data->SetSkinControls(data->SkinControls() & ~SetBit(xcSystemMenu));
  track(2);
  data->SetSkinControls(data->SkinControls() | SetBit(xcSystemMenu));
  track(2);
  track(0);
  DestroyMenu(menu);
  ASSERT_EQ(3u, seen.size()) << "each menu was open";
  EXPECT_FALSE(seen[0].skinned) << "a system menu needs xcSystemMenu";
  EXPECT_TRUE(seen[1].skinned && seen[1].listed);
  EXPECT_TRUE(seen[2].skinned && seen[2].listed) << "a context menu with xcPopupMenu";
  EXPECT_EQ(0, Manager().PopupCount());
  EXPECT_EQ(0, Manager().MenuSource()) << "reset when the last popup closed";
  EXPECT_FALSE(Manager().MenuFlag());
}

TEST_F(SkinManagerTest, AFormSkinnedWithoutTheFrameGetsItsControlSkinsAndNoticesAndGivesThemBack) {
  TForm* owner = ShowForm();
  auto* data = new TSkinData(owner);
  data->SetState(ComponentStateFlag::Loading, true);
  data->SetActive(true);
  data->SetSkinControls(data->SkinControls() & ~SetBit(xcMainMenu));
  data->ReadSkinStreamProperty(testing::StoredBlueSkin());
  data->Loaded();
  auto* form = new TForm(&application);
  form->SetBounds(60, 60, 320, 200);
  auto* plain = new TButton(form);
  plain->SetParent(form);
  auto* custom = new TButton(form);
  custom->SetBounds(0, 40, 80, 24);
  custom->SetParent(form);
  std::vector<std::wstring> notices;
  data->OnBeforeSkinForm = [&](TComponent* sender, HWND window, const std::wstring&) {
    if (window == form->Handle()) notices.push_back(sender == form ? L"before" : L"before, wrong sender");
  };
  data->OnAfterSkinForm = [&](TComponent*, HWND window, const std::wstring&) {
    if (window == form->Handle()) notices.push_back(L"after");
  };
  std::unique_ptr<TSkinControl> handlersSkin = CreateControlSkin(L"button");
  TComponent* skinControlSender = nullptr;
  data->OnSkinControl = [&](TComponent* sender, TSkinData*, TControl*, TControl* control, const std::wstring&,
                            TComponent*& skinned) {
    if (control != custom) return;
    skinControlSender = sender;
    skinned = handlersSkin.get();
  };
  form->Show();
  RECT outer{}, shown{};
  GetWindowRect(form->Handle(), &outer);
  ASSERT_TRUE(testing::WaitFor([&] { return notices.size() >= 2; }, kWaitMs)) << "the deferred set-up runs";
  EXPECT_EQ((std::vector<std::wstring>{L"before", L"after"}), notices);
  TSkinForm* frame = Manager().FindForm(form->Handle());
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(frame, skinControlSender) << "the handler hears from the frame object";
  EXPECT_TRUE(Skinned(plain->Handle())) << "control skins without the frame";
  EXPECT_EQ(TSkinControl::kAttached, handlersSkin->GetLifeState());
  GetWindowRect(form->Handle(), &shown);
  EXPECT_EQ(outer.bottom - outer.top, shown.bottom - shown.top) << "no skinned borders";
  EXPECT_NE(0, GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CAPTION) << "the platform's caption stays";

  data->SetActive(false);
  ASSERT_TRUE(WaitForCommand());
  EXPECT_FALSE(Skinned(plain->Handle()));
  EXPECT_EQ(TSkinControl::kDetached, handlersSkin->GetLifeState()) << "the handler's skin leaves with the others";
  delete form;
}

TEST(SkinManagerEnd, GoesBeforeTheApplicationFreesItsForms) {
  bool managerGone = false, frameGone = false;
  {
    TApplication application;
    application.Initialize();
    RegisterSkinDataClass();
    RegisterSkinManager();
    auto* form = new TForm(&application);
    form->SetBounds(60, 60, 320, 200);
    auto* data = new TSkinData(form);
    data->SetState(ComponentStateFlag::Loading, true);
    data->SetActive(true);
    data->ReadSkinStreamProperty(testing::StoredBlueSkin());
    data->Loaded();
    form->AfterConstruction();
    form->Show();
    ASSERT_TRUE(Skinned(form->Handle()));
    form->OnDestroy = [&](TComponent*) {
      managerGone = TSkinManage::Instance() == nullptr;
      frameGone = !Skinned(form->Handle());
    };
  }
  EXPECT_TRUE(managerGone);
  EXPECT_TRUE(frameGone);
}

}  // namespace
}  // namespace quonel
