// Push buttons with more than a caption: TSkinBitButton (a glyph beside the
// caption), TSkinMenuButton (a drop-down arrow) and TSkinSpeedButton (a
// windowless tool button, flat or not, that can stay down). All draw their
// face from the skin's Buttons strip like TSkinButton.
#pragma once
#include <string>

#include "skin/controls/buttons/skin_button.h"

namespace quonel {

class TBitmap;

class TSkinBitButton : public TSkinButton {
 public:
  TSkinBitButton() = default;
  // A button of another library whose picture is in another property
  // ("PngImage") than the glyph.
  explicit TSkinBitButton(std::wstring pictureProperty) : pictureProperty_(std::move(pictureProperty)) {}
  const wchar_t* ClassName() const override { return L"TSkinBitButton"; }
  const std::wstring& PictureProperty() const { return pictureProperty_; }

 protected:
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  std::wstring pictureProperty_ = L"Glyph";
};

class TSkinMenuButton : public TSkinButton {
 public:
  const wchar_t* ClassName() const override { return L"TSkinMenuButton"; }

 protected:
  void PaintSkin(HDC dc, const RECT& rect) override;
  int FocusedState() const override { return 4; }
};

class TSkinSpeedButton : public TSkinBitButton {
 public:
  const wchar_t* ClassName() const override { return L"TSkinSpeedButton"; }
  void PaintFrame(HDC dc) override;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;

 private:
  void PaintSpeedButton(HDC dc);
  bool painting_ = false;
};

// Glyph `number` (from 1; beyond the strip's count the first) of a glyph
// strip at (x, y), its bottom-left colour transparent; greyed on request.
void DrawButtonGlyph(HDC dc, int x, int y, const TBitmap& glyph, int numGlyphs, int number, bool grey);

}  // namespace quonel
