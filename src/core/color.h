// Colours: red in the low byte, then green, then blue; a value whose top byte
// is 0xFF names a system colour by the index in its low byte, resolved when
// drawn.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

using TColor = int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }
constexpr bool IsSystemColor(TColor color) { return (static_cast<uint32_t>(color) >> 24) == 0xFF; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// "clBtnFace" -> clBtnFace, for stored layouts and property text.
bool ColorFromIdent(const std::wstring& ident, int64_t& color);
// Character set names ("GB2312_CHARSET") as stored with fonts.
bool CharsetFromIdent(const std::wstring& ident, int64_t& charset);

}  // namespace quonel
