#include "ui/standard_classes.h"

#include "ui/bars.h"
#include "ui/bit_btn.h"
#include "ui/bitmap.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/date_time_picker.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/gauge.h"
#include "ui/graphic_control.h"
#include "ui/group_box.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/list_view.h"
#include "ui/mdi_forms.h"
#include "ui/media_player.h"
#include "ui/notebook.h"
#include "ui/page_control.h"
#include "ui/panel.h"
#include "ui/radio_button.h"
#include "ui/radio_group.h"
#include "ui/scroll_controls.h"
#include "ui/speed_button.h"
#include "ui/tab_control.h"
#include "ui/tool_bar.h"
#include "core/component_class.h"
#include "core/property_registry.h"

namespace quonel {

namespace {

void RegisterBaseClasses() {
  RegisterComponentClass();
  ClassRegistrar<TFont>(L"TFont", L"")
      .Text(L"Name", [](TFont& f) { return f.Name(); }, [](TFont& f, const std::wstring& v) { f.SetName(v); })
      .Integer(L"Height", [](TFont& f) { return f.Height(); },
               [](TFont& f, int64_t v) { f.SetHeight(static_cast<int>(v)); })
      .Integer(L"Charset", [](TFont& f) { return f.Charset(); },
               [](TFont& f, int64_t v) { f.SetCharset(static_cast<int>(v)); }, CharsetFromIdent)
      .Integer(L"Color", [](TFont& f) { return f.Color(); },
               [](TFont& f, int64_t v) { f.SetColor(static_cast<TColor>(v)); }, ColorFromIdent)
      .SetOf(L"Style", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"},
             [](TFont& f) { return f.Style(); }, [](TFont& f, int64_t v) { f.SetStyle(static_cast<unsigned>(v)); });
  ClassRegistrar<TControl>(L"TControl", L"TComponent")
      .Integer(L"Left", [](TControl& c) { return c.Left(); },
               [](TControl& c, int64_t v) { c.SetLeft(static_cast<int>(v)); })
      .Integer(L"Top", [](TControl& c) { return c.Top(); }, [](TControl& c, int64_t v) { c.SetTop(static_cast<int>(v)); })
      .Integer(L"Width", [](TControl& c) { return c.Width(); },
               [](TControl& c, int64_t v) { c.SetWidth(static_cast<int>(v)); })
      .Integer(L"Height", [](TControl& c) { return c.Height(); },
               [](TControl& c, int64_t v) { c.SetHeight(static_cast<int>(v)); })
      .Boolean(L"Visible", [](TControl& c) { return c.Visible(); }, [](TControl& c, bool v) { c.SetVisible(v); })
      .Boolean(L"Enabled", [](TControl& c) { return c.Enabled(); }, [](TControl& c, bool v) { c.SetEnabled(v); })
      .Text(L"Caption", [](TControl& c) { return c.Caption(); },
            [](TControl& c, const std::wstring& v) { c.SetCaption(v); })
      .Text(L"Text", [](TControl& c) { return c.Text(); },
            [](TControl& c, const std::wstring& v) { c.SetTextProperty(v); })
      .Integer(L"Color", [](TControl& c) { return c.Color(); },
               [](TControl& c, int64_t v) { c.SetColor(static_cast<TColor>(v)); }, ColorFromIdent)
      .Boolean(L"ParentColor", [](TControl& c) { return c.ParentColor(); },
               [](TControl& c, bool v) { c.SetParentColor(v); })
      .Object(L"Font", [](TControl& c) { return &c.Font(); })
      .Boolean(L"ParentFont", [](TControl& c) { return c.ParentFont(); },
               [](TControl& c, bool v) { c.SetParentFont(v); })
      .Text(L"Hint", [](TControl& c) { return c.Hint(); }, [](TControl& c, const std::wstring& v) { c.SetHint(v); })
      .Boolean(L"ShowHint", [](TControl& c) { return c.ShowHint(); }, [](TControl& c, bool v) { c.SetShowHint(v); })
      .Enumeration(L"BiDiMode",
                   {L"bdLeftToRight", L"bdRightToLeft", L"bdRightToLeftNoAlign", L"bdRightToLeftReadingOnly"},
                   [](TControl& c) { return static_cast<int>(c.BiDiMode()); },
                   [](TControl& c, int64_t v) { c.SetBiDiMode(static_cast<TBiDiMode>(v)); });
  ClassRegistrar<TWinControl>(L"TWinControl", L"TControl")
      .Integer(L"TabOrder", [](TWinControl& c) { return c.TabOrder(); },
               [](TWinControl& c, int64_t v) { c.SetTabOrder(static_cast<int>(v)); })
      .Boolean(L"TabStop", [](TWinControl& c) { return c.TabStop(); }, [](TWinControl& c, bool v) { c.SetTabStop(v); })
      .Boolean(L"Ctl3D", [](TWinControl& c) { return c.Ctl3D(); }, [](TWinControl& c, bool v) { c.SetCtl3D(v); })
      .Container([](TWinControl& parent, TComponent& child) {
        auto* control = dynamic_cast<TControl*>(&child);
        // Non-visual components may stand anywhere in a layout; they have no parent.
        if (control) control->SetParent(&parent);
      });
  ClassRegistrar<TGraphicControl>(L"TGraphicControl", L"TControl");
  ClassRegistrar<TCustomForm>(L"TCustomForm", L"TWinControl")
      .Enumeration(L"BorderStyle", {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"},
                   [](TCustomForm& f) { return static_cast<int>(f.BorderStyle()); },
                   [](TCustomForm& f, int64_t v) { f.SetBorderStyle(static_cast<TFormBorderStyle>(v)); })
      .SetOf(L"BorderIcons", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"},
             [](TCustomForm& f) { return f.BorderIcons(); },
             [](TCustomForm& f, int64_t v) { f.SetBorderIcons(static_cast<unsigned>(v)); })
      .Enumeration(L"Position",
                   {L"poDesigned", L"poDefault", L"poDefaultPosOnly", L"poDefaultSizeOnly", L"poScreenCenter",
                    L"poDesktopCenter", L"poMainFormCenter", L"poOwnerFormCenter"},
                   [](TCustomForm& f) { return static_cast<int>(f.Position()); },
                   [](TCustomForm& f, int64_t v) { f.SetPosition(static_cast<TPosition>(v)); })
      .Integer(L"ClientWidth", [](TCustomForm& f) { return f.ClientWidth(); },
               [](TCustomForm& f, int64_t v) { f.SetClientWidth(static_cast<int>(v)); })
      .Integer(L"ClientHeight", [](TCustomForm& f) { return f.ClientHeight(); },
               [](TCustomForm& f, int64_t v) { f.SetClientHeight(static_cast<int>(v)); });
  ClassRegistrar<TForm>(L"TForm", L"TCustomForm");
}

}  // namespace

void RegisterStandardClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterBaseClasses();
  RegisterBitmapClass();
  RegisterButtonClass();
  RegisterBitBtnClass();
  RegisterSpeedButtonClass();
  RegisterCheckBoxClass();
  RegisterRadioButtonClass();
  RegisterLabelClass();
  RegisterListBoxClass();
  RegisterEditClasses();
  RegisterListViewClasses();
  RegisterGroupBoxClass();
  RegisterPanelClass();
  RegisterNotebookClasses();
  RegisterGaugeClass();
  RegisterComboBoxClasses();
  RegisterDateTimePickerClass();
  RegisterBarClasses();
  RegisterTabClasses();
  RegisterPageControlClasses();
  RegisterScrollClasses();
  RegisterButtonGroupClasses();
  RegisterToolBarClass();
  RegisterMediaPlayerClass();
  RegisterMdiFormClasses();
  RegisterImageListClass();
}

}  // namespace quonel
