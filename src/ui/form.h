// Forms: top-level windows with a border style, border icons, a start
// position and a client size, built from their stored layout, with the
// creation, show, activation and close events; and the screen's list of forms.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace quonel {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// Set members by ordinal: bit (1 << ordinal).
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;

class TMainMenu;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  const wchar_t* ClassName() const override { return L"TCustomForm"; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  RECT ClientRect() const override;
  TMainMenu* Menu() const { return menu_; }
  // The form shows this menu bar; the form does not own it.
  void SetMenu(TMainMenu* menu);

  // The focused control of the form, restored when the form is activated again.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);

  // Runs the creation event; called once the form and its layout are built.
  void AfterConstruction();
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the message that asked for it has been handled.
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void VisibleChanged() override;
  void Notification(TComponent* component, Operation operation) override;

 private:
  void FitClientSize();
  void SelectNext(bool backward);
  bool DialogKey(TMessage& message);
  void FirstPainted();
  // Placed in the middle of the screen when shown.
  bool Centred() const;
  static POINT CentredPlace(int width, int height);

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = TPosition::poDesigned;
  int clientWidth_ = -1;
  int clientHeight_ = -1;
  // Menu clicks and the measure and draw requests of owner-drawn items.
  bool MenuMessage(TMessage& message);
  HMENU MenuHandle() const;

  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  bool created_ = false;
  bool painted_ = false;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
  const wchar_t* ClassName() const override { return L"TForm"; }
};

// The forms that exist, in order of creation.
class TScreen {
 public:
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
  // The form whose window is the active window, else nullptr.
  TCustomForm* ActiveForm() const;

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
};

TScreen& Screen();

}  // namespace quonel
