// TSkinCaption: the component that gives skinned windows their caption text
// (drawn into the frame's caption strip from the skin's title object) and,
// with SkinAlpha above 0, a translucent window. Caption rendering is on
// while any caption component of the program is Active: one component
// switched off or destroyed leaves the others' choice alone.
#pragma once
#include <windows.h>

#include <string>

#include "core/component.h"
#include "skin/frame/frame_layout.h"

namespace quonel {

class TSkinData;

class TSkinCaption : public TComponent {
 public:
  explicit TSkinCaption(TComponent* owner);
  ~TSkinCaption() override;
  const wchar_t* ClassName() const override { return L"TSkinCaption"; }

  bool Active() const { return active_; }
  // Every skinned window of the thread repaints its frame.
  void SetActive(bool active);
  const std::wstring& Author() const { return author_; }
  uint8_t SkinAlpha() const { return skinAlpha_; }
  void SetSkinAlpha(uint8_t alpha) { skinAlpha_ = alpha; }

  // The warning about a missing skin data component is decided here, when
  // every stored component exists, so the stored order does not matter.
  void Loaded() override;

  // Whether any live caption component is Active.
  static bool RenderingOn();
  // The translucency of the last loaded component (0: opaque).
  static uint8_t UnitSkinAlpha();

 private:
  bool active_ = true;
  std::wstring author_;
  uint8_t skinAlpha_ = 0;
};

inline constexpr const wchar_t* kSkinCaptionAuthor = L"Quonel skin engine";
extern const wchar_t* const kMissingSkinDataWarning;

// Where the caption text goes and how it looks.
struct CaptionTextParams {
  const TSkinData* data = nullptr;
  std::wstring text;
  int windowWidth = 0;
  FrameBorders borders;
  int rightLimit = 0;  // left side of the right-aligned caption buttons, 0: none
  bool active = true;
};
// The caption text's box for these parameters (window coordinates).
Rect CaptionTextRect(const CaptionTextParams& params);
// Draws the caption text into the caption strip; nothing while rendering is off.
void DrawCaptionText(HDC strip, const CaptionTextParams& params);

// Makes the window translucent through the layered style when alpha > 0 and
// the platform has the call; false otherwise.
bool ApplySkinAlpha(HWND window, uint8_t alpha);

// Registers TSkinCaption for stored layouts.
void RegisterSkinCaptionClass();

}  // namespace quonel
