#include "skin/controls/buttons/skin_obj_image.h"

#include "core/property_access.h"
#include "skin/data/skin_data.h"
#include "ui/bitmap.h"
#include "ui/control.h"

namespace quonel {

namespace {

// Unchecked, checked, unchecked again (pressed), checked again, then the
// two disabled marks: the order the controls read their six glyphs in.
constexpr int kGlyphOrder[] = {1, 2, 1, 2, 3, 4};
constexpr int kRadioKind = 2;

// A picture of the six glyphs, for a TBitmap to own.
HBITMAP MakeGlyphStrip(const SkinBitmap& marks, int frames) {
  if (marks.Empty() || frames <= 0) return nullptr;
  const int cell = marks.Width() / frames, height = marks.Height();
  if (cell <= 0) return nullptr;
  SkinBitmap strip = SkinBitmap::Create(cell * 6, height);
  if (strip.Empty()) return nullptr;
  {
    BitmapDc from(marks), to(strip);
    for (int i = 0; i < 6; ++i)
      BitBlt(to.Get(), i * cell, 0, cell, height, from.Get(), (kGlyphOrder[i] - 1) * cell, 0, SRCCOPY);
  }
  // The strip's own section stays with it; the control gets a copy it owns.
  return static_cast<HBITMAP>(CopyImage(strip.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

TSkinObjImage::~TSkinObjImage() {
  if (GetLifeState() == kAttached) TSkinObjImage::Detach();
}

void TSkinObjImage::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  if (GetLifeState() == kAttached) HandOverGlyphs();
}

void TSkinObjImage::Detach() {
  if (GetLifeState() == kAttached)
    if (TPersistent* owner = GlyphOwner()) SetPropText(owner, L"UseCustomGlyphs", L"false");
  TSkinControl::Detach();
}

void TSkinObjImage::SkinChanged() {
  HandOverGlyphs();
  TSkinControl::SkinChanged();
}

TPersistent* TSkinObjImage::GlyphOwner() const {
  if (!Control()) return nullptr;
  if (TPersistent* properties = GetObjectProp(Control(), L"Properties")) return properties;
  return Control();
}

void TSkinObjImage::HandOverGlyphs() {
  TPersistent* owner = GlyphOwner();
  if (!owner || !SkinData()) return;
  const TDataSkinButton& buttons = SkinData()->Buttons();
  const bool radio = kind_ == kRadioKind;
  HBITMAP strip = MakeGlyphStrip(radio ? buttons.RadioImage : buttons.CheckImage,
                                 radio ? buttons.RadioFrames : buttons.CheckFrames);
  if (!strip) return;
  auto* glyphs = dynamic_cast<TBitmap*>(GetObjectPropOf(owner, L"CustomGlyphs", L"TBitmap"));
  if (!glyphs) glyphs = dynamic_cast<TBitmap*>(GetObjectPropOf(owner, L"Glyph", L"TBitmap"));
  if (!glyphs) {
    DeleteObject(strip);
    return;
  }
  glyphs->SetHandle(strip);
  SetPropText(owner, L"transparentcolor", std::to_wstring(clMagenta));
  // Off and on again: the control reads its glyphs when they are switched on.
  SetPropText(owner, L"UseCustomGlyphs", L"false");
  SetPropText(owner, L"UseCustomGlyphs", L"true");
}

}  // namespace quonel
