// SkinnedFrame: everything the skinned frame of one top-level window does,
// behind TSkinForm. It puts a subclass link in front of the window, takes
// over the non-client area (size, paint, activation, hit testing, mouse),
// draws edges, caption strip, caption buttons and caption text from the skin
// data, shapes the window with a region, runs the caption buttons' actions
// and the skinned system menu, shows the window's menu as a skinned bar under
// the caption, keeps the form's menus drawn by the skin, and picks a skin for
// each child control.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/liveness.h"
#include "skin/frame/caption_button.h"
#include "skin/frame/control_skin_dispatch.h"
#include "skin/frame/frame_layout.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/frame_region.h"
#include "skin/frame/skin_caption.h"
#include "skin/frame/skin_menu_bar.h"
#include "skin/frame/skinned_menu_items.h"
#include "skin/controls/skin_control.h"
#include "ui/control.h"
#include "ui/window_subclass.h"

namespace quonel {

class TSkinData;
class TCustomForm;
class SystemMenuPopup;

// The life of a frame: attached (waiting for its deferred set-up), ready,
// refreshing after a new skin, closing, resizing to its borders, closed.
enum class FrameState { Attached = 0, Ready = 1, Refreshing = 3, Closing = 4, Resizing = 5, Closed = 6 };

// A control and the skin the dispatch table chose for it; the frame owns the
// skin, or only watches one that the program's OnSkinControl handler made.
struct ChosenControlSkin {
  TControl* control = nullptr;
  HWND window = nullptr;
  std::wstring kind;
  bool attached = false;
  std::unique_ptr<TSkinControl> skin;
  TSkinControl* custom = nullptr;
  std::optional<TLiveness::Watch> customAlive;
  // The skin while it exists: the owned one, or the handler's until it is freed.
  TSkinControl* Live() const {
    if (skin) return skin.get();
    return custom && customAlive && customAlive->Alive() ? custom : nullptr;
  }
};

class SkinnedFrame : public TNCObjectHost {
 public:
  SkinnedFrame();
  ~SkinnedFrame() override;
  SkinnedFrame(const SkinnedFrame&) = delete;
  SkinnedFrame& operator=(const SkinnedFrame&) = delete;

  void AttachWindow(HWND window, TSkinData* data, TCustomForm* form);
  void InitFrame();
  void RefreshSkin();
  void DetachWindow();
  void SetMdiCaptionHidden(bool hidden);
  // An MDI frame: its MDI client window, and whether the active child is
  // maximised (its buttons are then in the menu bar).
  HWND MdiClient() const { return mdiClient_; }
  bool MdiChildMaximised() const { return mdiMaximised_; }

  HWND Window() const override { return window_; }
  TSkinData* SkinData() const { return data_; }
  TCustomForm* Form() const { return form_; }
  const std::wstring& ClassName() const { return className_; }
  FrameState State() const { return state_; }
  void SetState(FrameState state) { state_ = state; }

  // Recomputes the borders and rebuilds the caption buttons.
  void UpdateBorders();
  // Draws the frame into dc (a whole-window DC), or on the window when null.
  void PaintNonClient(HDC dc = nullptr);
  void UpdateRegion(bool redraw = true);
  // Sizes the window around a client area of that size.
  void AdjustWindowSize(SIZE client);
  void SkinChildControls(TCustomForm& form);
  void SkinControl(TControl& control, TWinControl* container);
  // A window without control object skins its child windows by the
  // bare-window table, a container's children before the container.
  void SkinBareChildren(HWND parent);
  // One such child window, by its class and style (a size grip made late
  // passes the style it is being created with).
  void SkinBareWindow(HWND child, DWORD style);
  // The skin of kind attached to a library control (its window not forced
  // into being) or to a bare window; null when the kind has no skin.
  std::unique_ptr<TSkinControl> AttachSkin(const std::wstring& kind, TControl* control, HWND window, bool recolour);
  // Frees the control skins whose windows are gone.
  void PurgeClosedSkins();
  // Every control skin takes the (new) skin again.
  void ReapplyControlSkins();
  // What the program's OnSkinControl handler gets as Sender: the TSkinForm.
  void SetSender(TComponent* sender) { sender_ = sender; }
  // Every control skin detached (each gives its control back what it
  // changed) while its window lives, then freed.
  void FreeControlSkins();
  // Pops the skinned system menu up at a screen point.
  void ShowSystemMenu(POINT screenPoint);

  BorderKind Kind() const { return kind_; }
  const FrameBorders& Borders() const { return borders_; }
  int MenuHeight() const { return menuHeight_; }
  bool Active() const { return active_; }
  const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return buttons_; }
  const std::vector<ChosenControlSkin>& Controls() const { return controls_; }
  // The skinned menu bar, null when the window shows no menu.
  TSkinMenuBar* MenuBar() const { return menuBar_.get(); }
  TNCObject* HotObject() const override { return hot_; }
  void SetHotObject(TNCObject* object) override;
  // The caption strip's text; replaceable by whoever renders captions
  // differently. Its failures are the painter's to drop.
  std::function<void(HDC strip, const CaptionTextParams& params)> CaptionPainter = DrawCaptionText;

