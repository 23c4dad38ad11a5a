#include "ui/win_control.h"

#include "core/win32_owners.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "core/exception.h"
#include "core/program_icon.h"
#include "ui/form.h"
#include "ui/objects_by_window.h"

namespace quonel {

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// The one route from a window to its object.
ObjectsByWindow<TWinControl>& WindowControls() {
  static ObjectsByWindow<TWinControl> controls;
  return controls;
}

// The control whose window is being created: its first messages arrive
// before CreateWindowEx returns.
thread_local TWinControl* creating = nullptr;
TControl* mouseControl = nullptr;
EscapedExceptionHandler escapedExceptionHandler = nullptr;

// The default procedure of each window class we registered.
std::map<std::wstring, WNDPROC>& RegisteredClasses() {
  static std::map<std::wstring, WNDPROC> classes;
  return classes;
}

WNDPROC RegisterWindowClass(const std::wstring& name, const TCreateParams& params) {
  auto& classes = RegisteredClasses();
  auto found = classes.find(name);
  if (found != classes.end()) return found->second;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  WNDPROC defaultProc = DefWindowProcW;
  if (!params.systemClass.empty()) {
    if (!GetClassInfoExW(nullptr, params.systemClass.c_str(), &windowClass))
      throw Exception(L"Window class " + params.systemClass + L" is not available");
    defaultProc = windowClass.lpfnWndProc;
    windowClass.style &= ~CS_GLOBALCLASS;
  } else {
    windowClass.style = params.classStyle;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = params.classBackground;
    // Windows of ours show the program's icon (none when the program has no icon resource).
    windowClass.hIcon = ProgramClassIcons().largeIcon;
    windowClass.hIconSm = ProgramClassIcons().smallIcon;
  }
  windowClass.lpfnWndProc = ControlWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name.c_str();
  if (!RegisterClassExW(&windowClass)) throw Exception(L"Cannot register window class " + name);
  classes[name] = defaultProc;
  return defaultProc;
}

void SetMouseControl(TControl* control) {
  if (mouseControl == control) return;
  TControl* old = mouseControl;
  mouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control) control->Perform(CM_MOUSEENTER);
}

bool IsMouseMessage(UINT msg) {
  return msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP;
}

}  // namespace

TControl* MouseControl() { return mouseControl; }

void ForgetMouseControl(TControl* control) {
  if (mouseControl == control) mouseControl = nullptr;
}

void SetEscapedExceptionHandler(EscapedExceptionHandler handler) { escapedExceptionHandler = handler; }

void HandleEscapedException() {
  if (escapedExceptionHandler) escapedExceptionHandler();
}

// Loaded once, the small one too: left to itself the platform makes a small
// copy of the icon for every class registered (4 ms each under Wine).
const ProgramIcons& ProgramClassIcons() {
  static const ProgramIcons icons{
      LoadIconW(GetModuleHandleW(nullptr), kProgramIconName),
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), kProgramIconName, IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED))};
  return icons;
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = TWinControl::FromHandle(window);
  if (!control) {
    control = creating;
    if (!control) return DefWindowProcW(window, msg, wParam, lParam);
    creating = nullptr;
    control->Attach(window);
  }
  // Reflected notifications that carry the parent's structures reach a control
  // only through Perform; a window message of such a value is someone else's
  // (0xBC4E is also a skin message) and its lParam points to no structure.
  if (IsReflectionWithStructure(msg)) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  // An exception must not cross the platform's window procedure: it ends the
  // action that raised it and is reported by the application.
  try {
    control->WindowProc(message);
  } catch (...) {
    HandleEscapedException();
  }
  if (msg == WM_NCDESTROY) control->Detach();
  return message.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // A window that outlives us (DestroyWindow refused) must not lead here any more.
  Detach();
  // Children outlive us only when they are owned elsewhere; they lose their parent.
  for (TControl* control : controls_) control->parent_ = nullptr;
  controls_.clear();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  return WindowControls().Find(window);
}

void TWinControl::Attach(HWND window) {
  handle_ = window;
  WindowControls().Add(window, this);
}

void TWinControl::Detach() {
  // Whatever way the window went, an adopted one no longer leads here.
  if (adoptedLink_) adoptedLink_->Detach();
  if (!handle_) return;
  WindowControls().Remove(handle_);
  handle_ = nullptr;
  brush_.Reset();
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.caption = text_;
  params.style = (Parent() ? WS_CHILD | WS_CLIPSIBLINGS : 0) | (Visible() ? WS_VISIBLE : 0) |
                 (Enabled() ? 0 : WS_DISABLED) | (tabStop_ ? WS_TABSTOP : 0);
  params.x = left_;
  params.y = top_;
  params.width = width_;
  params.height = height_;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (Parent()) {
    Parent()->Handle();
    // Making the parent's window makes its children's windows too.
    if (handle_) return;
  }
  TCreateParams params;
  CreateParams(params);
  if (Parent()) params.parent = Parent()->Handle();
  CreateWindowHandle(params);
  if (!handle_) throw Exception(std::wstring(L"Error creating window ") + ClassName());
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  HandleCreated();
  // Hidden children get their windows when they are first shown or asked
  // for: a window costs about a millisecond under Wine, and a hidden page
  // may never be shown.
  creatingChildren_ = true;
  for (TWinControl* child : TabList())
    if (child->Visible() && !child->windowAfterFirstPaint_) child->CreateHandle();
  creatingChildren_ = false;
  ArrangeZOrder();
  // A window made later than its siblings must still take its place in the tab order.
  if (Parent() && !Parent()->creatingChildren_) Parent()->ArrangeZOrder();
}

