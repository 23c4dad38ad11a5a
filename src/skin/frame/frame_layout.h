// The skinned frame's geometry and rules, free of any platform header: the
// border kind, the border sizes, where each caption button goes and whether
// it shows, which action a click on it performs, the caption text's box and
// the hit-test answer. The painter, the mouse handling and the hit test all
// ask these functions, so what is drawn is what is clicked.
#pragma once
#include <functional>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// 0 sizeable, 1 fixed, 2 none, 3 dialog.
enum class BorderKind { Sizeable = 0, Fixed = 1, None = 2, Dialog = 3 };

// What of the window's style decides its border kind.
struct BorderStyleBits {
  bool hasCaption = false;      // both bits of the caption style
  bool thickFrame = false;
  bool modalFrame = false;      // the dialog template's modal-frame style
  bool dialogModalExStyle = false;
  bool systemDialogClass = false;  // "#32770" or "TMessageForm"
};
BorderKind BorderKindOf(const BorderStyleBits& bits);

struct FrameBorders {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const FrameBorders&) const = default;
};

// One edge's strip: its size and how many frames it holds.
struct EdgeStrip {
  int width = 0, height = 0, frames = 1;
};
// Top and bottom strips stack their frames, left and right lay them side by
// side; a borderless window has none.
FrameBorders BordersFromEdges(BorderKind kind, const EdgeStrip& left, const EdgeStrip& top, const EdgeStrip& right,
                              const EdgeStrip& bottom);

// The window facts the caption buttons depend on.
struct CaptionState {
  bool systemMenu = false;
  bool minimiseBox = false;
  bool maximiseBox = false;
  bool maximised = false;
  bool minimised = false;
  bool active = true;
  bool dialogFrame = false;   // border kind 3
  bool systemDialog = false;
  bool mdiChildMaximisedWithMenuBar = false;
};

// One caption button as the skin describes it.
struct CaptionButtonSetting {
  int action = 0;
  int align = 0;
  int x = 0, y = 0;
  int visibility = 0;
  int visibility1 = 0;
};

// Asked for visibilities 1000...2000: whether the window wants the button.
using AskButtonVisible = std::function<bool(int visibility, int action)>;

// Whether one visibility value holds; `first` is the Visibility key (some
// values mean more there than in Visibility1).
bool VisibilityHolds(int value, bool first, const CaptionState& state, int action, const AskButtonVisible& ask);
// Both visibility conditions, then the action's own needs (a close button
// needs a system menu, maximise a maximise box, ...).
bool CaptionButtonShown(const CaptionButtonSetting& setting, const CaptionState& state, const AskButtonVisible& ask);

// Where the caption buttons of the menu bar (Align 100) sit.
struct MenuBarPlacement {
  int menuHeight = 0;
  int leftMargin = 0;  // of the menu-bar object
  bool rightToLeft = false;
};
// The button's box in window coordinates. Align 2 and 8 stand left of the
// right limit of the Align 1 buttons, Align 3 and 9 right of the icon area:
// `reference` is that edge.
Rect CaptionButtonBox(const CaptionButtonSetting& setting, int frameWidth, int height, int windowWidth,
                      const FrameBorders& borders, int reference, const MenuBarPlacement& menuBar);

enum class CaptionAction {
  Close, MaximiseOrRestore, MinimiseOrRestore, SystemMenu, MdiMinimise, MdiRestore, MdiClose, Posted
};
CaptionAction CaptionActionOf(int action);
// Buttons that draw the window's icon instead of a strip (Action 12 opens
// the system menu too, but shows its own strip).
inline bool IsIconAction(int action) { return action == 3 || action == 11; }

// The caption text's box in the strip: from the icon area (TextShift) to
// the right clip, which is the nearer of TextRightClip from the window's
// right and the left side of the right-aligned buttons (rightLimit, or
// none when no such button shows); TextShiftVert down from the top.
Rect CaptionTextBox(int windowWidth, const FrameBorders& borders, int textShift, int textShiftVert,
                    int textRightClip, int rightLimit);

// Where the title's TextBack image goes behind a caption text textWidth
// wide laid out in box by alignment (0 left, 1 centre, 2 right): the text's
// span widened by the image's fixed left and right parts, backHeight high,
// centred in the box's rows.
Rect CaptionTextBackRect(const Rect& box, int textWidth, int alignment, int backLeft, int backRight,
                         int backHeight);

// Hit-test answers, with the platform's values.
enum HitCode : int {
  kHitNowhere = 0, kHitClient = 1, kHitCaption = 2, kHitSystemMenu = 3, kHitMenu = 5, kHitMinButton = 8,
  kHitMaxButton = 9, kHitLeft = 10, kHitBottomRight = 17, kHitBorder = 18, kHitClose = 20, kHitHelp = 21,
};
// The frame's answer after the platform's. The platform measures its own
// frame, not the one drawn: below the top 3 rows of the caption strip every
// point is caption (the platform's buttons, icon and borders are not drawn
// there), but for the sizing edges of a sizeable window; over the menu bar
// it is menu. Elsewhere "nowhere" becomes caption, the rest stays.
int FrameHitTest(int platformAnswer, Point windowPoint, const FrameBorders& borders, int menuHeight);

}  // namespace quonel
