// TSkinData: the component a form carries to be skinned. It keeps the
// compressed skin (stored with the form or read from a skin file), the skin
// objects built from it in their slots, the skin-wide colours and the empty
// flag, and the stored switches that say what is skinned.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/skin_data_options.h"
#include "skin/data/skin_objects.h"
#include "core/component.h"
#include "core/strings.h"

namespace quonel {

class TControl;
class TQuickIni;
class TSkinReader;
class TSkinData;

using TOnFormSkin = std::function<void(TComponent* sender, const std::wstring& aName, bool& DoSkin)>;
using TOnSkinForm = std::function<void(TComponent* sender, HWND ahwnd, const std::wstring& aName)>;
using TOnSkinControl = std::function<void(TComponent* sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                                          const std::wstring& ControlClass, TComponent*& SkinnedControl)>;

inline constexpr const wchar_t* kSkinDataVersion = L"4.11.07.25";

// The default Skin3rd list of every new component.
const std::vector<std::wstring>& DefaultSkin3rd();

// The objects of the skin table, in build order.
enum class SkinSlot {
  Progress, ProgressChunk, MenuBar, GroupBoxEdge, GroupBox, Tabs, StatusBar, TabPane, ToolBars,
  ComboButton, SunkEdge, ExtraImages, Header, MenuItem, MenuBackground, Scrollbar, HorzScroll,
  VertScroll, HorzScrollThumb, VertScrollThumb, TrackThumbHorz, TrackThumbVert, TrackThumbLeft,
  TrackThumbRight, TrackThumbUp, TrackThumbDown, UpDownHorz, UpDownVert, Track, TrackVert,
};
constexpr int kSkinSlotCount = static_cast<int>(SkinSlot::TrackVert) + 1;

// The sixteen named colours of [Colours].
struct TSkinColours {
  TColor WindowText, ButtonFace, Scrollbar, HilightText, Hilight, MenuBar, Menu, MenuText, ButtonText,
      ButtonHilight, ButtonLight, ButtonShadow, ButtonDkShadow, MenuBarText, TitleTextActive, TitleTextNoActive;
};

enum class FrameEdge { Left, Right, Top, Bottom };

class TSkinData : public TComponent {
 public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;
  const wchar_t* ClassName() const override { return L"TSkinData"; }

  // Set at creation and at the start of every load; cleared only when a
  // skin has been built completely.
  bool Empty() const { return empty_; }

  // The compressed archive the next LoadSkin reads.
  const std::string& SkinStream() const { return skinStream_; }
  void SetSkinStream(std::string compressed) { skinStream_ = std::move(compressed); }
  // The stored SkinStream property: a 32-bit length, then that many bytes of
  // archive. Reading it loads the skin at once (not at design time); a
  // length beyond the stored bytes stores no skin.
  void ReadSkinStreamProperty(const std::string& stored);
  std::string SkinStreamProperty() const;
  // Decodes the archive and builds every object; false (the previous
  // objects kept, the empty flag set) when the archive cannot be read.
  bool LoadSkin();
  // Builds every object from a description and its archive's members.
  void BuildSkinObjects(const TQuickIni& ini, const TSkinReader& reader);
  // Where the archive's version message goes; unset: the platform's box.
  std::function<void(const std::wstring&)> ShowMessage;

  const std::string& SkinName() const { return skinName_; }
  // The slot's object, or null when the skin has none.
  TDataSkinObject* Slot(SkinSlot slot) const { return slots_[static_cast<int>(slot)].get(); }
  template <typename T>
  T* SlotAs(SkinSlot slot) const { return dynamic_cast<T*>(Slot(slot)); }
  // The four frame edges, the push buttons and the caption always exist.
  TDataSkinObject& Edge(FrameEdge edge) const { return *edges_[static_cast<int>(edge)]; }
  TDataSkinButton& Buttons() const { return *buttons_; }
  TDataSkinTitle& Title() const { return *title_; }
  // Caption buttons in description order, then the three MDI buttons.
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const { return captionButtons_; }
  // Always present after a build.
  TDataSkinObject* ComboxArrow() const { return comboxArrow_.get(); }
  TDataSkinObject* Toolbar() const { return toolbar_.get(); }

