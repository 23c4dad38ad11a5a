#include "skin/frame/skin_caption.h"

#include <algorithm>
#include <vector>

#include "core/component_class.h"
#include "core/property_registry.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_font.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"

namespace quonel {

const wchar_t* const kMissingSkinDataWarning =
    L"提示：缺少必须组件 TSkinData！ 请在工程设计时把 TSkinData 和 TSkinCaption 放在一起\n\r"
    L"Tips: the component TSkinData is absent,please puts TSkinData and TSkinCaption on the same place.";

namespace {

std::vector<TSkinCaption*>& LiveCaptions() {
  static std::vector<TSkinCaption*> captions;
  return captions;
}
uint8_t unitSkinAlpha = 0;

BOOL CALLBACK RepaintIfSkinned(HWND window, LPARAM) {
  if (SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1)
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

// Every skinned top-level window of this thread paints its frame again.
void RepaintSkinnedFrames() { EnumThreadWindows(GetCurrentThreadId(), RepaintIfSkinned, 0); }

bool OwnerHasSkinData(const TComponent* owner) {
  if (!owner) return false;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (std::wstring(owner->Components(i)->ClassName()) == L"TSkinData") return true;
  return false;
}

}  // namespace

TSkinCaption::TSkinCaption(TComponent* owner) : TComponent(owner), author_(kSkinCaptionAuthor) {
  LiveCaptions().push_back(this);
}

TSkinCaption::~TSkinCaption() {
  auto& live = LiveCaptions();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  if (active_) RepaintSkinnedFrames();
}

void TSkinCaption::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (!HasState(ComponentStateFlag::Loading) && !HasState(ComponentStateFlag::Designing)) RepaintSkinnedFrames();
}

void TSkinCaption::Loaded() {
  TComponent::Loaded();
  author_ = kSkinCaptionAuthor;
  unitSkinAlpha = skinAlpha_;
  if (HasState(ComponentStateFlag::Designing)) return;
  if (OwnerHasSkinData(Owner())) active_ = true;
  else MessageBoxW(nullptr, kMissingSkinDataWarning, L"TSkinCaption", MB_OK | MB_ICONWARNING);
}

bool TSkinCaption::RenderingOn() {
  for (const TSkinCaption* caption : LiveCaptions())
    if (caption->active_) return true;
  return false;
}

uint8_t TSkinCaption::UnitSkinAlpha() { return unitSkinAlpha; }

Rect CaptionTextRect(const CaptionTextParams& p) {
  const TDataSkinTitle& title = p.data->Title();
  return CaptionTextBox(p.windowWidth, p.borders, title.Margins.left, title.Margins.top, title.Margins.right,
                        p.rightLimit);
}

void DrawCaptionText(HDC strip, const CaptionTextParams& p) {
  if (!TSkinCaption::RenderingOn() || !p.data || p.text.empty()) return;
  const TDataSkinTitle& title = p.data->Title();
  const Rect box = CaptionTextRect(p);
  if (box.Width() <= 0 || box.Height() <= 0) return;
  TColor colour = p.active ? title.ActiveTextColour : title.InactiveTextColour;
  if (colour == clNone) colour = p.active ? p.data->Colours().TitleTextActive : p.data->Colours().TitleTextNoActive;
  SavedDcState saved(strip);
  SelectObject(strip, CaptionFont(p.data->CaptionFont(), title.FontHeight));
  SetBkMode(strip, TRANSPARENT);
  SetTextColor(strip, ColorToRGB(colour));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  format |= title.TextAlignment == 1 ? DT_CENTER : title.TextAlignment == 2 ? DT_RIGHT : DT_LEFT;
  RECT r = ToRECT(box);
  if (!title.Image.Empty()) {
    // The title's TextBack under the text: frame 1 active, 2 inactive, its
    // fixed ends TXTBackleft and TXTBackRight wide around the text.
    RECT measured = r;
    DrawTextW(strip, p.text.c_str(), static_cast<int>(p.text.size()), &measured,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int frames = std::max(1, title.Frames);
    StripFrame back{title.Image, frames, p.active || frames < 2 ? 1 : 2,
                    {title.TextBackLeft, 0, title.TextBackRight, 0}, false, title.Tile != 0, title.Trans == 1};
    DrawSkinImage(strip,
                  CaptionTextBackRect(box, measured.right - measured.left, title.TextAlignment, title.TextBackLeft,
                                      title.TextBackRight, title.Image.Height()),
                  back);
  }
  // Centred in the rows below the vertical shift, down to the strip's bottom.
  DrawTextW(strip, p.text.c_str(), static_cast<int>(p.text.size()), &r, format);
}

bool ApplySkinAlpha(HWND window, uint8_t alpha) {
  if (alpha == 0) return false;
  using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto set = user32 ? reinterpret_cast<SetLayered>(
                          reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")))
                    : nullptr;
  if (!set) return false;
  SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  // SkinAlpha is the translucency: 0 opaque, 255 the most see-through
  // (never fully invisible, so the window can still be found).
  return set(window, 0, static_cast<BYTE>(std::max(16, 255 - alpha)), LWA_ALPHA) != FALSE;
}

void RegisterSkinCaptionClass() {
  RegisterComponentClass();
  ClassRegistrar<TSkinCaption>(L"TSkinCaption", L"TComponent")
      .Creatable()
      .Boolean(L"Active", [](TSkinCaption& c) { return c.Active(); },
               [](TSkinCaption& c, bool v) { c.SetActive(v); })
      // Read-only: a stored value is replaced by the component's own text.
      .Text(L"Author", [](TSkinCaption& c) { return c.Author(); }, [](TSkinCaption&, const std::wstring&) {})
      .Integer(L"SkinAlpha", [](TSkinCaption& c) { return c.SkinAlpha(); },
               [](TSkinCaption& c, int64_t v) { c.SetSkinAlpha(static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255))); });
}

}  // namespace quonel
