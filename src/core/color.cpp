#include "core/color.h"

#include "core/strings.h"

namespace quonel {

namespace {

struct NamedValue {
  const wchar_t* name;
  int64_t value;
};

bool Lookup(const NamedValue* table, size_t count, const std::wstring& ident, int64_t& value) {
  for (size_t i = 0; i < count; ++i)
    if (SameText(table[i].name, ident)) {
      value = table[i].value;
      return true;
    }
  return false;
}

}  // namespace

bool ColorFromIdent(const std::wstring& ident, int64_t& color) {
  static const NamedValue kColors[] = {
      {L"clBlack", clBlack},         {L"clWhite", clWhite},           {L"clRed", clRed},
      {L"clLime", clLime},           {L"clBlue", clBlue},             {L"clNavy", clNavy},
      {L"clOlive", clOlive},         {L"clFuchsia", clFuchsia},       {L"clWindow", clWindow},
      {L"clWindowText", clWindowText}, {L"clBtnFace", clBtnFace},     {L"clBtnShadow", clBtnShadow},
      {L"clBtnText", clBtnText},     {L"clBtnHighlight", clBtnHighlight}, {L"clInfoText", clInfoText},
      {L"clInfoBk", clInfoBk},
  };
  return Lookup(kColors, std::size(kColors), ident, color);
}

bool CharsetFromIdent(const std::wstring& ident, int64_t& charset) {
  static const NamedValue kCharsets[] = {
      {L"ANSI_CHARSET", 0},   {L"DEFAULT_CHARSET", 1}, {L"SYMBOL_CHARSET", 2},
      {L"GB2312_CHARSET", 134}, {L"CHINESEBIG5_CHARSET", 136}, {L"OEM_CHARSET", 255},
  };
  return Lookup(kCharsets, std::size(kCharsets), ident, charset);
}

}  // namespace quonel
