// The banner strip of Update.exe: the stand-in banner control playing in it,
// and, with no banner control installed, an empty strip in the window's
// colour, the reason in the hidden log and an update that works as before.
#include "e2e/wizard_e2e.h"

#include "core/system_message.h"
#include "support/banner_standin.h"
#include "support/window_capture.h"

namespace quonel::e2e {
namespace {

constexpr wchar_t kStandInClass[] = L"QuonelBannerStandIn";

// A point of the wizard's client area in a capture of the whole window.
COLORREF ClientPixel(HWND wizard, const Capture& capture, int x, int y) {
  RECT frame;
  GetWindowRect(wizard, &frame);
  POINT point = {x, y};
  ClientToScreen(wizard, &point);
  return capture.Pixel(point.x - frame.left, point.y - frame.top);
}

TEST(WizardBanner, TheStandInPlaysInTheStripAtItsBox) {
  ClientInstallation client(UpdateExe());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", L"http://127.0.0.1:1/"}});
  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  // The control is activated once the window has been painted.
  HWND strip = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (strip = FindWindowExW(wizard.Window(), nullptr, kStandInClass, nullptr)); },
                      10000));
  RECT box;
  GetWindowRect(strip, &box);
  MapWindowPoints(nullptr, wizard.Window(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ((std::vector<LONG>{8, 7, 401, 80}),
            (std::vector<LONG>{box.left, box.top, box.right - box.left, box.bottom - box.top}));
  // It plays: the picture changes by itself.
  ASSERT_TRUE(WaitFor([&] { return CaptureWindow(strip).width > 0; }, 10000));
  const Capture first = CaptureWindow(strip);
  EXPECT_TRUE(WaitFor([&] { return CaptureWindow(strip).rgb != first.rgb; }, 30000));
  SaveCapture(CaptureWindow(wizard.Window()), "wizard_banner");
  const std::vector<std::wstring> log = wizard.LogLines();
  EXPECT_FALSE(std::any_of(log.begin(), log.end(),
                           [](const std::wstring& line) { return line.starts_with(L"ShockwaveFlash1"); }));
  wizard.Close();
  DWORD code = 1;
  EXPECT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
}

TEST(WizardBanner, WithoutABannerControlTheStripStaysEmptyAndTheUpdateWorks) {
  BannerControlAbsent absent;
  ASSERT_TRUE(absent.Ok());
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  client.CopyIn(ClientExe(), L"QuonelClient.exe");
  client.WriteConfig(L"quonel", L"QuonelClient.exe", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  // The control is looked for once the window has been painted.
  const std::wstring reason = SystemErrorMessage(static_cast<uint32_t>(REGDB_E_CLASSNOTREG));
  EXPECT_TRUE(WaitFor(
      [&] { return wizard.LogHas(L"ShockwaveFlash1: " + (reason.empty() ? L"OLE error 80040154" : reason)); }, 10000));
  EXPECT_EQ(nullptr, FindWindowExW(wizard.Window(), nullptr, kStandInClass, nullptr));
  // The strip (8, 7, 401 x 80) shows what the window shows between it and
  // the pages, once the window has painted (a capture may come first).
  Capture window;
  auto stripIsBackground = [&] {
    window = CaptureWindow(wizard.Window());
    const COLORREF background = ClientPixel(wizard.Window(), window, 200, 91);
    if (background == RGB(0, 0, 0)) return false;
    for (POINT p : {POINT{10, 9}, POINT{208, 47}, POINT{406, 85}})
      if (ClientPixel(wizard.Window(), window, p.x, p.y) != background) return false;
    return true;
  };
  EXPECT_TRUE(WaitFor(stripIsBackground, 20000));
  SaveCapture(window, "wizard_without_banner");

  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级"));
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"升级成功!", box.text);
  ASSERT_TRUE(AnswerMessageBoxWith(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
  EXPECT_EQ(files.fresh, client.Read(L"new.dat"));
  EXPECT_EQ(files.newer, client.Read(L"newer.dat"));
}

}  // namespace
}  // namespace quonel::e2e
