// TWinControl: a control with a window of its own, created on demand. Each
// window is made from a wide window class named after the control's class
// ("TButton"), registered once; for a standard control it copies the system
// class and keeps its window procedure as the default handling. The window
// finds its object from the first message on, so every message of the window
// reaches WindowProc; a parent reflects its children's notifications back to
// them as CN_* messages.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/window_subclass.h"

namespace quonel {

struct TCreateParams {
  std::wstring caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  // The system class this control's window class copies ("BUTTON"); empty
  // for windows of our own.
  std::wstring systemClass;
  UINT classStyle = CS_DBLCLKS;
  HBRUSH classBackground = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const wchar_t* ClassName() const override { return L"TWinControl"; }

  // Creates the window (and the parent's first) when there is none yet.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Destroys the window; a control that adopted its window may give it back
  // to its maker instead.
  virtual void DestroyHandle();
  // Asks the control (through WindowProc) to make its window again.
  void RecreateWnd();
  static TWinControl* FromHandle(HWND window);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The windowed children in tab order.
  std::vector<TWinControl*> TabList() const;
  // The windowless child visible under a client point, else nullptr.
  TControl* GraphicControlAt(POINT point) const;

  // The window waits until its form has first been painted and the program
  // has gone idle (for a window slow to make, such as a hosted control's);
  // asking for Handle() makes it at once.
  void SetWindowAfterFirstPaint(bool value) { windowAfterFirstPaint_ = value; }
  bool WindowAfterFirstPaint() const { return windowAfterFirstPaint_; }
  // Makes the windows of the controls below this one that waited for the
  // first paint (of those visible; the others get theirs when shown).
  void CreateWindowsAfterFirstPaint();

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  // A sunken edge when true, a flat one-pixel border when false.
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  bool Focused() const;
  bool CanFocus() const;
  virtual void SetFocus();

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void Invalidate() override;
  void Update() override;
  // Sends message to every child until one answers with a non-zero result.
  void Broadcast(TMessage& message);
  // Paints the windowless children into a DC of this window's client area.
  void PaintControls(HDC dc);

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateHandle();
  // Makes the window itself: by default from the control's window class.
  // A control that hosts a window made by another component makes that
  // component create it here and adopts it.
  virtual void CreateWindowHandle(const TCreateParams& params);
  // Takes window, made by someone else, as this control's window: its
  // messages reach WindowProc through a subclass link, and what the control
  // does not handle goes on to the window's own procedure. The link leaves
  // at WM_NCDESTROY, and the control forgets the window then.
  void AdoptWindow(HWND window);
  // Gives an adopted window its own procedure back and forgets it, without
  // destroying it.
  void ReleaseAdoptedWindow();
  bool WindowAdopted() const { return adoptedLink_ != nullptr && adoptedLink_->Attached(); }
  // After the window exists: fonts, texts and children.
  virtual void HandleCreated() {}
  // Paints the window itself before its windowless children; the default
  // lets a standard control's class paint into the DC.
  virtual void PaintWindow(HDC dc);
  std::wstring GetText() const override;
  void SetText(const std::wstring& text) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  // The brush a standard control paints its background with (Color).
  HBRUSH BackgroundBrush();
  // The colours of a standard child's CN_CTLCOLOR* reflection.
  void AnswerControlColor(TMessage& message);
  // The border of an edit-like standard control, by Ctl3D.
  void AddEditBorder(TCreateParams& params) const;
  // The window is not all client area (a border, a caption or scroll bars).
  bool HasNonClientArea() const;
  // A window painted by a procedure other than ours: a standard control's
  // class, or the maker of an adopted window.
  bool IsStandardControl() const { return defaultProc_ != DefWindowProcW || WindowAdopted(); }

 private:
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  void Attach(HWND window);
  void Detach();
  bool ReflectToChild(TMessage& message);
  void TrackMouse(TMessage& message);
  void PaintHandler(TMessage& message);
  void ArrangeZOrder();

  HWND handle_ = nullptr;
  bool creatingChildren_ = false;
  bool windowAfterFirstPaint_ = false;
  WNDPROC defaultProc_ = DefWindowProcW;
  std::vector<TControl*> controls_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool ctl3D_ = true;
  OwnedBrush brush_;
  TColor brushColor_ = 0;
  bool recreating_ = false;
  std::unique_ptr<TWindowSubclass> adoptedLink_;
};

// The control the mouse pointer is over; CM_MOUSEENTER and CM_MOUSELEAVE
// follow its changes.
TControl* MouseControl();
void ForgetMouseControl(TControl* control);

// Reports an exception that escaped a message handler (installed by the
// application object; without one the exception is dropped).
using EscapedExceptionHandler = void (*)();
void SetEscapedExceptionHandler(EscapedExceptionHandler handler);
// Hands the exception being caught to that handler: for the other window
// procedures of the library, which must stop exceptions in the same way.
void HandleEscapedException();

// The program's icon at the two sizes its window classes show (null when the
// program has none), loaded once by whichever thread asks first.
struct ProgramIcons {
  HICON largeIcon;
  HICON smallIcon;
};
const ProgramIcons& ProgramClassIcons();

}  // namespace quonel
