// TSkinData: the component a form carries to be skinned. This file holds the
// part that keeps a built skin: the skin objects in their slots, the skin-wide
// colours and the empty flag, and the load that fills them from the stored
// archive.
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/skin_objects.h"
#include "ui/component.h"

namespace quonel {

class TQuickIni;
class TSkinReader;

// The objects of the skin table, in build order.
enum class SkinSlot {
  Progress, ProgressChunk, MenuBar, GroupBoxEdge, GroupBox, Tabs, StatusBar, TabPane, ToolBars,
  ComboButton, SunkEdge, ExtraImages, Header, MenuItem, MenuBackground, Scrollbar, HorzScroll,
  VertScroll, HorzScrollThumb, VertScrollThumb, TrackThumbHorz, TrackThumbVert, TrackThumbLeft,
  TrackThumbRight, TrackThumbUp, TrackThumbDown, UpDownHorz, UpDownVert, Track, TrackVert,
};
constexpr int kSkinSlotCount = static_cast<int>(SkinSlot::TrackVert) + 1;

// The sixteen named colours of [Colours].
struct TSkinColours {
  TColor WindowText, ButtonFace, Scrollbar, HilightText, Hilight, MenuBar, Menu, MenuText, ButtonText,
      ButtonHilight, ButtonLight, ButtonShadow, ButtonDkShadow, MenuBarText, TitleTextActive, TitleTextNoActive;
};

enum class FrameEdge { Left, Right, Top, Bottom };

class TSkinData : public TComponent {
 public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;
  const wchar_t* ClassName() const override { return L"TSkinData"; }

  // Set at creation and at the start of every load; cleared only when a
  // skin has been built completely.
  bool Empty() const { return empty_; }

  // The compressed archive the next LoadSkin reads.
  const std::string& SkinStream() const { return skinStream_; }
  void SetSkinStream(std::string compressed) { skinStream_ = std::move(compressed); }
  // Decodes the archive and builds every object; false (the previous
  // objects kept, the empty flag set) when the archive cannot be read.
  bool LoadSkin();
  // Builds every object from a description and its archive's members.
  void BuildSkinObjects(const TQuickIni& ini, const TSkinReader& reader);
  // Where the archive's version message goes; unset: the platform's box.
  std::function<void(const std::wstring&)> ShowMessage;

  const std::string& SkinName() const { return skinName_; }
  // The slot's object, or null when the skin has none.
  TDataSkinObject* Slot(SkinSlot slot) const { return slots_[static_cast<int>(slot)].get(); }
  template <typename T>
  T* SlotAs(SkinSlot slot) const { return dynamic_cast<T*>(Slot(slot)); }
  // The four frame edges, the push buttons and the caption always exist.
  TDataSkinObject& Edge(FrameEdge edge) const { return *edges_[static_cast<int>(edge)]; }
  TDataSkinButton& Buttons() const { return *buttons_; }
  TDataSkinTitle& Title() const { return *title_; }
  // Caption buttons in description order, then the three MDI buttons.
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const { return captionButtons_; }
  // Always present after a build.
  TDataSkinObject* ComboxArrow() const { return comboxArrow_.get(); }
  TDataSkinObject* Toolbar() const { return toolbar_.get(); }

  const TSkinColours& Colours() const { return colours_; }
  const std::vector<TColor>& ColourTable() const { return colourTable_; }
  const std::array<TColor, 10>& CustomColours() const { return customColours_; }
  TColor TitleColour() const { return titleColour_; }
  HBRUSH FaceBrush() const { return faceBrush_.Get(); }
  // The 64 x 16 strip of menu glyphs: restore, maximise, minimise, close.
  const SkinBitmap& MenuGlyphs() const { return menuGlyphs_; }

 private:
  friend class SkinBuilder;

  bool empty_ = true;
  std::string skinStream_;
  std::string skinName_;
  std::array<std::unique_ptr<TDataSkinObject>, kSkinSlotCount> slots_;
  std::array<std::unique_ptr<TDataSkinObject>, 4> edges_;
  std::unique_ptr<TDataSkinButton> buttons_;
  std::unique_ptr<TDataSkinTitle> title_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> captionButtons_;
  std::unique_ptr<TDataSkinObject> comboxArrow_;
  std::unique_ptr<TDataSkinObject> toolbar_;
  TSkinColours colours_{};
  std::vector<TColor> colourTable_;
  std::array<TColor, 10> customColours_{};
  TColor titleColour_ = clBlack;
  BrushHandle faceBrush_;
  SkinBitmap menuGlyphs_;
};

}  // namespace quonel
