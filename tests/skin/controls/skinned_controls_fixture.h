// A shown form with the wizard's font and the built-in blue skin, for tests
// that attach control skins to real controls and read their pixels: what a
// control paints into a DC (WM_PRINTCLIENT), what reaches the screen, and
// what the skin's strips look like drawn on their own.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/data/skin_data.h"
#include "skin/skin_bitmap_fixture.h"
#include "support/window_capture.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel::testing {

// Pixels read back from a canvas, red in the low byte.
struct Picture {
  int width = 0, height = 0;
  std::vector<TColor> pixels;
  explicit Picture(const Canvas& canvas);
  TColor At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

class SkinnedControls : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  template <class T>
  T* Add(int left, int top, int width, int height, const std::wstring& caption) {
    auto* control = new T(form);
    control->SetBounds(left, top, width, height);
    control->SetCaption(caption);
    control->SetParent(form);
    return control;
  }

  static TSkinData& Data() { return *data_; }
  TColor Face() const { return Data().Colours().ButtonFace; }

  // What the window paints of its client area into a fresh canvas.
  static Picture Print(HWND window);
  // Frame `frame` of the Buttons strip over the face colour, at that size.
  Picture ButtonFrame(int width, int height, int frame) const;
  // Frame `frame` of a mark strip drawn with magenta transparent over the face colour.
  Picture MarkFrame(const SkinBitmap& strip, int count, int frame) const;
  // Pixels that differ within `band` columns of the left and right edges.
  static int EdgeDifferences(const Picture& a, const Picture& b, int band);
  // Pixels that differ in the rectangle of a placed at (x, y) of b.
  static int RegionDifferences(const Picture& part, const Picture& whole, int x, int y);
  // The window on the screen once it shows what done(capture) accepts, or
  // when a deadline of ten seconds passed; messages are pumped meanwhile.
  static Capture ScreenWhen(HWND window, const std::function<bool(const Capture&)>& done);
  static bool SameAs(const Capture& capture, const Picture& picture);

  TApplication application;
  TForm* form = nullptr;

 private:
  static inline TSkinData* data_ = nullptr;
};

}  // namespace quonel::testing
