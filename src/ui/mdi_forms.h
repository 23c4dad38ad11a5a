// MDI forms. TMDIParentForm makes the platform's MDI client window inside
// its client area and lets the frame procedure handle what it does not;
// TMDIChildForm is a form whose window is a child of a parent's MDI client,
// handled in the end by the MDI child procedure (maximise into the parent,
// the parent's menu bar buttons, activation among siblings).
#pragma once
#include "ui/form.h"

namespace quonel {

class TMDIParentForm : public TForm {
 public:
  explicit TMDIParentForm(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TMDIParentForm"; }
  // The MDI client window, made with the form's window.
  HWND ClientHandle() const { return client_; }
  // The MDI child that is active, or null.
  HWND ActiveChild() const;
  void DefaultHandler(TMessage& message) override;

 protected:
  void HandleCreated() override;

 private:
  HWND client_ = nullptr;
};

class TMDIChildForm : public TForm {
 public:
  // parent: the MDI parent whose client area the child lives in.
  TMDIChildForm(TComponent* owner, TMDIParentForm& parent);
  const wchar_t* ClassName() const override { return L"TMDIChildForm"; }
  void DefaultHandler(TMessage& message) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TMDIParentForm& parent_;
};

void RegisterMdiFormClasses();

}  // namespace quonel
