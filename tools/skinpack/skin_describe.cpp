#include "skin_describe.h"

#include <cstdio>
#include <stdexcept>

#include "skin/data/skin_data.h"

namespace quonel::skinpack {

namespace {

constexpr const char* kSlotNames[kSkinSlotCount] = {
    "Progress", "Progress.Chunk", "MenuBar", "GroupBoxEdge", "GroupBox", "Tabs", "StatusBarEdges", "Tab.Pane",
    "ToolBars", "ComboButton", "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar",
    "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
    "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown", "UpDown.Horz",
    "UpDown.Vert", "Track", "TRACKVERT",
};

std::string Format(const char* format, auto... values) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

// As a skin description writes it; system colours and "not given" by name.
std::string ColourText(TColor colour) {
  if (IsSystemColour(colour)) return Format("system colour %d", colour & 0xFF);
  if (colour == clNone) return "not given";
  return Format("%d %d %d", RedOf(colour), GreenOf(colour), BlueOf(colour));
}

std::string ImageText(const SkinBitmap& image) {
  if (image.Empty()) return "none";
  return Format("%dx%d %d bpp", image.Width(), image.Height(), image.BitsPerPixel());
}

std::string ObjectText(const std::string& slot, const TDataSkinObject& o) {
  const Margins& m = o.Margins;
  std::string text = Format("%-20s %-18s image %-18s margins %d/%d/%d/%d frames %d trans %d tile %d style %d", slot.c_str(),
                            o.ClassName(), ImageText(o.Image).c_str(), m.left, m.top, m.right, m.bottom, o.Frames,
                            o.Trans, o.Tile, o.Style);
  text += Format(" colours %d/%d/%d", o.NormalColour, o.MouseOverColour, o.PressedColour);
  text += " text " + ColourText(o.NormalColour2) + " / " + ColourText(o.MouseOverColour2) + " / " +
          ColourText(o.PressedColour2);
  if (auto* border = dynamic_cast<const TDataSkinBorder*>(&o)) text += " image2 " + ImageText(border->Image2);
  if (auto* label = dynamic_cast<const TDataSkinBoxLabel*>(&o))
    text += Format(" background align %d shifts %d/%d", label->BackgroundAlignment, label->BackgroundLeftShift,
                   label->BackgroundRightShift);
  if (auto* button = dynamic_cast<const TDataSkinButton*>(&o))
    text += " check " + ImageText(button->CheckImage) + Format(" (%d frames)", button->CheckFrames) + " radio " +
            ImageText(button->RadioImage) + Format(" (%d frames)", button->RadioFrames) +
            Format(" text colours given %d/%d/%d", button->HasNormalColour2, button->HasMouseOverColour2,
                   button->HasPressedColour2);
  if (auto* title = dynamic_cast<const TDataSkinTitle*>(&o))
    text += Format(" alignment %d background %d font height %d text back %d/%d", title->TextAlignment,
                   title->TextBackground, title->FontHeight, title->TextBackLeft, title->TextBackRight) +
            " active " + ColourText(title->ActiveTextColour) + " inactive " + ColourText(title->InactiveTextColour);
  return text + "\n";
}

}  // namespace

std::string DescribeSkin(const TSkinData& data) {
  std::string out = "skin name: " + (data.SkinName().empty() ? std::string("(none)") : data.SkinName()) + "\n";
  out += "objects:\n";
  const char* edges[] = {"Left edge", "Right edge", "Top edge", "Bottom edge"};
  for (int i = 0; i < 4; ++i) out += "  " + ObjectText(edges[i], data.Edge(static_cast<FrameEdge>(i)));
  out += "  " + ObjectText("Buttons", data.Buttons());
  out += "  " + ObjectText("Title", data.Title());
  for (int i = 0; i < kSkinSlotCount; ++i) {
    if (const TDataSkinObject* object = data.Slot(static_cast<SkinSlot>(i))) out += "  " + ObjectText(kSlotNames[i], *object);
    else out += Format("  %-20s (none)\n", kSlotNames[i]);
  }
  if (data.ComboxArrow()) out += "  " + ObjectText("ComboxArrow", *data.ComboxArrow());
  if (data.Toolbar()) out += "  " + ObjectText("Toolbar", *data.Toolbar());

  const TSkinColours& c = data.Colours();
  const std::pair<const char*, TColor> named[] = {
      {"WindowText", c.WindowText}, {"ButtonFace", c.ButtonFace}, {"Scrollbar", c.Scrollbar},
      {"HilightText", c.HilightText}, {"Hilight", c.Hilight}, {"MenuBar", c.MenuBar}, {"Menu", c.Menu},
      {"MenuText", c.MenuText}, {"ButtonText", c.ButtonText}, {"ButtonHilight", c.ButtonHilight},
      {"ButtonLight", c.ButtonLight}, {"ButtonShadow", c.ButtonShadow}, {"ButtonDkShadow", c.ButtonDkShadow},
      {"MenuBarText", c.MenuBarText}, {"TitleTextActive", c.TitleTextActive},
      {"TitleTextNoActive", c.TitleTextNoActive}};
  out += "colours:\n";
  for (const auto& [name, colour] : named) out += Format("  %-18s ", name) + ColourText(colour) + "\n";
  out += "sampled title colour: " + ColourText(data.TitleColour()) + "\n";
  out += "colour table:\n";
  for (size_t i = 0; i < data.ColourTable().size(); ++i)
    out += Format("  %zu: ", i) + ColourText(data.ColourTable()[i]) + "\n";
  out += "custom colours:\n";
  for (size_t i = 0; i < data.CustomColours().size(); ++i)
    out += Format("  Color%zu: ", i) + ColourText(data.CustomColours()[i]) + "\n";
  out += "caption buttons:\n";
  for (const auto& b : data.CaptionButtons())
    out += Format("  %-12s action %d align %d x %d y %d combine %d visibility %d visibility1 %d frames %d image ",
                  b->Name.c_str(), b->Action, b->Align, b->X, b->Y, b->CombineOp, b->Visibility, b->Visibility1,
                  b->Frames) +
           ImageText(b->Image) + "\n";
  return out;
}

std::string DescribeSkinArchive(const std::string& archive) {
  TSkinData data(nullptr);
  std::wstring message;
  data.ShowMessage = [&](const std::wstring& text) { message = text; };
  data.SetSkinStream(archive);
  if (!data.LoadSkin()) {
    std::string reason = "not a usable skin archive";
    // The version message is ASCII text.
    if (!message.empty()) reason += " (" + std::string(message.begin(), message.end()) + ")";
    throw std::runtime_error(reason);
  }
  return DescribeSkin(data);
}

int DescribeCommand(const std::string& archive) {
  std::fputs(DescribeSkinArchive(archive).c_str(), stdout);
  return 0;
}

}  // namespace quonel::skinpack
