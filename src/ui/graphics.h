// Fonts, GDI handles with owners, and a small canvas over a device context.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/color.h"
#include "core/win32_owners.h"
#include "core/persistent.h"

namespace quonel {

// Owned GDI objects, scoped selections and ColorToRGB: see ui/gdi_basics.h.

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont : public TPersistent {
 public:
  TFont() = default;
  const wchar_t* ClassName() const override { return L"TFont"; }

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  void Assign(const TFont& other);

  // Created on first use and again after any change.
  HFONT Handle();
  // Called after every change (the owning control repaints and tells children).
  std::function<void()> OnChange;

 private:
  void Changed();
  std::wstring name_ = L"MS Sans Serif";
  int height_ = -11;
  int charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  unsigned style_ = 0;
  OwnedFont handle_;
};

// Drawing on a device context that someone else owns.
class TCanvas : public TPersistent {
 public:
  TCanvas() = default;
  const wchar_t* ClassName() const override { return L"TCanvas"; }

  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc) { dc_ = dc; }
  TFont& Font() { return font_; }
  TColor BrushColor() const { return brushColor_; }
  void SetBrushColor(TColor color) { brushColor_ = color; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect, TColor color);
  SIZE TextExtent(const std::wstring& text);
  void TextOutAt(int x, int y, const std::wstring& text);
  // DrawTextW with the canvas font and colour, transparent background.
  int TextRect(const std::wstring& text, RECT& rect, UINT format);

 private:
  HDC dc_ = nullptr;
  TFont font_;
  TColor brushColor_ = clWhite;
};

}  // namespace quonel
