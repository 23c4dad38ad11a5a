#include "ui/bit_btn.h"

#include "core/exception.h"
#include "core/property_registry.h"

namespace quonel {

void TBitBtn::SetImages(TImageList* images) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images) images->FreeNotification(this);
  Invalidate();
}

void TBitBtn::SetImageIndex(int index) {
  imageIndex_ = index;
  Invalidate();
}

void TBitBtn::SetDisabledIndex(int index) {
  disabledIndex_ = index;
  Invalidate();
}

void TBitBtn::Notification(TComponent* component, Operation operation) {
  TButton::Notification(component, operation);
  if (operation == Operation::Remove && component == images_) images_ = nullptr;
}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.style = (params.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    RECT rect = item->rcItem;
    const bool down = (item->itemState & ODS_SELECTED) != 0;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    DrawFrameControl(item->hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    SelectionScope font(item->hDC, Font().Handle());
    if (down) OffsetRect(&rect, 1, 1);
    const int image = enabled || disabledIndex_ == -1 ? imageIndex_ : disabledIndex_;
    if (glyph_.Glyph.Empty() && images_ && image != -1) {
      // The image list's picture takes the glyph's place, left of the caption.
      ImageList_Draw(images_->Handle(), image, item->hDC, rect.left + 4,
                     rect.top + (rect.bottom - rect.top - images_->Height()) / 2, ILD_TRANSPARENT);
      rect.left += images_->Width() + 4;
    }
    DrawGlyphAndCaption(item->hDC, rect, glyph_, enabled ? (down ? 3 : 1) : 2, Caption(), enabled);
    if (item->itemState & ODS_FOCUS) {
      RECT focus = item->rcItem;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(item->hDC, &focus);
    }
    message.Result = 1;
    return;
  }
  TButton::WndProc(message);
}

void RegisterBitBtnClass() {
  ClassRegistrar<TBitBtn> registrar(L"TBitBtn", L"TButton");
  registrar.Creatable();
  RegisterGlyphProperties<ClassRegistrar<TBitBtn>, TBitBtn>(registrar);
  registrar
      .Reference(L"Images", [](TBitBtn& b) { return b.Images(); },
                 [](TBitBtn& b, TComponent* c) {
                   auto* images = dynamic_cast<TImageList*>(c);
                   if (!images) throw Exception(L"Images must name an image list");
                   b.SetImages(images);
                 })
      .Integer(L"ImageIndex", [](TBitBtn& b) { return b.ImageIndex(); },
               [](TBitBtn& b, int64_t v) { b.SetImageIndex(static_cast<int>(v)); })
      .Integer(L"DisabledIndex", [](TBitBtn& b) { return b.DisabledIndex(); },
               [](TBitBtn& b, int64_t v) { b.SetDisabledIndex(static_cast<int>(v)); });
}

}  // namespace quonel
