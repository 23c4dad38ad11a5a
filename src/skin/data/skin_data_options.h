// The switches a skin data component stores: which control kinds it skins,
// how it behaves, which windows it takes. Ordinals are bit positions, which
// stored forms rely on.
#pragma once
#include <cstdint>

namespace quonel {

enum TSkinOption : int {
  xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
  xoMDIChildBorder, xoMenuBG, xoFormScrollbar,
};

enum TSkinControlType : int {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
  xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab,
  xcTrackBar, xcSystemMenu, xcFastReport,
};

enum class TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// Sets of the members above: bit (1 << ordinal) per member.
using TSkinOptions = uint32_t;
using TSkinControlTypes = uint32_t;

constexpr uint32_t SetBit(int ordinal) { return uint32_t{1} << ordinal; }
constexpr bool InSet(uint32_t set, int ordinal) { return (set & SetBit(ordinal)) != 0; }

constexpr TSkinControlTypes kAllSkinControls = SetBit(xcFastReport + 1) - 1;
// What a new component skins: every kind but single menu items and report previews.
constexpr TSkinControlTypes kDefaultSkinControls = kAllSkinControls & ~SetBit(xcMenuItem) & ~SetBit(xcFastReport);
constexpr TSkinOptions kDefaultSkinOptions = SetBit(xoPreview) | SetBit(xoToolbarBK);

}  // namespace quonel
