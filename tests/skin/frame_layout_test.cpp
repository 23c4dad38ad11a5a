// The frame's rules as pure functions: border kind and sizes, the caption
// buttons' visibility table with the action filter, their boxes by Align,
// the caption text's box and the hit-test answer.
#include "skin/frame/frame_layout.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

// The blue skin's caption buttons: close, maximise (not maximised), restore
// (maximised), minimise, icon.
const CaptionButtonSetting kClose{0, 1, 29, 0, 0, 0};
const CaptionButtonSetting kMaximise{1, 1, 47, 0, 2, 6};
const CaptionButtonSetting kRestore{1, 1, 46, 0, 1, 0};
const CaptionButtonSetting kMinimise{2, 1, 65, 0, 8, 0};
const CaptionButtonSetting kIcon{3, 0, 8, 4, 0, 0};

CaptionState Wizard() {
  CaptionState s;
  s.systemMenu = true;
  s.minimiseBox = true;
  s.dialogFrame = true;
  return s;
}

TEST(FrameBorderKind, FollowsCaptionThickFrameAndDialogStyles) {
  EXPECT_EQ(BorderKind::None, BorderKindOf({false, true}));
  EXPECT_EQ(BorderKind::Sizeable, BorderKindOf({true, true}));
  EXPECT_EQ(BorderKind::Dialog, BorderKindOf({true, false, true}));
  EXPECT_EQ(BorderKind::Fixed, BorderKindOf({true}));
  EXPECT_EQ(BorderKind::Dialog, BorderKindOf({true, true, false, true})) << "the extended dialog style wins";
  EXPECT_EQ(BorderKind::Dialog, BorderKindOf({false, false, false, false, true})) << "system dialog classes";
}

TEST(FrameBorderSizes, ComeFromTheEdgeStripsAndVanishWithoutBorder) {
  const EdgeStrip left{3, 48, 1}, top{88, 48, 2}, right{3, 48, 1}, bottom{70, 3, 1};
  EXPECT_EQ((FrameBorders{3, 24, 3, 3}), BordersFromEdges(BorderKind::Dialog, left, top, right, bottom));
  EXPECT_EQ(FrameBorders{}, BordersFromEdges(BorderKind::None, left, top, right, bottom));
  EXPECT_EQ((FrameBorders{3, 48, 3, 3}), BordersFromEdges(BorderKind::Fixed, left, {88, 48, 0}, right, bottom))
      << "a strip without frames counts as one";
}

TEST(CaptionButtonVisibility, TheWizardShowsCloseAndMinimiseOnly) {
  const CaptionState wizard = Wizard();
  EXPECT_TRUE(CaptionButtonShown(kClose, wizard, {}));
  EXPECT_TRUE(CaptionButtonShown(kMinimise, wizard, {}));
  EXPECT_FALSE(CaptionButtonShown(kMaximise, wizard, {})) << "no maximise box";
  EXPECT_FALSE(CaptionButtonShown(kRestore, wizard, {}));
  EXPECT_FALSE(CaptionButtonShown(kIcon, wizard, {})) << "dialog frames hide the icon";

  CaptionState plain = wizard;
  plain.minimiseBox = false;
  EXPECT_FALSE(CaptionButtonShown(kMinimise, plain, {})) << "the platform gave no minimise box";
  plain.systemMenu = false;
  EXPECT_FALSE(CaptionButtonShown(kClose, plain, {})) << "close needs a system menu";
}

TEST(CaptionButtonVisibility, MaximiseGivesWayToRestoreWhenMaximised) {
  CaptionState s;
  s.systemMenu = s.maximiseBox = s.minimiseBox = true;
  EXPECT_TRUE(CaptionButtonShown(kMaximise, s, {}));
  EXPECT_FALSE(CaptionButtonShown(kRestore, s, {}));
  EXPECT_TRUE(CaptionButtonShown(kIcon, s, {}));
  s.maximised = true;
  EXPECT_FALSE(CaptionButtonShown(kMaximise, s, {}));
  EXPECT_TRUE(CaptionButtonShown(kRestore, s, {}));
}

TEST(CaptionButtonVisibility, TheTableOfConditions) {
  CaptionState s;
  s.active = false;
  s.dialogFrame = true;
  struct Row {
    int value;
    bool first;
    bool holds;
  };
  const Row rows[] = {{0, true, true},      {3, true, false},     {4, true, true},   {5, true, false},
                      {10, true, false},    {99, false, false},   {7, true, true},   {9, false, true},
                      {200, true, true},    {201, true, true},    {999, false, true}, {-1, false, false},
                      {1000, false, true},  {100, false, false}};
  for (const Row& r : rows) EXPECT_EQ(r.holds, VisibilityHolds(r.value, r.first, s, 0, {})) << r.value;
  s.systemDialog = true;
  EXPECT_FALSE(VisibilityHolds(200, true, s, 0, {})) << "not for system dialogs";
  s.maximiseBox = true;
  EXPECT_FALSE(VisibilityHolds(6, true, s, 0, {})) << "Visibility 6 also needs a system menu";
  EXPECT_TRUE(VisibilityHolds(6, false, s, 0, {}));

  int askedVisibility = 0, askedAction = 0;
  const AskButtonVisible ask = [&](int visibility, int action) {
    askedVisibility = visibility;
    askedAction = action;
    return visibility == 1500;
  };
  EXPECT_TRUE(VisibilityHolds(1500, true, s, 42, ask));
  EXPECT_EQ(1500, askedVisibility);
  EXPECT_EQ(42, askedAction);
  EXPECT_FALSE(VisibilityHolds(1501, true, s, 42, ask));
  EXPECT_FALSE(VisibilityHolds(1500, true, s, 42, {})) << "no one to ask: not shown";
}