void TWinControl::CreateWindowsAfterFirstPaint() {
  // A hidden one stops waiting too: it gets its window like any other when shown.
  for (TWinControl* child : TabList()) {
    if (child->windowAfterFirstPaint_) {
      child->windowAfterFirstPaint_ = false;
      if (handle_ && child->Visible()) child->CreateHandle();
    }
    child->CreateWindowsAfterFirstPaint();
  }
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  const std::wstring className = ClassName();
  defaultProc_ = RegisterWindowClass(className, params);
  TWinControl* previous = creating;
  creating = this;
  HWND window = CreateWindowExW(params.exStyle, className.c_str(), params.caption.c_str(), params.style, params.x,
                                params.y, params.width, params.height, params.parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  creating = previous;
  if (window && !handle_) Attach(window);
}

void TWinControl::AdoptWindow(HWND window) {
  if (handle_) throw Exception(std::wstring(ClassName()) + L" has a window already");
  if (!adoptedLink_) {
    adoptedLink_ = std::make_unique<TWindowSubclass>(
        [this](TWindowSubclass&, TMessage& message) { WindowProc(message); });
    adoptedLink_->OnDetached = [this] { Detach(); };
  }
  if (!adoptedLink_->Attach(window)) throw Exception(std::wstring(L"Cannot adopt the window of ") + ClassName());
  defaultProc_ = DefWindowProcW;
  Attach(window);
  // The maker placed the window; the control takes its box from it.
  RECT box;
  GetWindowRect(window, &box);
  if (HWND parent = GetParent(window)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
  left_ = box.left;
  top_ = box.top;
  width_ = box.right - box.left;
  height_ = box.bottom - box.top;
}

void TWinControl::ReleaseAdoptedWindow() {
  if (WindowAdopted()) Detach();
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->tabOrder_ < 0)
    windowed->tabOrder_ = static_cast<int>(TabList().size()) - 1;
  control->TakeParentFont();
  control->TakeParentColor();
  if (handle_) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      windowed->CreateHandle();
      ArrangeZOrder();
    } else {
      control->Invalidate();
    }
  }
}

void TWinControl::RemoveControl(TControl* control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHandle();
  else control->Invalidate();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
}