  // Stored properties.
  bool Active() const { return active_; }
  void SetActive(bool active);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int tag) { disableTag_ = tag; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes controls) { skinControls_ = controls & kAllSkinControls; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions options) { options_ = options & (SetBit(xoFormScrollbar + 1) - 1); }
  TStringList& Skin3rd() { return skin3rd_; }
  const std::wstring& SkinFile() const { return skinFile_; }
  // At run time an existing file replaces the skin; a missing one changes nothing.
  void SetSkinFile(const std::wstring& path);
  // "(Good)" only where a designer shows it; at run time always "(none)".
  std::wstring SkinStore() const;
  TSkinFormType SkinFormtype() const { return skinFormtype_; }
  void SetSkinFormtype(TSkinFormType type) { skinFormtype_ = type; }
  std::wstring Version() const { return kSkinDataVersion; }
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool update) { menuUpdate_ = update; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool merge) { menuMerge_ = merge; }

  TOnFormSkin OnFormSkin;
  std::function<void(TComponent* sender)> OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  // After every stored property of the form is read: settles the switches,
  // makes the caption font and hands over to the skin manager.
  void Loaded() override;
  // Whether a window of that class is skinned: OnFormSkin alone decides when
  // assigned; otherwise month calendars, and report previews when
  // xcFastReport is set, are not.
  void DecideFormSkin(HWND window, const std::wstring& className, bool& doSkin);
  HWND DecidingWindow() const { return decidingWindow_; }
  // Every window skin that uses this component rebuilds from the new skin
  // (first hands over to the manager when the component never did).
  void ApplyNewSkin();
  // Fired by the manager after each scheduled command.
  void SkinChanged();

  HFONT CaptionFont() const { return captionFont_.Get(); }
  // The program's small icon on magenta (the transparent colour), for
  // windows that have no icon of their own; empty until Loaded finds one.
  const SkinBitmap& ApplicationIcon() const { return applicationIcon_; }
  void SetApplicationIcon(SkinBitmap icon) { applicationIcon_ = std::move(icon); }

  const TSkinColours& Colours() const { return colours_; }
  const std::vector<TColor>& ColourTable() const { return colourTable_; }
  const std::array<TColor, 10>& CustomColours() const { return customColours_; }
  TColor TitleColour() const { return titleColour_; }
  HBRUSH FaceBrush() const { return faceBrush_.Get(); }
  // The 64 x 16 strip of menu glyphs: restore, maximise, minimise, close.
  const SkinBitmap& MenuGlyphs() const { return menuGlyphs_; }

 private:
  friend class SkinBuilder;

  void BuildApplicationIcon();

  bool empty_ = true;
  bool active_ = false;
  int disableTag_ = 99;
  TSkinControlTypes skinControls_ = kDefaultSkinControls;
  TSkinOptions options_ = kDefaultSkinOptions;
  TStringList skin3rd_;
  std::wstring skinFile_;
  TSkinFormType skinFormtype_ = TSkinFormType::sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;
  HWND decidingWindow_ = nullptr;
  GdiObject<HFONT> captionFont_;
  std::string skinStream_;
  std::string skinName_;
  std::array<std::unique_ptr<TDataSkinObject>, kSkinSlotCount> slots_;
  std::array<std::unique_ptr<TDataSkinObject>, 4> edges_;
  std::unique_ptr<TDataSkinButton> buttons_;
  std::unique_ptr<TDataSkinTitle> title_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> captionButtons_;
  std::unique_ptr<TDataSkinObject> comboxArrow_;
  std::unique_ptr<TDataSkinObject> toolbar_;
  TSkinColours colours_{};
  std::vector<TColor> colourTable_;
  std::array<TColor, 10> customColours_{};
  TColor titleColour_ = clBlack;
  OwnedBrush faceBrush_;
  SkinBitmap menuGlyphs_;
  SkinBitmap applicationIcon_;
};

// The platform's GetScrollBarInfo, looked up once; null on systems without
// it, whose scroll bars keep the platform's look.
using GetScrollBarInfoFunction = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
GetScrollBarInfoFunction PlatformScrollBarInfo();

}  // namespace quonel
