#include "skin/controls/control_skin_factory.h"

#include <cwctype>

#include "skin/controls/tabs/skin_adv_page.h"
#include "skin/controls/buttons/skin_boxes.h"
#include "skin/controls/buttons/skin_button.h"
#include "skin/controls/text_entry/skin_combo_box.h"
#include "skin/controls/text_entry/skin_date_time.h"
#include "skin/controls/text_entry/skin_edit.h"
#include "skin/controls/buttons/skin_glyph_buttons.h"
#include "skin/controls/buttons/skin_group_box.h"
#include "skin/controls/scrolling/skin_header.h"
#include "skin/controls/scrolling/skin_list_view.h"
#include "skin/controls/buttons/skin_mark_buttons.h"
#include "skin/controls/buttons/skin_obj_image.h"
#include "skin/controls/bars/skin_progress.h"
#include "skin/controls/scrolling/skin_scroll_control.h"
#include "skin/controls/scrolling/skin_scrollbar.h"
#include "skin/controls/bars/skin_status_bar.h"
#include "skin/controls/tabs/skin_tab_buttons.h"
#include "skin/controls/tabs/skin_tabs.h"
#include "skin/controls/bars/skin_tool_bar.h"
#include "skin/controls/bars/skin_track_bar.h"
#include "skin/controls/buttons/skin_media_player.h"
#include "skin/controls/scrolling/skin_embedded_scrollbars.h"
#include "skin/controls/tabs/skin_tab_set.h"
#include "skin/controls/text_entry/skin_up_down.h"

namespace quonel {

std::unique_ptr<TSkinControl> CreateControlSkin(const std::wstring& kind) {
  std::wstring name = kind;
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  if (name == L"button") return std::make_unique<TSkinButton>();
  if (name == L"bitbtn") return std::make_unique<TSkinBitButton>();
  if (name == L"pngbitbtn") return std::make_unique<TSkinBitButton>(L"PngImage");
  if (name == L"mediaplayer") return std::make_unique<TSkinMP>();
  if (name == L"menubtn") return std::make_unique<TSkinMenuButton>();
  if (name == L"speedbutton") return std::make_unique<TSkinSpeedButton>();
  if (name == L"checkbox") return std::make_unique<TSkinCheckBox>();
  if (name == L"radiobutton") return std::make_unique<TSkinRadioButton>();
  // A group of radio buttons or check boxes: its buttons are skinned on their own.
  if (name == L"groupbox" || name == L"radiogroup" || name == L"checkgroup") return std::make_unique<TSkinGroupBox>();
  if (name == L"panel" || name == L"form") return std::make_unique<TSkinBox>();
  if (name == L"dialog" || name == L"boxh") return std::make_unique<TSkinBoxH>();
  if (name == L"progress") return std::make_unique<TSkinProgress>();
  if (name == L"statusbar") return std::make_unique<TSkinStatusBar>();
  if (name == L"toolbar") return std::make_unique<TSkinToolBar>();
  if (name == L"sizer") return std::make_unique<TSkinSizer>();
  if (name == L"trackbar") return std::make_unique<TSkinTrackBar>();
  if (name == L"tab") return std::make_unique<TSkinTab>();
  if (name == L"tab31") return std::make_unique<TSkinTab31>();
  if (name == L"objimage1") return std::make_unique<TSkinObjImage>(1);
  if (name == L"objimage2") return std::make_unique<TSkinObjImage>(2);
  if (name == L"objimage3") return std::make_unique<TSkinObjImage>(3);
  if (name == L"tabbtn") return std::make_unique<TSkinTabBtn>();
  if (name == L"advpagecontrol") return std::make_unique<TSkinAdvPage>();
  if (name == L"tabsheet") return std::make_unique<TSkinTabSheet>();
  if (name == L"header") return std::make_unique<TSkinHeader>();
  if (name == L"updown") return std::make_unique<TSkinUpDown>();
  if (name == L"edit") return std::make_unique<TSkinEdit>();
  if (name == L"combobox" || name == L"comboboxex") return std::make_unique<TSkinComBox>();
  if (name == L"datetimepicker") return std::make_unique<TSkinDateTime>();
  if (name == L"scrollbar" || name == L"singlescrollbar") return std::make_unique<TSkinScrollbar>();
  if (name == L"scrollbox") return std::make_unique<TSkinScrollbar>();
  if (name == L"embedscrollbar") return std::make_unique<TSkinEmbeddedScrollbars>();
  if (name == L"listview") return std::make_unique<TSkinListView>();
  if (name == L"scrollbarcontrol") return std::make_unique<TSkinScControl>();
  return nullptr;
}

std::wstring ControlSkinKindForWindow(HWND window) {
  wchar_t className[64] = {};
  if (!window || !GetClassNameW(window, className, 64)) return {};
  return BareWindowChoice(className, static_cast<uint32_t>(GetWindowLongPtrW(window, GWL_STYLE))).kind;
}

}  // namespace quonel
