// The thirty objects of the skin table, each by its recipe, and the frame
// counts the painters rely on.
#include <algorithm>

#include "skin/gdi/bitmap_transforms.h"
#include "skin/gdi/builtin_images.h"
#include "skin/data/skin_builder.h"

namespace quonel {

namespace {

enum class Recipe { Plain, WithSecondImage, Progress, BoxLabel, MenuBar };

struct TableEntry {
  SkinSlot slot;
  const char* section;
  Recipe recipe;
  const char* secondImageKey;
};

constexpr TableEntry kTable[] = {
    {SkinSlot::Progress, "Progress", Recipe::Progress, nullptr},
    {SkinSlot::ProgressChunk, "Progress.Chunk", Recipe::Plain, nullptr},
    {SkinSlot::MenuBar, "Personality", Recipe::MenuBar, nullptr},
    {SkinSlot::GroupBoxEdge, "GroupBoxEdge", Recipe::Plain, nullptr},
    {SkinSlot::GroupBox, "GroupBox", Recipe::BoxLabel, nullptr},
    {SkinSlot::Tabs, "Tabs", Recipe::WithSecondImage, "Border"},
    {SkinSlot::StatusBar, "StatusBarEdges", Recipe::Plain, nullptr},
    {SkinSlot::TabPane, "Tab.Pane", Recipe::Plain, nullptr},
    {SkinSlot::ToolBars, "ToolBars", Recipe::Plain, nullptr},
    // No description carries this key: the second image comes from the mirror below.
    {SkinSlot::ComboButton, "ComboButton", Recipe::WithSecondImage, "****"},
    {SkinSlot::SunkEdge, "SunkEdge", Recipe::Plain, nullptr},
    {SkinSlot::ExtraImages, "ExtraImages", Recipe::Plain, nullptr},
    {SkinSlot::Header, "Headerbar", Recipe::Plain, nullptr},
    {SkinSlot::MenuItem, "MenuItem", Recipe::Plain, nullptr},
    {SkinSlot::MenuBackground, "MenuBackground", Recipe::Plain, nullptr},
    {SkinSlot::Scrollbar, "Scrollbar", Recipe::Plain, nullptr},
    {SkinSlot::HorzScroll, "HorzScroll", Recipe::Plain, nullptr},
    {SkinSlot::VertScroll, "VertScroll", Recipe::Plain, nullptr},
    {SkinSlot::HorzScrollThumb, "HorzScrollThumb", Recipe::Plain, nullptr},
    {SkinSlot::VertScrollThumb, "VertScrollThumb", Recipe::Plain, nullptr},
    {SkinSlot::TrackThumbHorz, "Trackbar.ThumbHorz", Recipe::Plain, nullptr},
    {SkinSlot::TrackThumbVert, "Trackbar.ThumbVert", Recipe::Plain, nullptr},
    {SkinSlot::TrackThumbLeft, "Trackbar.ThumbLeft", Recipe::Plain, nullptr},
    {SkinSlot::TrackThumbRight, "Trackbar.ThumbRight", Recipe::Plain, nullptr},
    {SkinSlot::TrackThumbUp, "Trackbar.ThumbUp", Recipe::Plain, nullptr},
    {SkinSlot::TrackThumbDown, "Trackbar.ThumbDown", Recipe::Plain, nullptr},
    {SkinSlot::UpDownHorz, "UpDown.Horz", Recipe::WithSecondImage, "GlyphImage"},
    {SkinSlot::UpDownVert, "UpDown.Vert", Recipe::WithSecondImage, "GlyphImage"},
    {SkinSlot::Track, "Track", Recipe::Plain, nullptr},
    {SkinSlot::TrackVert, "TRACKVERT", Recipe::Plain, nullptr},
};

std::unique_ptr<TDataSkinObject> NewObject(Recipe recipe, const std::string& name) {
  switch (recipe) {
    case Recipe::WithSecondImage:
    case Recipe::Progress: return std::make_unique<TDataSkinBorder>(name);
    case Recipe::BoxLabel: return std::make_unique<TDataSkinBoxLabel>(name);
    default: return std::make_unique<TDataSkinObject>(name);
  }
}

std::unique_ptr<TDataSkinObject> BuiltinTrack(const std::string& name, SkinBitmap image) {
  auto object = std::make_unique<TDataSkinObject>(name);
  object->Image = std::move(image);
  object->Margins = {3, 3, 3, 3};
  object->Frames = 1;
  return object;
}

}  // namespace

void SkinBuilder::ReadCommonKeys(TDataSkinObject& o, const std::string& s, bool readFrame) {
  o.Style = Integer(s, "Style", 0);
  o.Margins = {Integer(s, "LeftWidth", 0), Integer(s, "TopHeight", 0), Integer(s, "RightWidth", 0),
               Integer(s, "BottomHeight", 0)};
  if (readFrame) o.Frames = Integer(s, "Frame", 0);
  o.Trans = Integer(s, "Trans", 0);
  o.Tile = Integer(s, "Tile", 0);
  if (o.Tile > 1) o.Tile = 0;
  o.NormalColour = Integer(s, "NormalColour", -1);
  o.MouseOverColour = Integer(s, "MouseOverColour", -1);
  o.PressedColour = Integer(s, "PressedColour", -1);
  const TColor text = data_.colours_.ButtonText;
  o.NormalColour2 = Colour(s, "NormalColour2", text);
  o.MouseOverColour2 = Colour(s, "MouseOverColour2", text);
  o.PressedColour2 = Colour(s, "PressedColour2", text);
}

void SkinBuilder::BuildTableObjects() {
  for (const TableEntry& entry : kTable) {
    std::unique_ptr<TDataSkinObject>& slot = Owned(entry.slot);
    slot.reset();
    const std::string section = entry.section;
    const char* imageKey = entry.recipe == Recipe::Progress ? "Bitmap"
                           : entry.recipe == Recipe::MenuBar ? "menuBar"
                                                             : "Image";
    if (ini_.ReadString(section, imageKey, "").empty()) {
      if (entry.slot == SkinSlot::Track) slot = BuiltinTrack(section, BuiltinTrackHorizontal());
      if (entry.slot == SkinSlot::TrackVert) slot = BuiltinTrack(section, BuiltinTrackVertical());
      continue;
    }
    std::unique_ptr<TDataSkinObject> object = NewObject(entry.recipe, section);
    object->Image = Image(section, imageKey);
    object->NormalColour2 = object->MouseOverColour2 = object->PressedColour2 = data_.colours_.ButtonText;
    switch (entry.recipe) {
      case Recipe::Plain: ReadCommonKeys(*object, section, true); break;
      case Recipe::WithSecondImage:
        ReadCommonKeys(*object, section, false);
        static_cast<TDataSkinBorder&>(*object).Image2 = Image(section, entry.secondImageKey);
        break;
      case Recipe::Progress:
        object->Style = Integer(section, "Style", 0);
        object->Margins = {Integer(section, "LeftWidth", 0), Integer(section, "TopHeight", 0),
                           Integer(section, "RightWidth", 0), Integer(section, "BottomHeight", 0)};
        object->Trans = Integer(section, "Trans", 0);
        object->Tile = std::min(Integer(section, "Tile", 0), 1);
        break;
      case Recipe::BoxLabel: {
        ReadCommonKeys(*object, section, true);
        auto& label = static_cast<TDataSkinBoxLabel&>(*object);
        label.BackgroundAlignment = Integer(section, "BackgroundAlignment", 0);
        label.BackgroundLeftShift = Integer(section, "BackgroundLeftShift", 0);
        label.BackgroundRightShift = Integer(section, "BackgroundRightShift", 0);
        break;
      }
      case Recipe::MenuBar:
        object->Tile = std::min(Integer(section, "TileMenu", 1), 1);
        object->Margins = {Integer(section, "TileLeftMenu", 1), 0, Integer(section, "TileRightMenu", 1), 0};
        break;
    }
    if (entry.slot == SkinSlot::ComboButton && !object->Image.Empty()) {
      SkinBitmap mirrored = CopyAs24(object->Image);
      MirrorBitmap(mirrored);
      static_cast<TDataSkinBorder&>(*object).Image2 = std::move(mirrored);
    }
    slot = std::move(object);
  }
}

void SkinBuilder::SetFrameCounts() {
  auto set = [&](SkinSlot slot, int frames) {
    if (TDataSkinObject* object = data_.Slot(slot)) object->Frames = frames;
  };
  if (TDataSkinObject* progress = data_.Slot(SkinSlot::Progress)) progress->Frames = progress->Style != 0 ? 1 : 2;
  set(SkinSlot::MenuBar, 2);
  set(SkinSlot::GroupBoxEdge, 2);
  set(SkinSlot::GroupBox, 1);
  set(SkinSlot::Tabs, 5);
  set(SkinSlot::StatusBar, 3);
  if (TDataSkinObject* pane = data_.Slot(SkinSlot::TabPane)) {
    pane->Frames = 1;
    Margins& m = pane->Margins;
    m = {std::min(m.left, 4), std::min(m.top, 4), std::min(m.right, 4), std::min(m.bottom, 4)};
  }
  set(SkinSlot::ToolBars, 5);
  set(SkinSlot::ComboButton, 4);
  set(SkinSlot::SunkEdge, 4);
  set(SkinSlot::ExtraImages, 5);
  if (TDataSkinObject* header = data_.Slot(SkinSlot::Header); header && header->Frames == 0) header->Frames = 5;
  set(SkinSlot::MenuItem, 5);
  set(SkinSlot::MenuBackground, 1);
  set(SkinSlot::Scrollbar, 23);
  set(SkinSlot::HorzScroll, 4);
  set(SkinSlot::VertScroll, 4);
  set(SkinSlot::HorzScrollThumb, Integer("HorzScrollThumb", "FrameCount", 3));
  set(SkinSlot::VertScrollThumb, Integer("VertScrollThumb", "FrameCount", 3));
  for (SkinSlot thumb : {SkinSlot::TrackThumbHorz, SkinSlot::TrackThumbVert, SkinSlot::TrackThumbLeft,
                         SkinSlot::TrackThumbRight, SkinSlot::TrackThumbUp, SkinSlot::TrackThumbDown})
    set(thumb, 5);
  set(SkinSlot::UpDownHorz, 8);
  set(SkinSlot::UpDownVert, 8);
  data_.buttons_->Frames = 5;
  data_.title_->Frames = 2;
}

}  // namespace quonel
