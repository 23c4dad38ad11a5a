#include "skin/controls/scrolling/skin_embedded_scrollbars.h"

#include "skin/controls/scrolling/skin_scrollbar.h"
#include "skin/skin_messages.h"

namespace quonel {

namespace {

bool HasScrollBars(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (style & (WS_VSCROLL | WS_HSCROLL)) return true;
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (_wcsicmp(name, L"ListBox") == 0) return true;
  return _wcsicmp(name, L"Edit") == 0 && (style & ES_MULTILINE);
}

}  // namespace

TSkinEmbeddedScrollbars::TSkinEmbeddedScrollbars() = default;
TSkinEmbeddedScrollbars::~TSkinEmbeddedScrollbars() = default;

void TSkinEmbeddedScrollbars::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  SkinScrolledChildren();
}

void TSkinEmbeddedScrollbars::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  SkinScrolledChildren();
}

void TSkinEmbeddedScrollbars::Detach() {
  for (auto& child : children_)
    if (child->GetLifeState() == kAttached) child->Detach();
  children_.clear();
  TSkinControl::Detach();
}

void TSkinEmbeddedScrollbars::SkinChanged() {
  for (auto& child : children_)
    if (child->GetLifeState() == kAttached) child->SkinChanged();
  TSkinControl::SkinChanged();
}

void TSkinEmbeddedScrollbars::SkinScrolledChildren() {
  const HWND window = Window();
  if (GetLifeState() != kAttached || !window) return;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!HasScrollBars(child) || SendMessageW(child, SKM_ISSKINNED, 0, 0) == 1) continue;
    auto skin = std::make_unique<TSkinScrollbarH>();
    skin->AttachHandle(child, SkinData(), Form());
    if (skin->GetLifeState() == kAttached) children_.push_back(std::move(skin));
  }
}

}  // namespace quonel
