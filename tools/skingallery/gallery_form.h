// The gallery's main window: one area per family of controls the skin
// engine draws, every control in a state worth looking at, and a menu bar
// whose items open the windows that cannot live inside it (a common dialog,
// message boxes, an MDI parent with two children).
#pragma once
#include <string>

#include "ui/form.h"

namespace quonel {

class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TGalleryForm"; }

 private:
  void AddMenu();
  void AddButtons();
  void AddMarks();
  void AddTextEntry();
  void AddLists();
  void AddBarsAndScrolling();
  void AddTabs();
  void ShowOpenDialog();
  void ShowMessageBoxes();
  void ShowMdiParent();
};

// The button kind the gallery maps to the drop-down button skin through a
// Skin3rd line, as a skin author maps another library's classes.
constexpr const wchar_t* kMenuButtonMapping = L"TDropDownButton=menubtn";
constexpr const wchar_t* kCheckGroupMapping = L"TCheckGroup=checkgroup";

class TApplication;
class TSkinData;

// The gallery's window carrying a skin data component with archive (a skin
// file's bytes) and a caption component; null with error set when archive
// is no skin. The skin manager must be registered; the window is not shown.
TGalleryForm* CreateSkinnedGallery(TApplication& application, const std::string& archive, std::wstring& error,
                                   TSkinData** data = nullptr);

}  // namespace quonel
