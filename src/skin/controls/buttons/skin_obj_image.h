// TSkinObjImage: check boxes and radio buttons of other libraries that draw
// their marks from a glyph strip of their own. The skin hands them a strip
// of six glyphs made from its check (or radio) frames and switches their
// custom glyphs on; detaching switches them off again. Kinds: 1 check box,
// 2 radio button, 3 check box whose settings sit in a Properties object.
#pragma once
#include "skin/controls/skin_control.h"

namespace quonel {

class TSkinObjImage : public TSkinControl {
 public:
  explicit TSkinObjImage(int kind) : kind_(kind) {}
  // A form that lets go of its skins frees them: the custom glyphs go off then too.
  ~TSkinObjImage() override;
  const wchar_t* ClassName() const override { return L"TSkinObjImage"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;

 private:
  // The object that carries the glyph settings: the Properties object where
  // the control has one, else the control.
  TPersistent* GlyphOwner() const;
  void HandOverGlyphs();
  int kind_;
};

}  // namespace quonel
