#include "skin/controls/skinned_controls_fixture.h"

#include "skin/gdi/skin_renderers.h"
#include "support/test_paths.h"

namespace quonel::testing {

Picture::Picture(const Canvas& canvas) : width(canvas.bitmap.Width()), height(canvas.bitmap.Height()) {
  GdiFlush();
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(canvas.At(x, y));
}

void SkinnedControls::SetUpTestSuite() {
  data_ = new TSkinData(nullptr);
  data_->SetSkinStream(ReadTextFile(QUONEL_BLUE_SKIN));
  ASSERT_TRUE(data_->LoadSkin());
}

void SkinnedControls::TearDownTestSuite() {
  delete data_;
  data_ = nullptr;
}

void SkinnedControls::SetUp() {
  application.Initialize();
  form = new TForm(&application);
  form->SetBounds(40, 40, 420, 260);
  form->SetCaption(L"skinned controls");
  form->SetColor(clWhite);
  form->Font().SetName(L"宋体");
  form->Font().SetCharset(GB2312_CHARSET);
  form->Font().SetHeight(-12);
  form->Show();
  SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(form->Handle());
  PumpMessages();
  Data().SetOptions(kDefaultSkinOptions);
}

void SkinnedControls::TearDown() {
  delete form;
  PumpMessages();
}

Picture SkinnedControls::Print(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  Canvas canvas(client.right, client.bottom, clMagenta);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
  return Picture(canvas);
}

Picture SkinnedControls::ButtonFrame(int width, int height, int frame) const {
  Canvas canvas(width, height, Face());
  const TDataSkinButton& buttons = Data().Buttons();
  DrawSkinObject(canvas.Dc(), {0, 0, width, height}, buttons.Frames, frame, buttons);
  return Picture(canvas);
}

Picture SkinnedControls::MarkFrame(const SkinBitmap& strip, int count, int frame) const {
  const int width = strip.Width() / count;
  Canvas canvas(width, strip.Height(), Face());
  StripFrame mark{strip};
  mark.count = count;
  mark.index = frame;
  mark.transparent = true;
  DrawFrameStretched(canvas.Dc(), {0, 0, width, strip.Height()}, mark);
  return Picture(canvas);
}

int SkinnedControls::EdgeDifferences(const Picture& a, const Picture& b, int band) {
  const int width = a.width, height = a.height;
  if (width != b.width || height != b.height) return width * height;
  int differences = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((x < band || x >= width - band) && a.At(x, y) != b.At(x, y)) ++differences;
  return differences;
}

int SkinnedControls::RegionDifferences(const Picture& part, const Picture& whole, int x, int y) {
  int differences = 0;
  for (int dy = 0; dy < part.height; ++dy)
    for (int dx = 0; dx < part.width; ++dx)
      if (part.At(dx, dy) != whole.At(x + dx, y + dy)) ++differences;
  return differences;
}

Capture SkinnedControls::ScreenWhen(HWND window, const std::function<bool(const Capture&)>& done) {
  // The X server shows a window some time after Wine painted it: wait for
  // the picture, bounded by a deadline, never for a fixed time.
  Capture capture;
  const DWORD deadline = GetTickCount() + 10000;
  do {
    PumpMessages();
    capture = CaptureWindow(window);
    if (done(capture)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  } while (GetTickCount() < deadline);
  return capture;
}

bool SkinnedControls::SameAs(const Capture& capture, const Picture& picture) {
  if (capture.width != picture.width || capture.height != picture.height) return false;
  for (int y = 0; y < capture.height; ++y)
    for (int x = 0; x < capture.width; ++x)
      if (static_cast<TColor>(capture.Pixel(x, y)) != picture.At(x, y)) return false;
  return true;
}

}  // namespace quonel::testing
