#include "skin/frame/frame_layout.h"

#include <algorithm>

namespace quonel {

BorderKind BorderKindOf(const BorderStyleBits& bits) {
  BorderKind kind = BorderKind::Fixed;
  if (!bits.hasCaption) kind = BorderKind::None;
  else if (bits.thickFrame) kind = BorderKind::Sizeable;
  else if (bits.modalFrame) kind = BorderKind::Dialog;
  if (bits.dialogModalExStyle || bits.systemDialogClass) kind = BorderKind::Dialog;
  return kind;
}

FrameBorders BordersFromEdges(BorderKind kind, const EdgeStrip& left, const EdgeStrip& top, const EdgeStrip& right,
                              const EdgeStrip& bottom) {
  if (kind == BorderKind::None) return {};
  auto across = [](const EdgeStrip& e) { return e.width / std::max(1, e.frames); };
  auto stacked = [](const EdgeStrip& e) { return e.height / std::max(1, e.frames); };
  return {across(left), stacked(top), across(right), stacked(bottom)};
}

bool VisibilityHolds(int value, bool first, const CaptionState& s, int action, const AskButtonVisible& ask) {
  switch (value) {
    case 0: return true;
    case 1: return s.maximised;
    case 2: return !s.maximised;
    case 3: return s.active;
    case 4: return !s.active;
    case 5: return false;
    case 6: return s.maximiseBox && (!first || s.systemMenu);
    case 7: return !s.maximiseBox;
    case 8: return s.minimiseBox && (!first || s.systemMenu);
    case 9: return !s.minimiseBox;
    case 100: return s.mdiChildMaximisedWithMenuBar;
    case 200: return s.dialogFrame && !s.systemDialog;
    case -1: return false;
    default: break;
  }
  if (value >= 10 && value <= 99) return false;
  if (value >= 1000 && value <= 2000) return !first || (ask && ask(value, action));
  // 201...999 and anything beyond the listed values.
  return true;
}

bool CaptionButtonShown(const CaptionButtonSetting& setting, const CaptionState& state, const AskButtonVisible& ask) {
  if (!VisibilityHolds(setting.visibility, true, state, setting.action, ask)) return false;
  if (!VisibilityHolds(setting.visibility1, false, state, setting.action, ask)) return false;
  switch (setting.action) {
    case 0: return state.systemMenu;
    case 1: return state.maximiseBox;
    case 2: return state.minimiseBox;
    case 3:
    case 11:
    case 12: return !state.dialogFrame;
    default: return true;
  }
}

Rect CaptionButtonBox(const CaptionButtonSetting& setting, int frameWidth, int height, int windowWidth,
                      const FrameBorders& borders, int reference, const MenuBarPlacement& menuBar) {
  int left = setting.x, top = setting.y;
  switch (setting.align) {
    case 1: left = windowWidth - setting.x; break;
    case 2:
    case 8: left = reference - frameWidth - setting.x; break;
    case 3:
    case 9: left = setting.x + reference; break;
    case 100:
      top = borders.top + (menuBar.menuHeight - height) / 2;
      left = menuBar.rightToLeft ? setting.x + borders.left + menuBar.leftMargin
                                 : windowWidth - setting.x - borders.right - menuBar.leftMargin;
      break;
    default: break;
  }
  return {left, top, left + frameWidth, top + height};
}

CaptionAction CaptionActionOf(int action) {
  switch (action) {
    case 0: return CaptionAction::Close;
    case 1:
    case 22: return CaptionAction::MaximiseOrRestore;
    case 2:
    case 23: return CaptionAction::MinimiseOrRestore;
    case 3:
    case 11:
    case 12: return CaptionAction::SystemMenu;
    case 7:
    case 60: return CaptionAction::MdiMinimise;
    case 8:
    case 61: return CaptionAction::MdiRestore;
    case 9:
    case 62: return CaptionAction::MdiClose;
    default: return CaptionAction::Posted;
  }
}

Rect CaptionTextBox(int windowWidth, const FrameBorders& borders, int textShift, int textShiftVert,
                    int textRightClip, int rightLimit) {
  int right = windowWidth - textRightClip;
  if (rightLimit > 0) right = std::min(right, rightLimit);
  const int left = textShift;
  return {left, textShiftVert, std::max(left, right), std::max(textShiftVert, borders.top)};
}

Rect CaptionTextBackRect(const Rect& box, int textWidth, int alignment, int backLeft, int backRight,
                         int backHeight) {
  const int width = std::clamp(textWidth, 0, std::max(0, box.Width()));
  const int left = alignment == 1   ? box.left + (box.Width() - width) / 2
                   : alignment == 2 ? box.right - width
                                    : box.left;
  const int top = box.top + (box.Height() - backHeight) / 2;
  return {left - backLeft, top, left + width + backRight, top + backHeight};
}

int FrameHitTest(int platformAnswer, Point windowPoint, const FrameBorders& borders, int menuHeight) {
  if (platformAnswer == kHitClient) return platformAnswer;
  const bool sizing = platformAnswer >= kHitLeft && platformAnswer <= kHitBottomRight;
  const int y = windowPoint.y;
  if (menuHeight > 0 && y >= borders.top && y < borders.top + menuHeight) return sizing ? platformAnswer : kHitMenu;
  if (y > 3 && y < borders.top) return sizing ? platformAnswer : kHitCaption;
  if (y > 3 && platformAnswer == kHitNowhere) return kHitCaption;
  return platformAnswer;
}

}  // namespace quonel
