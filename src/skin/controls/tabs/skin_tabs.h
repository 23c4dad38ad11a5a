// The skinned tab controls. TSkinTab: the tab strip from the skin's Tabs
// image (frame 2 for the tab with the focus, 1 for the others) composed in
// one band lying down and turned for tabs on the left or right, and the pane
// from the section's Border image (or Tab.Pane). A control tagged 7777 gets
// a close box on every tab; the page goes after the click's message is over.
// TSkinTabSheet: a page of a tab control in the skin's face colour.
#pragma once
#include <memory>
#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/controls/text_entry/skin_up_down.h"
#include "skin/controls/tabs/tab_band_geometry.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

// One tab of a tab control as the skins draw it: its rectangle (client
// coordinates), at most 80 characters of its text and its image index.
struct TabItem {
  Rect rect;
  std::wstring text;
  int image = -1;
};
// The tabs of a tab control, read through the W or A messages as the window is.
std::vector<TabItem> ReadTabItems(HWND window);
// The up-down child that scrolls a control's tabs, or null; with
// visibleOnly, only while it shows.
HWND FindTabScroller(HWND window, bool visibleOnly);
// Gives the scroller a horizontal up-down skin held in skin, unless it has
// that skin or another one already.
void SkinTabScroller(std::unique_ptr<TSkinUpDown>& skin, HWND scroller, TSkinData* data, TSkinForm* form);

class TSkinTab : public TSkinControl {
 public:
  // The tag that asks for close boxes on the tabs.
  static constexpr int kCloseBoxTag = 7777;
  // Sent to the top-level window with the tab window and the tab index: an
  // answer of 0 lets the tab go.
  static constexpr UINT kCloseTabQuery = 0x3507;

  const wchar_t* ClassName() const override { return L"TSkinTab"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void SkinChanged() override;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  void Prepare();
  bool CloseBoxesShown() const;
  void ComposeBand(const std::vector<TabItem>& tabs, const Rect& band, const Rect& display);
  void DrawPane(HDC dc, const Rect& display);
  bool ClickCloseBox(const TMessage& message);
  void CloseTab(int index);

  TabSide side_ = TabSide::Top;
  SkinBitmap tabImage_;
  SkinBitmap paneImage_;
  SkinBitmap bandImage_;
  SkinBitmap canvas_;
  std::vector<Rect> closeBoxes_;
  std::unique_ptr<TSkinUpDown> scroller_;
};

class TSkinTabSheet : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinTabSheet"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
};

}  // namespace quonel
