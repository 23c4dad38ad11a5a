// TSkinManage: the one skin manager of the program. It knows every skin data
// component, follows the user-interface thread's windows through a CBT hook
// (created, activated, destroyed), decides which get a frame object or a
// popup-menu skin, owns those objects, and carries out the components'
// deferred commands once, from the message loop, through a one-shot timer.
//
// It is owned by the application object when there is one, so that it goes
// - hook, timer and every frame - before the application frees its forms.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/win32_owners.h"
#include "skin/data/skin_manager_link.h"
#include "ui/window_subclass.h"

namespace quonel {

class TCustomForm;
class TSkinForm;
class TSkinPopupMenu;
class SkinBitmap;

// Installs the maker the first loaded skin data component creates the manager with.
void RegisterSkinManager();
// Frees the manager now (the application object does this at its end).
void FreeSkinManager();

class TSkinManage : public TComponent, public TSkinManagerLink {
 public:
  // The value of the started field while the manager is being destroyed.
  static constexpr int kDestroying = 4;
  static constexpr UINT kInitialIntervalMs = 100;

  explicit TSkinManage(TComponent* owner);
  ~TSkinManage() override;
  const wchar_t* ClassName() const override { return L"TSkinManage"; }
  // The program's manager, or null.
  static TSkinManage* Instance();

  void Register(TSkinData& data) override;
  void Unregister(TSkinData& data) override;
  void InstallHook() override;
  void PostCommand(int command, int delayMs) override;
  void SetRequestingComponent(TSkinData* data) override { requesting_ = data; }
  void MarkStarted() override;
  void SwitchOn() override;
  bool AttachOwner(TSkinData& data) override;

  // When a new frame does its set-up: on the message posted to its window, or
  // at once (a window not shown yet, whose first paint is to be in the skin).
  enum class FrameSetUp { Posted, Now };
  // Gives the window a frame object; true when one was made.
  bool AttachForm(HWND window, FrameSetUp setUp = FrameSetUp::Posted);
  // Attaches the frame of the main form, made hidden, just before it is first shown.
  void WatchFirstShow(HWND window);
  TSkinForm* FindForm(HWND window) const;
  // Command 7 for one window: its frame goes and a new one is made.
  void ReskinWindow(HWND window, TSkinData* requesting);

  void AttachPopup(HWND window);
  void DetachPopup(HWND window);
  bool IsSkinnedPopup(HWND window) const;
  // The background of the open skinned popup showing that menu, or null.
  const SkinBitmap* PopupBackground(HMENU menu) const;
  // The open skinned popup showing that menu, or null.
  TSkinPopupMenu* FindPopup(HMENU menu) const;
  // The newest open popup skin without a menu shows this one.
  void BindPopupMenu(HMENU menu);

  // The MDI children were maximised (hidden) or restored: their frames hide
  // or show their own captions, unless the default component keeps MDI borders.
  void SetMdiCaptionsHidden(bool hidden) override;

  // Kind of the next popup menu: 0 context menu, 1 menu-bar drop-down, 2 system menu.
  int MenuSource() const { return menuSource_; }
  void SetMenuSource(int source) override { menuSource_ = source; }
  bool MenuFlag() const { return menuFlag_; }
  void SetMenuFlag(bool flag) override { menuFlag_ = flag; }

  bool Active() const { return active_; }
  int Started() const { return started_; }
  int PendingCommand() const { return pendingCommand_; }
  bool CommandScheduled() const { return timer_.Running(); }
  UINT CommandInterval() const { return interval_; }
  TSkinData* RequestingComponent() const { return requesting_; }
  TSkinData* DefaultComponent() const { return default_; }
  const std::vector<TSkinData*>& Components() const { return components_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TSkinForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)).get(); }
  int PopupCount() const { return static_cast<int>(popups_.size()); }
  HHOOK HookHandle() const { return hook_.Get(); }

 private:
  friend struct SkinManageHook;
  static void CALLBACK CommandTimerProc(HWND, UINT, UINT_PTR, DWORD);
  void RunCommand();
  void RunCommandForOwnerForm(int command, TSkinData& requesting);
  void RunCommandForAll(int command, TSkinData& requesting);
  void ReskinPendingWindow();
  // Frees every frame object in the closed state (not while the list is walked).
  void Purge();
  void PurgePopups();
  // The component whose skin the window takes (step 8 of attaching), or null.
  TSkinData* ChooseComponent(HWND window, const std::wstring& className) const;
  bool DecideFormSkin(HWND window, const std::wstring& className) const;
  TCustomForm* FormObjectOf(HWND window) const;
  void ChooseDefaultComponent();

  OwnedHook hook_;
  ThreadTimer timer_;
  UINT interval_ = kInitialIntervalMs;
  std::vector<std::unique_ptr<TSkinForm>> forms_;
  std::vector<std::unique_ptr<TSkinPopupMenu>> popups_;
  std::vector<TSkinData*> components_;
  bool active_ = false;
  bool forcing_ = false;
  int started_ = 0;
  int pendingCommand_ = 0;
  TSkinData* requesting_ = nullptr;
  TSkinData* default_ = nullptr;
  int menuSource_ = 0;
  bool menuFlag_ = false;
  HWND reskinWindow_ = nullptr;
  // Hidden top-level windows waiting for their first show.
  std::vector<std::unique_ptr<TWindowSubclass>> showWatchers_;
  // Lists being walked: closed objects stay until the walk is over.
  int walking_ = 0;
};

}  // namespace quonel
