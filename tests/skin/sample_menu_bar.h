// The menu bar of the menu test forms: File (Open, Exit), Edit (Copy), an
// item without caption, Help (About), and Go, a top-level item without
// drop-down. The items belong to the form.
#pragma once
#include <string>

#include "ui/form.h"
#include "ui/menu.h"

namespace quonel::testing {

struct SampleMenuItems {
  TMainMenu* bar = nullptr;
  TMenuItem *file = nullptr, *open = nullptr, *exit = nullptr, *edit = nullptr, *help = nullptr, *go = nullptr;
};

// Builds the bar and makes it the form's menu.
inline SampleMenuItems AddSampleMenuBar(TForm& form) {
  auto add = [&form](TMenuItem& parent, const std::wstring& caption) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  };
  SampleMenuItems menu;
  menu.bar = new TMainMenu(&form);
  TMenuItem& top = *menu.bar->Items();
  menu.file = add(top, L"&File");
  menu.open = add(*menu.file, L"&Open");
  menu.exit = add(*menu.file, L"E&xit");
  menu.edit = add(top, L"&Edit");
  add(*menu.edit, L"&Copy");
  add(top, L"");
  menu.help = add(top, L"&Help");
  add(*menu.help, L"&About");
  menu.go = add(top, L"&Go");
  form.SetMenu(menu.bar);
  return menu;
}

}  // namespace quonel::testing