TEST(CaptionButtonBoxes, PlacedByAlign) {
  const FrameBorders b{3, 24, 3, 3};
  EXPECT_EQ((Rect{395, 0, 413, 24}), CaptionButtonBox(kClose, 18, 24, 424, b, 0, {}));
  EXPECT_EQ((Rect{359, 0, 377, 24}), CaptionButtonBox(kMinimise, 18, 24, 424, b, 0, {}));
  EXPECT_EQ((Rect{8, 4, 24, 20}), CaptionButtonBox(kIcon, 16, 16, 424, b, 0, {}));
  EXPECT_EQ((Rect{335, 2, 353, 26}), CaptionButtonBox({50, 2, 6, 2}, 18, 24, 424, b, 359, {}))
      << "Align 2 stands left of the reference";
  EXPECT_EQ((Rect{33, 2, 51, 26}), CaptionButtonBox({50, 9, 30, 2}, 18, 24, 424, b, 3, {}));
  const MenuBarPlacement menu{20, 4, false};
  EXPECT_EQ((Rect{372, 27, 386, 41}), CaptionButtonBox({7, 100, 45, 0}, 14, 14, 424, b, 0, menu));
  EXPECT_EQ((Rect{52, 27, 66, 41}), CaptionButtonBox({7, 100, 45, 0}, 14, 14, 424, b, 0, {20, 4, true}));
}

TEST(CaptionButtonActions, MapToTheirEffects) {
  EXPECT_EQ(CaptionAction::Close, CaptionActionOf(0));
  EXPECT_EQ(CaptionAction::MaximiseOrRestore, CaptionActionOf(22));
  EXPECT_EQ(CaptionAction::MinimiseOrRestore, CaptionActionOf(2));
  EXPECT_EQ(CaptionAction::SystemMenu, CaptionActionOf(11));
  EXPECT_EQ(CaptionAction::MdiClose, CaptionActionOf(62));
  EXPECT_EQ(CaptionAction::Posted, CaptionActionOf(40));
}

TEST(CaptionTextBox, RunsFromTheIconAreaToTheNearerRightClip) {
  const FrameBorders b{3, 24, 3, 3};
  EXPECT_EQ((Rect{40, 3, 359, 24}), CaptionTextBox(424, b, 40, 3, 65, 359));
  EXPECT_EQ((Rect{40, 3, 300, 24}), CaptionTextBox(424, b, 40, 3, 65, 300)) << "buttons further left";
  EXPECT_EQ((Rect{40, 3, 359, 24}), CaptionTextBox(424, b, 40, 3, 65, 0)) << "no right-aligned button";
  EXPECT_EQ(0, CaptionTextBox(80, b, 40, 3, 65, 0).Width()) << "a narrow window has no room";
}

TEST(FrameHitTesting, TheCaptionStripAnswersCaption) {
  const FrameBorders b{3, 24, 3, 3};
  EXPECT_EQ(kHitCaption, FrameHitTest(kHitNowhere, {200, 10}, b, 0));
  EXPECT_EQ(kHitCaption, FrameHitTest(kHitClose, {410, 10}, b, 0)) << "the platform's own buttons are not drawn";
  EXPECT_EQ(kHitCaption, FrameHitTest(kHitSystemMenu, {10, 10}, b, 0));
  EXPECT_EQ(kHitCaption, FrameHitTest(kHitBorder, {200, 20}, b, 0)) << "its border is our caption strip";
  EXPECT_EQ(kHitLeft, FrameHitTest(kHitLeft, {1, 10}, b, 0)) << "sizing edges stay";
  EXPECT_EQ(kHitNowhere, FrameHitTest(kHitNowhere, {200, 2}, b, 0)) << "the top rows keep the platform's answer";
  EXPECT_EQ(kHitCaption, FrameHitTest(kHitNowhere, {200, 100}, b, 0));
  EXPECT_EQ(kHitBorder, FrameHitTest(kHitBorder, {1, 100}, b, 0));
  EXPECT_EQ(kHitClient, FrameHitTest(kHitClient, {100, 10}, b, 0));
  EXPECT_EQ(kHitMenu, FrameHitTest(kHitCaption, {100, 30}, b, 19)) << "below the caption, over the menu bar";
}

}  // namespace
}  // namespace quonel
