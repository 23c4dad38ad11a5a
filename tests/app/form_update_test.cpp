// The wizard window built from its stored layout: size, frame, every control
// at its box with its texts and states, and a screenshot for a person.
#include "app/form_update.h"

#include <gtest/gtest.h>

#include "skin/skin_messages.h"
#include "support/memory_dc.h"
#include "support/window_capture.h"
#include "ui/application.h"

namespace quonel {
namespace {

class WizardWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    application = new TApplication;
    application->Initialize();
    application->CreateForm(form);
    form->Show();
    testing::PumpMessages();
  }
  static void TearDownTestSuite() {
    delete application;
    application = nullptr;
    form = nullptr;
  }
  // A control's box in its parent's client area, read from the windows.
  static RECT WindowBox(TWinControl* control) {
    RECT box;
    GetWindowRect(control->Handle(), &box);
    MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&box), 2);
    return box;
  }
  static TNotebook* Notebook_step() { return form->Notebook_step; }
  static TApplication* application;
  static TForm_Update* form;
};

TApplication* WizardWindow::application = nullptr;
TForm_Update* WizardWindow::form = nullptr;

// The progress page's two calls as the download makes them after a block.
struct DownloadProgress : TForm_Update {
  static void Show(TForm_Update& form, const std::wstring& amount, int64_t maximum, int64_t progress) {
    (form.*&DownloadProgress::ShowDownloadAmount)(amount, maximum, progress);
    (form.*&DownloadProgress::RepaintProgressPage)();
  }
};
void ShowDownloadProgress(TForm_Update& form, const std::wstring& amount, int64_t maximum, int64_t progress) {
  DownloadProgress::Show(form, amount, maximum, progress);
}

void ExpectBox(const RECT& box, int left, int top, int width, int height, const char* name) {
  EXPECT_EQ(left, box.left) << name;
  EXPECT_EQ(top, box.top) << name;
  EXPECT_EQ(width, box.right - box.left) << name;
  EXPECT_EQ(height, box.bottom - box.top) << name;
}

TEST_F(WizardWindow, DialogFrameWithMinimiseBoxOnlyCentredOnTheScreen) {
  HWND window = form->Handle();
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_STREQ(L"Quonel加速器升级程序", caption);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  // A dialog border (the skin frames it as border kind 3), its caption
  // drawn by the platform or, once skinned, by the skin.
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION || SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
  EXPECT_TRUE(IsWindowVisible(window));
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (frame.left + frame.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (frame.top + frame.bottom) / 2, 1);
  EXPECT_EQ(HTBORDER, SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(frame.right - 1, frame.bottom - 1)))
      << "the corner must not offer resizing";
}

TEST_F(WizardWindow, EveryControlStandsAtItsStoredBox) {
  ExpectBox(WindowBox(form->ShockwaveFlash1), 8, 7, 401, 80, "ShockwaveFlash1");
  ExpectBox(WindowBox(form->Notebook_step), 8, 96, 401, 213, "Notebook_step");
  ExpectBox(WindowBox(form->btn_pre), 16, 317, 87, 23, "btn_pre");
  ExpectBox(WindowBox(form->btn_next), 167, 317, 87, 23, "btn_next");
  ExpectBox(WindowBox(form->Button2), 314, 317, 87, 23, "Button2");
  ExpectBox(WindowBox(form->Memo1), 397, 140, 15, 11, "Memo1");
  ExpectBox(WindowBox(form->ListBox_servers), 11, 32, 380, 134, "ListBox_servers");
  ExpectBox(WindowBox(form->GroupBox1), 2, 168, 396, 41, "GroupBox1");
  ExpectBox(WindowBox(form->Edt_url), 88, 13, 300, 18, "Edt_url");
  ExpectBox(WindowBox(form->ListView_files), 16, 26, 369, 139, "ListView_files");
  ExpectBox(form->Label1->BoundsRect(), 11, 12, 96, 12, "Label1");
  ExpectBox(form->Label2->BoundsRect(), 12, 18, 72, 12, "Label2");
  ExpectBox(form->Label3->BoundsRect(), 16, 8, 60, 12, "Label3");
  ExpectBox(form->Label4->BoundsRect(), 18, 171, 72, 12, "Label4");
  ExpectBox(form->Gauge_process->BoundsRect(), 16, 190, 369, 17, "Gauge_process");
  EXPECT_EQ(form->GroupBox1, form->Edt_url->Parent());
  EXPECT_EQ(form->GroupBox1, form->Label2->Parent());
}

