#include "skin/data/skin_data_class.h"

#include "skin/data/skin_data.h"
#include "core/component_class.h"
#include "core/property_registry.h"

namespace quonel {

void RegisterSkinDataClass() {
  RegisterComponentClass();
  ClassRegistrar<TSkinData>(L"TSkinData", L"TComponent")
      .Creatable()
      .Boolean(L"Active", [](TSkinData& d) { return d.Active(); }, [](TSkinData& d, bool v) { d.SetActive(v); })
      .Integer(L"DisableTag", [](TSkinData& d) { return d.DisableTag(); },
               [](TSkinData& d, int64_t v) { d.SetDisableTag(static_cast<int>(v)); })
      .SetOf(L"SkinControls",
             {L"xcMainMenu", L"xcPopupMenu", L"xcMenuItem", L"xcToolbar", L"xcControlbar", L"xcCombo",
              L"xcCheckBox", L"xcRadioButton", L"xcProgress", L"xcScrollbar", L"xcEdit", L"xcButton", L"xcBitBtn",
              L"xcSpeedButton", L"xcSpin", L"xcPanel", L"xcGroupBox", L"xcStatusBar", L"xcTab", L"xcTrackBar",
              L"xcSystemMenu", L"xcFastReport"},
             [](TSkinData& d) { return d.SkinControls(); },
             [](TSkinData& d, int64_t v) { d.SetSkinControls(static_cast<TSkinControlTypes>(v)); })
      .SetOf(L"Options",
             {L"xoMDIScrollbar", L"xoMenuMerge", L"xoTransparent", L"xoPreview", L"xoParentBackGround",
              L"xoNoFocusRect", L"xoToolbarBK", L"xoMDIChildBorder", L"xoMenuBG", L"xoFormScrollbar"},
             [](TSkinData& d) { return d.Options(); },
             [](TSkinData& d, int64_t v) { d.SetOptions(static_cast<TSkinOptions>(v)); })
      .Lines(L"Skin3rd",
             [](TSkinData& d, const std::vector<std::wstring>& lines) {
               d.Skin3rd().Clear();
               d.Skin3rd().AddStrings(lines);
             })
      .Text(L"SkinFile", [](TSkinData& d) { return d.SkinFile(); },
            [](TSkinData& d, const std::wstring& v) { d.SetSkinFile(v); })
      // Read-only indicators: a stored or written value has no effect.
      .Text(L"SkinStore", [](TSkinData& d) { return d.SkinStore(); }, [](TSkinData&, const std::wstring&) {})
      .Enumeration(L"SkinFormtype", {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"},
                   [](TSkinData& d) { return static_cast<int>(d.SkinFormtype()); },
                   [](TSkinData& d, int64_t v) { d.SetSkinFormtype(static_cast<TSkinFormType>(v)); })
      .Text(L"Version", [](TSkinData& d) { return d.Version(); }, [](TSkinData&, const std::wstring&) {})
      .Boolean(L"MenuUpdate", [](TSkinData& d) { return d.MenuUpdate(); },
               [](TSkinData& d, bool v) { d.SetMenuUpdate(v); })
      .Boolean(L"MenuMerge", [](TSkinData& d) { return d.MenuMerge(); },
               [](TSkinData& d, bool v) { d.SetMenuMerge(v); })
      .Bytes(L"SkinStream", [](TSkinData& d, const std::string& v) { d.ReadSkinStreamProperty(v); });
}

}  // namespace quonel
