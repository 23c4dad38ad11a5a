#include "ui/graphics.h"

namespace quonel {

void TFont::SetName(const std::wstring& name) {
  if (name_ == name) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height_ == height) return;
  height_ = height;
  Changed();
}

void TFont::SetCharset(int charset) {
  if (charset_ == charset) return;
  charset_ = charset;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(unsigned style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (&other == this) return;
  name_ = other.name_;
  height_ = other.height_;
  charset_ = other.charset_;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

void TFont::Changed() {
  handle_.Reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW log = {};
    log.lfHeight = height_;
    log.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    log.lfItalic = (style_ & fsItalic) ? 1 : 0;
    log.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    log.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    log.lfCharSet = static_cast<BYTE>(charset_);
    log.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(log.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectW(&log));
  }
  return handle_.Get();
}

void TCanvas::FillRect(const RECT& rect) {
  OwnedBrush brush(CreateSolidBrush(ColorToRGB(brushColor_)));
  ::FillRect(dc_, &rect, brush.Get());
}

void TCanvas::FrameRect(const RECT& rect, TColor color) {
  OwnedBrush brush(CreateSolidBrush(ColorToRGB(color)));
  ::FrameRect(dc_, &rect, brush.Get());
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  SelectionScope font(dc_, font_.Handle());
  SIZE size = {};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::TextOutAt(int x, int y, const std::wstring& text) {
  SelectionScope font(dc_, font_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkMode(dc_, TRANSPARENT);
  ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::TextRect(const std::wstring& text, RECT& rect, UINT format) {
  SelectionScope font(dc_, font_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  const int oldMode = SetBkMode(dc_, TRANSPARENT);
  const int height = DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SetBkMode(dc_, oldMode);
  return height;
}

}  // namespace quonel