TEST_F(WizardWindow, ShowsTheServerPageWithTheStartStatesAndTexts) {
  EXPECT_EQ(0, form->Notebook_step->PageIndex());
  EXPECT_TRUE(IsWindowVisible(form->Notebook_step->Page(0)->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->Notebook_step->Page(1)->Handle()));
  EXPECT_EQ(L"Default", form->Notebook_step->Page(0)->Caption());
  EXPECT_EQ(L"nextpage", form->Notebook_step->Page(1)->Caption());
  EXPECT_FALSE(IsWindowEnabled(form->btn_pre->Handle()));
  EXPECT_TRUE(IsWindowEnabled(form->btn_next->Handle()));
  EXPECT_FALSE(IsWindowEnabled(form->Button2->Handle()));
  EXPECT_EQ(L"下一步", form->btn_next->Caption());
  EXPECT_EQ(L"上一步", form->btn_pre->Caption());
  EXPECT_EQ(L"中断下载", form->Button2->Caption());
  EXPECT_EQ(L"选择升级服务器：", form->Label1->Caption());
  EXPECT_EQ(L"下载数据量：", form->Label4->Caption());
  EXPECT_FALSE(IsWindowVisible(form->Memo1->Handle()));
  EXPECT_FALSE(GetWindowLongPtrW(form->Memo1->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongPtrW(form->Memo1->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(IsWindowVisible(form->GroupBox1->Handle()));
  EXPECT_EQ(0, form->Gauge_process->Progress());
  EXPECT_EQ(100, form->Gauge_process->MaxValue());
  EXPECT_EQ(0xF0FBFF, form->Gauge_process->BackColor());
  EXPECT_EQ(clInfoBk, form->ListBox_servers->Color());
  EXPECT_EQ(12, SendMessageW(form->ListBox_servers->Handle(), LB_GETITEMHEIGHT, 0, 0));
}

TEST_F(WizardWindow, TabOrderFollowsTheStoredOrder) {
  // Dialog navigation follows the window order of the form's children.
  std::vector<HWND> order;
  for (HWND child = GetWindow(form->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    order.push_back(child);
  EXPECT_EQ((std::vector<HWND>{form->btn_pre->Handle(), form->btn_next->Handle(), form->Notebook_step->Handle(),
                               form->Memo1->Handle(), form->Button2->Handle(), form->ShockwaveFlash1->Handle()}),
            order);
}

TEST_F(WizardWindow, ControlsUseTheStoredChineseFont) {
  for (TWinControl* control : std::initializer_list<TWinControl*>{form->btn_next, form->ListBox_servers,
                                                                  form->ListView_files, form->Edt_url}) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control->Handle(), WM_GETFONT, 0, 0));
    LOGFONTW log = {};
    ASSERT_TRUE(GetObjectW(font, sizeof log, &log)) << control->Name().c_str();
    EXPECT_STREQ(L"宋体", log.lfFaceName);
    EXPECT_EQ(-12, log.lfHeight);
    EXPECT_EQ(GB2312_CHARSET, log.lfCharSet);
  }
  // The font prepared before the form is read is this one, with every
  // character of the server page's texts: a changed layout must change both.
  const std::vector<FontToPrepare> prepared = TForm_Update::FirstPageFonts();
  ASSERT_EQ(1u, prepared.size());
  EXPECT_EQ(form->Font().Name(), prepared[0].name);
  EXPECT_EQ(form->Font().Height(), prepared[0].height);
  EXPECT_EQ(form->Font().Charset(), prepared[0].charset);
  for (const std::wstring& text : {form->Label1->Caption(), form->btn_pre->Caption(), form->btn_next->Caption(),
                                   form->Button2->Caption()})
    for (wchar_t c : text) EXPECT_NE(std::wstring::npos, prepared[0].text.find(c)) << "missing " << int(c);
}

TEST_F(WizardWindow, FileListHasItsColumnsAndStateImages) {
  HWND list = form->ListView_files->Handle();
  ASSERT_EQ(3, form->ListView_files->ColumnCount());
  EXPECT_EQ(L"文件名", form->ListView_files->Column(0).caption);
  EXPECT_EQ(130, form->ListView_files->ColumnWidth(1));
  EXPECT_EQ(68, form->ListView_files->ColumnWidth(2));
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(client.right - 130 - 68, form->ListView_files->ColumnWidth(0)) << "the first column fills the rest";
  EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
  EXPECT_EQ(reinterpret_cast<LRESULT>(form->ImageList->Handle()), SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
  EXPECT_EQ(0, SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

TEST_F(WizardWindow, ImageListHoldsTheFourStatePictures) {
  ASSERT_EQ(4, form->ImageList->Count());
  testing::MemoryDc memory(64, 16);
  for (int i = 0; i < 4; ++i) ImageList_Draw(form->ImageList->Handle(), i, memory.Get(), i * 16, 0, ILD_TRANSPARENT);
  EXPECT_EQ(RGB(0, 64, 224), memory.Pixel(5, 2)) << "blue hourglass";
  EXPECT_EQ(RGB(0, 160, 0), memory.Pixel(16 + 1, 7)) << "green tick";
  EXPECT_EQ(RGB(224, 0, 0), memory.Pixel(32 + 1, 1)) << "red cross";
  EXPECT_EQ(RGB(0, 64, 224), memory.Pixel(48 + 7, 3)) << "blue i in the balloon";
  EXPECT_EQ(RGB(255, 255, 255), memory.Pixel(0, 0)) << "magenta is transparent";
}

TEST_F(WizardWindow, ScreenshotShowsTheServerPageWithItsTexts) {
  // Xvfb maps the window asynchronously: wait for the label's text to show.
  testing::Capture capture;
  HWND window = form->Handle();
  RECT frame;
  GetWindowRect(window, &frame);
  const DWORD deadline = GetTickCount() + 10000;
  auto darkPixelsIn = [&](const RECT& screenBox) {
    int dark = 0;
    for (int y = screenBox.top; y < screenBox.bottom; ++y)
      for (int x = screenBox.left; x < screenBox.right; ++x) {
        const COLORREF c = capture.Pixel(x - frame.left, y - frame.top);
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
      }
    return dark;
  };
  RECT labelBox = form->Label1->BoundsRect();
  MapWindowPoints(form->Notebook_step->Page(0)->Handle(), nullptr, reinterpret_cast<POINT*>(&labelBox), 2);
  do {
    testing::PumpMessages();
    capture = testing::CaptureWindow(window);
    if (darkPixelsIn(labelBox) > 20) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  } while (GetTickCount() < deadline);
  testing::SaveCapture(capture, "wizard_window");
  EXPECT_GT(darkPixelsIn(labelBox), 20) << "the label's Chinese text is drawn";
}

TEST_F(WizardWindow, ProgressPageShowsRowsWithStateImagesAndTheGauge) {
  Notebook_step()->SetPageIndex(1);
  TListView* list = form->ListView_files;
  const wchar_t* states[] = {L"下载中", L"已下载", L"下载失败", L"不需更新"};
  for (int i = 0; i < 4; ++i) {
    const int row = list->AddItem(L"bin\\file" + std::to_wstring(i) + L".dll");
    list->SetSubItem(row, 0, L"2026-12-01 10:00:00");
    list->SetSubItem(row, 1, states[i]);
    list->SetStateIndex(row, i);
  }
  // As a download of a file above 2 GiB shows it: 40% of 5,000,000,000 bytes.
  const std::wstring amount = L"共 5,000,000,000 字节，已下载 2,000,000,000 字节";
  ShowDownloadProgress(*form, amount, 5000000000, 2000000000);
  EXPECT_EQ(amount, form->Label4->Caption());
  EXPECT_EQ(40, MulDiv(form->Gauge_process->Progress(), 100, form->Gauge_process->MaxValue()));

  HWND window = form->Handle();
  RECT frame, gauge = form->Gauge_process->BoundsRect();
  GetWindowRect(window, &frame);
  MapWindowPoints(form->Notebook_step->Page(1)->Handle(), nullptr, reinterpret_cast<POINT*>(&gauge), 2);
  const POINT done = {gauge.left + 20 - frame.left, gauge.top + 8 - frame.top};
  const POINT rest = {gauge.right - 20 - frame.left, gauge.top + 8 - frame.top};
  testing::Capture capture;
  const DWORD deadline = GetTickCount() + 10000;
  do {
    testing::PumpMessages();
    capture = testing::CaptureWindow(window);
    if (capture.Pixel(done.x, done.y) == RGB(0, 0, 255)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  } while (GetTickCount() < deadline);
  testing::SaveCapture(capture, "wizard_progress_page");
  EXPECT_EQ(RGB(0, 0, 255), capture.Pixel(done.x, done.y)) << "the bar up to 40%";
  EXPECT_EQ(RGB(255, 251, 240), capture.Pixel(rest.x, rest.y)) << "the cream background after it";
  EXPECT_EQ(4, SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0));
  Notebook_step()->SetPageIndex(0);
}

}  // namespace
}  // namespace quonel