 private:
  void HandleMessage(TWindowSubclass& link, TMessage& message);
  bool HandleNonClient(TWindowSubclass& link, TMessage& message);
  void HandleNcCalcSize(TWindowSubclass& link, TMessage& message);
  void HandleSetText(TWindowSubclass& link, TMessage& message);
  void HandleSysCommand(TWindowSubclass& link, TMessage& message);
  void HandleActivation(TMessage& message);
  void HandleFormMessage(TMessage& message);
  // A dialog character the form left unhandled: Alt with a bar button's
  // accelerator opens its menu, anything else goes to the MDI frame's form
  // (from an MDI child) or to the program's main form.
  void ForwardDialogChar(TMessage& message);
  void Closing(TWindowSubclass& link, TMessage& message);
  void UndoSkin(bool closing);

  // Mouse over the non-client area.
  POINT WindowPoint(LPARAM screenPoint) const;
  TWinSysButton* ButtonAt(POINT windowPoint) const;
  bool MouseMove(LPARAM screenPoint);
  bool LeftButtonDown(TMessage& message);
  bool LeftButtonUp(LPARAM screenPoint);
  bool DoubleClick(TMessage& message);
  void PerformAction(const TWinSysButton& button, POINT screenPoint);
  void CheckHover();
  // The hover check runs while a caption or menu-bar button is hot.
  void UpdateHoverTimer();
  // The bar's button under a window point, -1 for none (or no bar).
  int MenuBarButtonAt(POINT windowPoint) const;
  bool OpenMenuByKey(wchar_t key);
  void ReleaseMenus(bool closing);
  void PostSystemCommand(WPARAM command);

  CaptionState CurrentCaptionState() const;
  void LayOutButtons(int windowWidth);
  void PaintFrame(HDC dc, int width, int height);
  void ReadPlacement();
  HICON WindowIcon() const;
  // True when the window's style changed.
  bool ShowNativeCaption(bool show);
  // The MDI client's messages pass through the frame: children made,
  // destroyed, maximised and restored, and SKM_REDRAWMDI.
  void AttachMdiClient();
  void HandleMdiClientMessage(TWindowSubclass& link, TMessage& message);
  void MdiChildrenChanged();
  // The MDI buttons the menu bar shows while a child is maximised.
  void PaintMdiButtons(HDC dc);
  TWinSysButton* MdiButtonAt(POINT windowPoint) const;
  // The MDI client's scroll bars get their skin (xoMDIScrollbar).
  void SkinMdiScrollbars();
  // Alt+'-' typed anywhere in the MDI frame while a child is maximised:
  // that child's system menu opens.
  bool OpenMaximisedChildMenu();

  HWND window_ = nullptr;
  TSkinData* data_ = nullptr;
  TCustomForm* form_ = nullptr;
  TComponent* sender_ = nullptr;
  std::wstring className_;
  TWindowSubclass link_;
  TWndMethod savedFormHandler_;
  FrameState state_ = FrameState::Attached;
  bool attachedOnce_ = false;
  bool frameOn_ = false;
  bool systemDialog_ = false;
  bool mdiChild_ = false;
  bool nativeCaptionHidden_ = false;
  bool rightToLeft_ = false;
  BorderKind kind_ = BorderKind::Fixed;
  // Border icons as the window had them when attached.
  bool systemMenu_ = false, minimiseBox_ = false, maximiseBox_ = false;
  int placement_ = 0;  // 0 normal, 1 maximised, 2 minimised
  bool active_ = false;
  // The frame has been painted on the window at least once.
  bool framePainted_ = false;
  FrameBorders borders_;
  int menuHeight_ = 0;
  int rightLimit_ = 0;
  SIZE clientSize_{};
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  TNCObject* hot_ = nullptr;
  bool hoverTimer_ = false;
  bool trackingMenu_ = false;
  DWORD lastMenuTime_ = 0;
  bool menuShownOnce_ = false;
  std::vector<ChosenControlSkin> controls_;
  FrameRegion region_;
  CaptionStrip strip_;
  TColor savedColour_ = 0;
  bool colourSaved_ = false;
  std::unique_ptr<SystemMenuPopup> systemMenu;
  std::unique_ptr<TSkinMenuBar> menuBar_;
  HWND mdiClient_ = nullptr;
  TWindowSubclass mdiClientLink_;
  bool mdiMaximised_ = false;
  std::vector<std::unique_ptr<TSkinnedMenu>> skinnedMenus_;
  // Watched across the menu loops of the system menu and the menu bar.
  TLiveness liveness_;
};

}  // namespace quonel
