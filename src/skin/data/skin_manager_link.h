// What a skin data component asks of the program's one skin manager. The
// manager lives a layer above (it knows forms and windows); while it exists
// it is the current link, and the manager's module installs the maker that
// the first loaded component uses to create it.
#pragma once

namespace quonel {

class TSkinData;

// The manager's commands, and the delay the components schedule them with.
constexpr int kCommandSkinAll = 1;
constexpr int kCommandRemoveAll = 2;
constexpr int kCommandRefresh = 3;
constexpr int kCommandPurge = 6;
constexpr int kCommandReskinWindow = 7;
constexpr int kCommandDelayMs = 250;

class TSkinManagerLink {
 public:
  TSkinManagerLink(const TSkinManagerLink&) = delete;
  TSkinManagerLink& operator=(const TSkinManagerLink&) = delete;

  // The manager, or null when there is none.
  static TSkinManagerLink* Current() { return current_; }
  // The manager, made now when there is none and a maker is installed.
  static TSkinManagerLink* Obtain() {
    if (!current_ && Maker) Maker();
    return current_;
  }
  static inline void (*Maker)() = nullptr;

  virtual void Register(TSkinData& data) = 0;
  // The manager forgets the component everywhere and frees the skins that use it.
  virtual void Unregister(TSkinData& data) = 0;
  virtual void InstallHook() = 0;
  // Records a command (1 skin all, 2 remove all, 3 refresh, 6 purge, 7 skin one
  // window again) to run after delayMs from the message loop.
  virtual void PostCommand(int command, int delayMs) = 0;
  virtual void SetRequestingComponent(TSkinData* data) = 0;
  // Windows are taken from now on, as after the first activation.
  virtual void MarkStarted() = 0;
  // A component that skins no main form: skinning on and started at once.
  virtual void SwitchOn() = 0;
  // Gives the component's owner form its frame now; false when it gets none.
  virtual bool AttachOwner(TSkinData& data) = 0;
  // Kind of the next popup menu (0 context menu, 1 menu-bar drop-down, 2
  // system menu) and the flag handed to its skin: set before a menu opens.
  virtual void SetMenuSource(int source) = 0;
  virtual void SetMenuFlag(bool flag) = 0;
  // The MDI children were maximised (hidden) or restored: their frames hide
  // or show their own captions.
  virtual void SetMdiCaptionsHidden(bool hidden) = 0;

 protected:
  TSkinManagerLink() { current_ = this; }
  virtual ~TSkinManagerLink() {
    if (current_ == this) current_ = nullptr;
  }

 private:
  static inline TSkinManagerLink* current_ = nullptr;
};

}  // namespace quonel
