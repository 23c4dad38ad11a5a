#include "skin/controls/tabs/skin_adv_page.h"

#include "core/property_access.h"
#include "skin/controls/tabs/skin_tabs.h"
#include "skin/data/skin_data.h"
#include "ui/bitmap.h"
#include "ui/control.h"

namespace quonel {

namespace {

constexpr int kTabFrames = 5;
constexpr const wchar_t* kNormalPicture = L"TabBackGround";
constexpr const wchar_t* kActivePicture = L"TabBackGroundActive";

TBitmap* Picture(TControl* control, const wchar_t* name) {
  return dynamic_cast<TBitmap*>(GetObjectPropOf(control, name, L"TBitmap"));
}

HBITMAP CopyOf(HBITMAP bitmap) {
  return bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr;
}

// One frame of the tab strip as a picture of its own.
HBITMAP TabFrame(const SkinBitmap& strip, int frame) {
  const int width = strip.Width() / kTabFrames, height = strip.Height();
  SkinBitmap cell = SkinBitmap::Create(width, height);
  if (cell.Empty()) return nullptr;
  {
    BitmapDc from(strip), to(cell);
    BitBlt(to.Get(), 0, 0, width, height, from.Get(), (frame - 1) * width, 0, SRCCOPY);
  }
  return CopyOf(cell.Handle());
}

}  // namespace

TSkinAdvPage::~TSkinAdvPage() {
  if (GetLifeState() == kAttached) TSkinAdvPage::Detach();
}

void TSkinAdvPage::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  if (GetLifeState() != kAttached) return;
  SkinTabScroller(scroller_, FindTabScroller(Window(), false), data, form);
  TBitmap *normal = Picture(control, kNormalPicture), *active = Picture(control, kActivePicture);
  if (!normal || !active) return;
  savedNormal_.Reset(CopyOf(normal->Handle()));
  savedActive_.Reset(CopyOf(active->Handle()));
  saved_ = true;
  HandOverPictures();
}

void TSkinAdvPage::Detach() {
  if (GetLifeState() == kAttached) RestorePictures();
  TSkinControl::Detach();
}

void TSkinAdvPage::SkinChanged() {
  HandOverPictures();
  TSkinControl::SkinChanged();
}

void TSkinAdvPage::HandOverPictures() {
  const TDataSkinObject* tabs = SkinData() ? SkinData()->Slot(SkinSlot::Tabs) : nullptr;
  if (!saved_ || !Control() || !tabs || tabs->Image.Empty()) return;
  TBitmap *normal = Picture(Control(), kNormalPicture), *active = Picture(Control(), kActivePicture);
  if (!normal || !active) return;
  normal->SetHandle(TabFrame(tabs->Image, 1));
  active->SetHandle(TabFrame(tabs->Image, 2));
  Control()->Invalidate();
}

void TSkinAdvPage::RestorePictures() {
  if (!saved_ || !Control()) return;
  if (TBitmap* normal = Picture(Control(), kNormalPicture)) normal->SetHandle(savedNormal_.Release());
  if (TBitmap* active = Picture(Control(), kActivePicture)) active->SetHandle(savedActive_.Release());
  saved_ = false;
  Control()->Invalidate();
}

}  // namespace quonel
