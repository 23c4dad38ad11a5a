#include "ui/edit.h"

#include "core/property_registry.h"

namespace quonel {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"EDIT";
  if (readOnly_) params.style |= ES_READONLY;
  AddEditBorder(params);
}

void TCustomEdit::HandleCreated() {
  // 0 lifts the control's default limit of 32767 characters.
  SendMessageW(Handle(), EM_LIMITTEXT, maxLength_, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  maxLength_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, value, 0);
}

void TCustomEdit::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == EN_CHANGE && OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(message);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 121, 21); }

void TEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.style |= ES_AUTOHSCROLL;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!wordWrap_) params.style |= ES_AUTOHSCROLL;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) params.style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) params.style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  RecreateWnd();
}

void TMemo::AppendLine(const std::wstring& line) {
  if (!HandleAllocated()) {
    SetTextProperty(Text() + line + L"\r\n");
    return;
  }
  const LRESULT length = SendMessageW(Handle(), WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(Handle(), EM_SETSEL, length, length);
  const std::wstring text = line + L"\r\n";
  SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemoStrings::Split(TStringList& lines) const { lines.SetText(memo_.Text()); }

void TMemoStrings::Join(const TStringList& lines) { memo_.SetTextProperty(lines.Text()); }

int TMemoStrings::Count() const {
  TStringList lines;
  Split(lines);
  return lines.Count();
}

std::wstring TMemoStrings::Get(int index) const {
  TStringList lines;
  Split(lines);
  if (index < 0 || index >= lines.Count()) IndexError(index);
  return lines.Get(index);
}

void TMemoStrings::Put(int index, const std::wstring& text) {
  TStringList lines;
  Split(lines);
  lines.Put(index, text);
  Join(lines);
}

void TMemoStrings::Insert(int index, const std::wstring& text) {
  TStringList lines;
  Split(lines);
  lines.Insert(index, text);
  Join(lines);
}

void TMemoStrings::Delete(int index) {
  TStringList lines;
  Split(lines);
  lines.Delete(index);
  Join(lines);
}

void TMemoStrings::Clear() { memo_.SetTextProperty(L""); }

void RegisterEditClasses() {
  ClassRegistrar<TCustomEdit>(L"TCustomEdit", L"TWinControl")
      .Boolean(L"ReadOnly", [](TCustomEdit& e) { return e.ReadOnly(); },
               [](TCustomEdit& e, bool v) { e.SetReadOnly(v); })
      .Integer(L"MaxLength", [](TCustomEdit& e) { return e.MaxLength(); },
               [](TCustomEdit& e, int64_t v) { e.SetMaxLength(static_cast<int>(v)); });
  ClassRegistrar<TEdit>(L"TEdit", L"TCustomEdit").Creatable();
  ClassRegistrar<TMemo>(L"TMemo", L"TCustomEdit")
      .Creatable()
      .Enumeration(L"ScrollBars", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"},
                   [](TMemo& m) { return static_cast<int>(m.ScrollBars()); },
                   [](TMemo& m, int64_t v) { m.SetScrollBars(static_cast<TScrollStyle>(v)); })
      .Boolean(L"WordWrap", [](TMemo& m) { return m.WordWrap(); }, [](TMemo& m, bool v) { m.SetWordWrap(v); })
      .Lines(L"Lines", [](TMemo& m, const std::vector<std::wstring>& lines) {
        TStringList list;
        list.AddStrings(lines);
        m.SetTextProperty(list.Text());
      });
}

}  // namespace quonel
