// The skin objects built from a skin description: one frame strip with its
// margins, flags and state colours, and the extras of the special kinds.
// They hold data only; the painters read them.
#pragma once
#include <string>

#include "skin/pixels/colour_math.h"
#include "skin/pixels/nine_slice_geometry.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TDataSkinObject {
 public:
  explicit TDataSkinObject(std::string name = {}) : Name(std::move(name)) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;
  // A rebuild moves fresh values into the objects that always exist, so that
  // whoever holds them keeps a valid object.
  TDataSkinObject& operator=(TDataSkinObject&&) = default;
  // The class name, as the skin listing shows it.
  virtual const char* ClassName() const { return "TDataSkinObject"; }

  std::string Name;
  quonel::Margins Margins;  // LeftWidth, TopHeight, RightWidth, BottomHeight
  SkinBitmap Image;
  int32_t Trans = 0;
  // Middle tiled (1) or stretched (0); the frame edges keep their stretch flag here.
  int32_t Tile = 0;
  int32_t Frames = 0;
  int32_t Style = 0;
  // Indices into the skin's colour table; -1 = none.
  int32_t NormalColour = -1;
  int32_t MouseOverColour = -1;
  int32_t PressedColour = -1;
  // Text colours of the states.
  TColor NormalColour2 = clBlack;
  TColor MouseOverColour2 = clBlack;
  TColor PressedColour2 = clBlack;
};

// An object with a second bitmap (a glyph or a border image).
class TDataSkinBorder : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  const char* ClassName() const override { return "TDataSkinBorder"; }
  SkinBitmap Image2;
};

// The push, check and radio buttons of section [Buttons].
class TDataSkinButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  const char* ClassName() const override { return "TDataSkinButton"; }
  SkinBitmap CheckImage;
  SkinBitmap RadioImage;
  int32_t RadioFrames = 0;
  int32_t CheckFrames = 0;
  // Whether the description gave the state text colours at all.
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

// The caption text: Image is the text background, the margins place the text.
class TDataSkinTitle : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  const char* ClassName() const override { return "TDataSkinTitle"; }
  int32_t TextAlignment = 0;
  int32_t TextBackground = 0;
  int32_t FontHeight = 14;
  int32_t TextBackLeft = 0;
  int32_t TextBackRight = 0;
  TColor ActiveTextColour = clNone;
  TColor InactiveTextColour = clNone;
};

// One caption (or MDI) button.
class TDataSkinSysButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  const char* ClassName() const override { return "TDataSkinSysButton"; }
  int32_t Action = 0;
  int32_t Align = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t CombineOp = -1;
  int32_t Visibility = 0;
  int32_t Visibility1 = 0;
};

// The group-box caption strip.
class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  const char* ClassName() const override { return "TDataSkinBoxLabel"; }
  int32_t BackgroundLeftShift = 0;
  int32_t BackgroundRightShift = 0;
  int32_t BackgroundAlignment = 0;
};

}  // namespace quonel