std::vector<TWinControl*> TWinControl::TabList() const {
  std::vector<TWinControl*> list;
  for (TControl* control : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) list.push_back(windowed);
  std::stable_sort(list.begin(), list.end(),
                   [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
  return list;
}

void TWinControl::SetTabOrder(int order) {
  tabOrder_ = order;
  if (Parent()) Parent()->ArrangeZOrder();
}

// Dialog navigation follows the window order: the first in tab order on top.
void TWinControl::ArrangeZOrder() {
  if (!handle_) return;
  // Windows made in tab order are in that order already, and each move is
  // a round trip to the window server: only a window out of place moves.
  HWND previous = HWND_TOP;
  HWND next = GetWindow(handle_, GW_CHILD);
  for (TWinControl* child : TabList()) {
    if (!child->handle_) continue;
    if (child->handle_ != next)
      SetWindowPos(child->handle_, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = child->handle_;
    next = GetWindow(previous, GW_HWNDNEXT);
  }
}

void TWinControl::SetTabStop(bool value) {
  tabStop_ = value;
  if (handle_) {
    const LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void TWinControl::SetCtl3D(bool value) {
  if (ctl3D_ == value) return;
  ctl3D_ = value;
  RecreateWnd();
}

void TWinControl::AddEditBorder(TCreateParams& params) const {
  if (ctl3D_) params.exStyle |= WS_EX_CLIENTEDGE;
  else params.style |= WS_BORDER;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* control = this; control; control = control->Parent())
    if (!control->Visible() || !control->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  // The form remembers the choice, so that a form not shown yet gives this
  // control the focus when it is activated.
  TCustomForm* form = GetParentForm();
  if (form && form != static_cast<TControl*>(this)) form->SetActiveControl(this);
  if (CanFocus() && HandleAllocated() && IsWindowVisible(GetAncestor(Handle(), GA_ROOT))) ::SetFocus(Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::ClientRect() const {
  RECT rect = {0, 0, width_, height_};
  if (handle_) GetClientRect(handle_, &rect);
  return rect;
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* control : std::vector<TControl*>(controls_)) {
    control->WindowProc(message);
    if (message.Result != 0) return;
  }
}

TControl* TWinControl::GraphicControlAt(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (dynamic_cast<TWinControl*>(control) || !control->Visible()) continue;
    const RECT bounds = control->BoundsRect();
    if (PtInRect(&bounds, point)) return control;
  }
  return nullptr;
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* control : controls_) {
    if (dynamic_cast<TWinControl*>(control) || !control->Visible()) continue;
    const RECT bounds = control->BoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    SavedDcState saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  }
}

void TWinControl::PaintWindow(HDC dc) {
  if (!IsStandardControl()) return;
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(paint);
}

void TWinControl::PaintHandler(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (dc) {
    PaintWindow(dc);
    PaintControls(dc);
  } else {
    PaintScope paint(handle_);
    PaintWindow(paint.Get());
    PaintControls(paint.Get());
  }
  message.Result = 0;
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!brush_ || brushColor_ != Color()) {
    brush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
    brushColor_ = Color();
  }
  return brush_.Get();
}

void TWinControl::AnswerControlColor(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  message.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
}

bool TWinControl::ReflectToChild(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem; break;
    default: child = reinterpret_cast<HWND>(message.LParam); break;
  }
  TWinControl* control = FromHandle(child);
  if (!control || control == this) return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

void TWinControl::TrackMouse(TMessage& message) {
  const POINT point = {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TControl* target = GraphicControlAt(point);
  SetMouseControl(target ? target : this);
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, handle_, 0};
  TrackMouseEvent(&track);
}

bool TWinControl::HasNonClientArea() const {
  RECT window, client;
  if (!handle_ || !GetWindowRect(handle_, &window) || !GetClientRect(handle_, &client)) return true;
  return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      // A window without borders or scroll bars has no frame to draw; the
      // platform's default would still fetch a device context for it.
      if (!HasNonClientArea()) {
        message.Result = 0;
        return;
      }
      break;
    case WM_PAINT:
      if (!IsStandardControl() || std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
            return !dynamic_cast<TWinControl*>(c);
          })) {
        PaintHandler(message);
        return;
      }
      break;
    case WM_PRINTCLIENT:
      // Printing the client paints like WM_PAINT, background first.
      if (!IsStandardControl()) {
        Perform(WM_ERASEBKGND, message.WParam);
        PaintHandler(message);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (!IsStandardControl()) {
        RECT client;
        GetClientRect(handle_, &client);
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, BackgroundBrush());
        message.Result = 1;
        return;
      }
      break;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_NOTIFY:
    case WM_DRAWITEM:
      if (message.LParam && ReflectToChild(message)) return;
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
      AnswerControlColor(message);
      return;
    case WM_MOUSELEAVE:
      if (mouseControl == this || (mouseControl && mouseControl->Parent() == this &&
                                   !dynamic_cast<TWinControl*>(mouseControl)))
        SetMouseControl(nullptr);
      break;
    case WM_SETFOCUS:
      TControl::WndProc(message);
      Perform(CM_ENTER);
      if (TCustomForm* form = GetParentForm(); form && form != static_cast<TControl*>(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
      return;
    case WM_KILLFOCUS:
      TControl::WndProc(message);
      Perform(CM_EXIT);
      return;
    case WM_WINDOWPOSCHANGED: {
      TControl::WndProc(message);
      const auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
      if (!(position->flags & SWP_NOMOVE)) {
        left_ = position->x;
        top_ = position->y;
      }
      if (!(position->flags & SWP_NOSIZE)) {
        width_ = position->cx;
        height_ = position->cy;
      }
      return;
    }
    case WM_DESTROY:
      // A standard control's text lives in its window: keep it for the next one.
      if (IsStandardControl()) text_ = GetText();
      break;
    case CM_RECREATEWND:
      if (handle_ && !recreating_) {
        recreating_ = true;
        DestroyHandle();
        recreating_ = false;
        CreateHandle();
      }
      return;
  }
  if (IsMouseMessage(message.Msg)) {
    if (message.Msg == WM_MOUSEMOVE) TrackMouse(message);
    const POINT point = {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (TControl* graphic = GraphicControlAt(point)) {
      message.Result = graphic->Perform(message.Msg, message.WParam,
                                        MAKELPARAM(point.x - graphic->Left(), point.y - graphic->Top()));
      return;
    }
  }
  TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (WindowAdopted()) {
    adoptedLink_->CallNext(message);
    return;
  }
  message.Result = handle_ ? CallWindowProcW(defaultProc_, handle_, message.Msg, message.WParam, message.LParam) : 0;
}

std::wstring TWinControl::GetText() const {
  if (!handle_) return text_;
  const int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), length + 1)));
  return text;
}

void TWinControl::SetText(const std::wstring& text) {
  if (GetText() == text) return;
  text_ = text;
  if (handle_) SetWindowTextW(handle_, text.c_str());
  Perform(CM_TEXTCHANGED);
}

void TWinControl::VisibleChanged() {
  if (handle_) {
    ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
  } else if (Visible() && !windowAfterFirstPaint_ && Parent() && Parent()->HandleAllocated()) {
    CreateHandle();
  }
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
  Invalidate();
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* control : controls_) control->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  Invalidate();
  for (TControl* control : controls_) control->Perform(CM_PARENTFONTCHANGED);
}

}  // namespace quonel
