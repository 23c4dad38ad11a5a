// TOleControl: a windowed control of the library that hosts an ActiveX
// control. Creating the component creates the control object by its class
// identifier; making the window hands the control its stored state (or lets
// it start fresh), connects its events and activates it in place inside the
// parent, and the control's own window becomes this control's window.
// Published properties of a wrapper go through the control's dispatch
// interface by name; its events arrive through the event sink and reach the
// wrapper's handlers by their position in the class's description.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "banner/control_description.h"
#include "banner/ole_error.h"
#include "core/win32_owners.h"
#include "ui/win_control.h"

namespace quonel {

class TOleControlSite;
class TOleEventSink;

// Whether a control that cannot be created or activated is an error
// (Required: EOleSysError / EOleError) or leaves an empty control in the
// parent's colour (Optional: the failure is kept and reported).
enum class TControlPresence { Required, Optional };

struct TOleControlOptions {
  TControlPresence presence = TControlPresence::Required;
  // The resolution that turns the control's extent into pixels; 0 is the
  // screen's.
  int pixelsPerInch = 0;
  // The control is created and activated once its form has first been
  // painted, not while the form is read: loading COM and the control costs
  // more than the window around it.
  bool afterFirstPaint = false;
};

using TKeyEvent = std::function<void(TComponent* sender, WORD& key, unsigned shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, wchar_t& key)>;
using TOleFailureEvent = std::function<void(TComponent* sender, const std::wstring& text)>;

// The arguments of an event as the control sent them, in declared order.
class TOleEventArgs {
 public:
  explicit TOleEventArgs(const DISPPARAMS& params) : params_(params) {}
  int Count() const { return static_cast<int>(params_.cArgs); }
  int Integer(int index) const;
  std::wstring Text(int index) const;
  // Writes back an argument the control passed by reference (key codes).
  void SetInteger(int index, int value) const;

 private:
  VARIANT* At(int index) const;
  const DISPPARAMS& params_;
};

class TOleControl : public TWinControl {
 public:
  TOleControl(TComponent* owner, TControlData& description, TOleControlOptions options);
  ~TOleControl() override;
  const wchar_t* ClassName() const override { return L"TOleControl"; }

  // The stored state the form keeps for the control; handed to it unchanged
  // when the window is made. Empty: the control starts with its defaults.
  void SetControlData(const std::string& bytes);
  bool HasControlData() const { return static_cast<bool>(storedState_); }

  const TControlData& Description() const { return description_; }
  IOleObject* OleObject() const { return oleObject_.Get(); }
  IDispatch* ControlDispatch() const { return dispatch_.Get(); }
  DWORD MiscStatus() const { return miscStatus_; }
  // False when an optional control could not be created or activated.
  bool ControlAvailable() const { return static_cast<bool>(oleObject_); }
  // The error text of that failure ("" when there was none).
  const std::wstring& FailureText() const { return failureText_; }
  int PixelsPerInch() const;
  bool UIActive() const { return uiActive_; }

  // Properties of the control through its dispatch interface, by name.
  std::wstring GetWideStringProp(const std::wstring& name);
  void SetWideStringProp(const std::wstring& name, const std::wstring& value);
  int GetIntegerProp(const std::wstring& name);
  void SetIntegerProp(const std::wstring& name, int value);
  bool GetBooleanProp(const std::wstring& name);
  void SetBooleanProp(const std::wstring& name, bool value);

  void SetBounds(int left, int top, int width, int height) override;
  // Gives the control's window back to it and closes the control without
  // saving; the control keeps its state for the next window.
  void DestroyHandle() override;

  // The control's standard events (its click arrives as OnClick).
  TNotifyEvent OnDblClick;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  // An optional control failed: the text is that of its exception. A
  // failure to create it is reported when its (empty) window is made, as
  // nobody can have assigned the handler while the control was created.
  TOleFailureEvent OnControlFailure;

 protected:
  void CreateWindowHandle(const TCreateParams& params) override;
  // One of the class's events (by its position in the description) arrived.
  virtual void InvokeEvent(int index, const TOleEventArgs& args);

 private:
  friend class TOleControlSite;
  friend class TOleEventSink;

  void CreateControl();
  void InitControlInterfaces();
  void ActivateInPlace(HWND parent);
  // Adopts the control's window once the in-place object gives it.
  void HookControlWindow();
  void ApplyExtent();
  void ReportAmbientChanges();
  void StandardEvent(DISPID dispId, const TOleEventArgs& args);
  void Fail(const EOleError& error);
  void ReportFailure();
  void ReleaseControl();
  VARIANT GetProperty(const std::wstring& name);
  void SetProperty(const std::wstring& name, VARIANT& value);
  DISPID PropertyDispId(const std::wstring& name);

  TControlData& description_;
  TOleControlOptions options_;
  // Host objects first: they outlive the control's references to them.
  ComPtr<TOleControlSite> site_;
  ComPtr<TOleEventSink> eventSink_;
  ComPtr<IOleObject> oleObject_;
  ComPtr<IPersistStreamInit> persistStream_;
  ComPtr<IOleControl> oleControl_;
  ComPtr<IDispatch> dispatch_;
  ComPtr<IPerPropertyBrowsing> propertyBrowsing_;
  ComPtr<IOleInPlaceObject> inPlaceObject_;
  ComPtr<IOleInPlaceActiveObject> inPlaceActiveObject_;
  OwnedGlobalMemory storedState_;
  size_t storedSize_ = 0;
  DWORD miscStatus_ = 0;
  DWORD eventsCookie_ = 0;
  DWORD propertyCookie_ = 0;
  bool clientSiteSet_ = false;
  bool interfacesReady_ = false;
  bool uiActive_ = false;
  bool counted_ = false;
  std::wstring failureText_;
  bool failureReported_ = false;
};

}  // namespace quonel
