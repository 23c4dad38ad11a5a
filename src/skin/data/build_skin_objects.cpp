#include <windows.h>

#include "skin/gdi/bitmap_transforms.h"
#include "skin/gdi/builtin_images.h"
#include "skin/data/image_reference.h"
#include "skin/data/parse_colour.h"
#include "skin/data/skin_builder.h"
#include "skin/data/skin_object_rules.h"

namespace quonel {

void TSkinData::BuildSkinObjects(const TQuickIni& ini, const TSkinReader& reader) {
  empty_ = true;
  SkinBuilder builder(*this, ini, reader);
  builder.BuildDescribedObjects();
  builder.BuildDerivedObjects();
  empty_ = false;
}

SkinBitmap SkinBuilder::Image(const std::string& section, const std::string& key) const {
  const std::string member = ImageMemberName(ini_.ReadString(section, key, ""));
  if (member.empty()) return {};
  // A missing member or one that is no valid bitmap gives no image.
  return SkinBitmap::FromBmpFile(reader_.GetMember(member));
}

TColor SkinBuilder::Colour(const std::string& section, const std::string& key, TColor fallback) const {
  return ParseColour(ini_.ReadString(section, key, ""), fallback);
}

void SkinBuilder::BuildDescribedObjects() {
  ini_.GetSections(sections_);
  data_.skinName_ = ini_.ReadString("TitlebarSkin", "SkinName", "");
  BuildBorders();
  BuildColours();
  BuildCaptionButtons();
  BuildMdiButtons();
  BuildPushButtons();
  BuildTitle();
  BuildTableObjects();
  SetFrameCounts();
}

void SkinBuilder::BuildBorders() {
  for (int i = 0; i < 4; ++i) {
    const std::string edge = data_.edges_[i]->Name;
    auto object = std::make_unique<TDataSkinObject>(edge);
    object->Image = Image("Personality", edge);
    const int32_t first = Integer("Personality", edge + "TopHeight", 0);
    const int32_t second = Integer("Personality", edge + "BotHeight", 0);
    // Left and right edges are cut top/bottom, top and bottom edges left/right.
    if (i < 2) object->Margins = {0, first, 0, second};
    else object->Margins = {first, 0, second, 0};
    object->Frames = Integer("Personality", edge + "Frame", 1);
    object->Tile = std::min(Integer("Personality", edge + "Stretch", 1), 1);
    object->Trans = Integer("Personality", edge + "Trans", 1);
    *data_.edges_[i] = std::move(*object);
  }
}

void SkinBuilder::BuildColours() {
  TSkinColours& c = data_.colours_;
  const std::string s = "Colours";
  c.WindowText = Colour(s, "WindowText", SystemColour(COLOR_WINDOWTEXT));
  c.ButtonFace = Colour(s, "ButtonFace", SystemColour(COLOR_BTNFACE));
  c.Scrollbar = Colour(s, "Scrollbar", SystemColour(COLOR_SCROLLBAR));
  c.HilightText = Colour(s, "HilightText", SystemColour(COLOR_HIGHLIGHTTEXT));
  c.Hilight = Colour(s, "Hilight", SystemColour(COLOR_HIGHLIGHT));
  c.MenuBar = Colour(s, "Menubar", c.ButtonFace);
  c.Menu = Colour(s, "Menu", SystemColour(COLOR_MENU));
  c.MenuText = Colour(s, "MenuText", SystemColour(COLOR_MENUTEXT));
  c.ButtonText = Colour(s, "ButtonText", SystemColour(COLOR_BTNTEXT));
  c.ButtonHilight = Colour(s, "ButtonHilight", SystemColour(COLOR_BTNHIGHLIGHT));
  c.ButtonLight = Colour(s, "Buttonlight", SystemColour(COLOR_BTNHIGHLIGHT));
  c.ButtonShadow = Colour(s, "ButtonShadow", SystemColour(COLOR_BTNSHADOW));
  c.ButtonDkShadow = Colour(s, "ButtonDkShadow", SystemColour(COLOR_3DDKSHADOW));
  c.MenuBarText = Colour(s, "MenuBarText", SystemColour(COLOR_MENUTEXT));
  c.TitleTextActive = Colour(s, "TitleTextActive", SystemColour(COLOR_CAPTIONTEXT));
  c.TitleTextNoActive = Colour(s, "TitleTextNoActive", SystemColour(COLOR_INACTIVECAPTIONTEXT));

  data_.colourTable_.clear();
  for (const std::string& section : ColourTableSections(sections_))
    data_.colourTable_.push_back(Colour(section, "color", SystemColour(COLOR_WINDOWTEXT)));
  for (int i = 0; i < 10; ++i)
    data_.customColours_[i] = Colour("Customcolors", "Color" + std::to_string(i), clWhite);
}

void SkinBuilder::BuildCaptionButtons() {
  data_.captionButtons_.clear();
  for (const std::string& section : CaptionButtonSections(ini_, sections_)) {
    auto button = std::make_unique<TDataSkinSysButton>(section);
    button->Action = Integer(section, "Action", 0);
    button->Align = Integer(section, "Align", 0);
    button->X = Integer(section, "Xcoord", 0);
    button->Y = Integer(section, "Ycoord", 0);
    button->Visibility = Integer(section, "Visibility", 0);
    button->Visibility1 = Integer(section, "Visibility1", button->Action == -1 ? -1 : 0);
    button->CombineOp = Integer(section, "CombineOp", -1);
    button->Frames = Integer(section, "frame", 0);
    button->Image = Image(section, "ButtonImage");
    if (button->Frames == 0) {
      button->Frames = CaptionButtonFrames(button->Action, !button->Image.Empty(), button->Image.Width(),
                                           button->Image.Height());
      // These buttons draw the window icon instead.
      if (button->Action == 3 || button->Action == 11) button->Image = SkinBitmap();
    }
    data_.captionButtons_.push_back(std::move(button));
  }
}

void SkinBuilder::BuildMdiButtons() {
  const SkinBitmap strip = Image("MDICONTROLS", "Image");
  for (int i = 0; i < 3; ++i) {
    auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
    button->Action = 7 + i;
    button->Align = 100;
    button->Visibility = 100;
    button->Visibility1 = 100;
    button->Frames = 4;
    if (!strip.Empty()) {
      const MdiButtonCut cut = MdiButtonPiece(strip.Width(), i);
      button->X = cut.x;
      button->Image = SkinBitmap::Create(cut.width, strip.Height());
      if (!button->Image.Empty()) {
        BitmapDc to(button->Image);
        BitmapDc from(strip);
        BitBlt(to.Get(), 0, 0, cut.width, strip.Height(), from.Get(), cut.sourceX, 0, SRCCOPY);
      }
    }
    data_.captionButtons_.push_back(std::move(button));
  }
}

void SkinBuilder::BuildPushButtons() {
  const std::string s = "Buttons";
  auto button = std::make_unique<TDataSkinButton>(s);
  button->Margins = {Integer(s, "LeftWidth", 0), Integer(s, "TopHeight", 0), Integer(s, "RightWidth", 0),
                     Integer(s, "BottomHeight", 0)};
  button->Trans = Integer(s, "Trans", 0);
  button->Image = Image(s, "Bitmap");
  button->Tile = Integer(s, "Tile", 0);
  if (button->Tile > 1) button->Tile = 0;
  button->CheckImage = Image(s, "CheckButton");
  button->RadioImage = Image(s, "RadioButton");
  button->NormalColour = Integer(s, "NormalColour", -1);
  button->MouseOverColour = Integer(s, "MouseOverColour", -1);
  button->PressedColour = Integer(s, "PressedColour", -1);
  button->RadioFrames = Integer(s, "RadioButtonFrame", 0);
  button->CheckFrames = Integer(s, "CheckButtonFrame", 0);
  const TColor text = data_.colours_.ButtonText;
  button->HasNormalColour2 = !ini_.ReadString(s, "NormalColour2", "").empty();
  button->HasMouseOverColour2 = !ini_.ReadString(s, "MouseOverColour2", "").empty();
  button->HasPressedColour2 = !ini_.ReadString(s, "PressedColour2", "").empty();
  button->NormalColour2 = Colour(s, "NormalColour2", text);
  button->MouseOverColour2 = Colour(s, "MouseOverColour2", text);
  button->PressedColour2 = Colour(s, "PressedColour2", text);
  if (button->RadioFrames == 0)
    button->RadioFrames = CheckFramesFromImage(button->RadioImage.Width(), button->RadioImage.Height());
  if (button->CheckFrames == 0)
    button->CheckFrames = CheckFramesFromImage(button->CheckImage.Width(), button->CheckImage.Height());
  *data_.buttons_ = std::move(*button);
}

void SkinBuilder::BuildTitle() {
  const std::string s = "Personality";
  auto title = std::make_unique<TDataSkinTitle>(s);
  title->Image = Image(s, "TextBack");
  title->Margins = {Integer(s, "TextShift", 0), Integer(s, "TextShiftVert", 0), Integer(s, "TextRightClip", 0), 0};
  title->TextAlignment = Integer(s, "TextAlignment", 0);
  title->TextBackground = Integer(s, "Textbackground", 0);
  title->FontHeight = Integer("Fonts", "FontHeight", 14);
  title->TextBackLeft = Integer(s, "TXTBackleft", 0);
  title->TextBackRight = Integer(s, "TXTBackRight", 0);
  auto rgb = [&](const char* prefix) {
    const int32_t r = Integer(s, std::string(prefix) + "R", -1);
    const int32_t g = Integer(s, std::string(prefix) + "G", -1);
    const int32_t b = Integer(s, std::string(prefix) + "B", -1);
    return r >= 0 && g >= 0 && b >= 0 ? MakeColour(r % 256, g % 256, b % 256) : clNone;
  };
  title->ActiveTextColour = rgb("ActiveText");
  title->InactiveTextColour = rgb("InActiveText");
  title->Frames = 2;
  *data_.title_ = std::move(*title);
}

}  // namespace quonel
