// The skin gallery under the built-in skin: every control of its window is
// skinned (answers SKM_ISSKINNED with 1), the frame chose a skin of each kind
// the gallery exists to show, and its picture is left as skin_gallery.png;
// so is its MDI parent's, with the children in place and one maximised.
// The program itself saves a PNG with --screenshot and refuses a file that
// holds no skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "core/utf8.h"
#include "gallery_form.h"
#include "gallery_mdi.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/skin_messages.h"
#include "support/child_process.h"
#include "support/test_paths.h"
#include "support/window_capture.h"
#include "ui/application.h"
#include "ui/mdi_forms.h"

namespace quonel::testing {
namespace {

// The windows of a form whose controls answer that they are not skinned.
std::vector<std::wstring> UnskinnedControls(HWND form, int disableTag) {
  std::vector<std::wstring> unskinned;
  std::vector<HWND> windows{form};
  EnumChildWindows(form, [](HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    TWinControl* control = TWinControl::FromHandle(window);
    if (!control || control->Tag() == disableTag) continue;
    if (SendMessageW(window, SKM_ISSKINNED, 0, 0) != 1) unskinned.push_back(control->ClassName());
  }
  return unskinned;
}

// Messages are handled until done() holds, for at most ten seconds.
template <class Done>
bool PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    PumpMessages();
  }
  return true;
}

TEST(SkinGallery, EveryControlOfTheWindowIsSkinned) {
  TApplication application;
  application.Initialize();
  RegisterSkinManager();
  std::wstring error;
  TSkinData* data = nullptr;
  TGalleryForm* form = CreateSkinnedGallery(application, ReadTextFile(QUONEL_BLUE_SKIN), error, &data);
  ASSERT_NE(nullptr, form) << WideToUtf8(error);
  bool skinned = false;
  data->OnAfterSkinForm = [&](TComponent*, HWND window, const std::wstring&) { skinned |= window == form->Handle(); };
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return skinned; }));
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  SaveCapture(CaptureWindow(form->Handle()), "skin_gallery");

  // Every control of the library with a window, the form included, answers
  // that it is skinned; the media player's overlay is the skin's own.
  std::vector<std::wstring> unskinned = UnskinnedControls(form->Handle(), data->DisableTag());
  EXPECT_TRUE(unskinned.empty()) << "first unskinned: " << WideToUtf8(unskinned.empty() ? L"" : unskinned[0]);

  TSkinForm* frame = TSkinManage::Instance()->FindForm(form->Handle());
  ASSERT_NE(nullptr, frame);
  std::set<std::wstring> kinds;
  for (const quonel::ChosenControlSkin& chosen : frame->Frame().Controls())
    if (chosen.attached) kinds.insert(chosen.kind);
  for (const wchar_t* kind : {L"toolbar", L"radiogroup", L"checkgroup", L"scrollbox", L"scrollbarcontrol", L"tab31",
                              L"tabbtn", L"tab", L"tabsheet", L"mediaplayer", L"menubtn", L"bitbtn", L"speedbutton", L"combobox",
                              L"datetimepicker", L"updown", L"listview", L"statusbar", L"progress", L"trackbar",
                              L"panel", L"groupbox"})
    EXPECT_EQ(1u, kinds.count(kind)) << WideToUtf8(kind);

  // The MDI parent: both children framed, every control in them skinned.
  TMDIParentForm* parent = ShowGalleryMdiParent(&application);
  TSkinManage& manager = *TSkinManage::Instance();
  std::vector<HWND> children;
  ASSERT_TRUE(PumpUntil([&] {
    children.clear();
    for (HWND child = GetWindow(parent->ClientHandle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (TSkinForm* skin = manager.FindForm(child); skin && skin->GetState() == TSkinForm::kReady)
        children.push_back(child);
    TSkinForm* frame = manager.FindForm(parent->Handle());
    return children.size() == 2 && frame && frame->GetState() == TSkinForm::kReady;
  }));
  unskinned = UnskinnedControls(parent->Handle(), data->DisableTag());
  EXPECT_TRUE(unskinned.empty()) << "first unskinned: " << WideToUtf8(unskinned.empty() ? L"" : unskinned[0]);
  RedrawWindow(parent->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  SaveCapture(CaptureWindow(parent->Handle()), "skin_gallery_mdi");
  SendMessageW(parent->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(parent->ActiveChild()), 0);
  ASSERT_TRUE(PumpUntil([&] { return manager.FindForm(parent->Handle())->Frame().MdiChildMaximised(); }));
  RedrawWindow(parent->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  SaveCapture(CaptureWindow(parent->Handle()), "skin_gallery_mdi_maximised");
  delete parent;
  delete form;
  FreeSkinManager();
}

TEST(SkinGallery, TheProgramSavesItsScreenshotAndRefusesAFileWithoutSkin) {
  const std::string picture = TestOutputDir() + "\\skin_gallery_program.png";
  DeleteFileA(picture.c_str());
  const std::wstring exe = Utf8ToWide(HostPath(QUONEL_SKINGALLERY_EXE));
  DWORD exitCode = 99;
  {
    ChildProcess program(exe, L"--screenshot \"" + Utf8ToWide(picture) + L"\"");
    ASSERT_TRUE(program.WaitForExit(60000, exitCode));
  }
  EXPECT_EQ(0u, exitCode);
  std::ifstream png(picture, std::ios::binary);
  char signature[8] = {};
  png.read(signature, 8);
  EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), std::string(signature, 8));

  const std::string notASkin = TestOutputDir() + "\\not_a_skin.skn";
  std::ofstream(notASkin) << "plain text, no archive";
  ChildProcess refused(exe, L"\"" + Utf8ToWide(notASkin) + L"\" --screenshot \"" + Utf8ToWide(picture) + L"\"");
  ASSERT_TRUE(refused.WaitForExit(60000, exitCode));
  EXPECT_EQ(1u, exitCode);
}

}  // namespace
}  // namespace quonel::testing
