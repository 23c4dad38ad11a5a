// TImageList: equally sized images (16 x 16 by default) in one platform image
// list, filled from a stored bitmap strip whose magenta pixels are transparent.
// The platform list is made when its handle is first asked for; strips added
// before then wait as bitmaps, so reading a form does not load comctl32.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/component.h"
#include "core/win32_owners.h"

namespace quonel {

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  ~TImageList() override;
  const wchar_t* ClassName() const override { return L"TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetWidth(int width);
  void SetHeight(int height);
  int Count() const;
  HIMAGELIST Handle();
  // A 24-bit BMP file's bytes holding a strip; bad bytes raise EInvalidGraphic.
  void LoadStripFromBmp(const std::string& bytes);
  // A strip drawn as text, one string per pixel row (Height rows of Width ×
  // count characters): K black, W white, B blue, L light blue, G green,
  // R red, Y yellow, S silver, A grey; "." is transparent. Other characters
  // or ragged rows raise EInvalidGraphic.
  void LoadStripFromRows(const std::vector<std::wstring>& rows);
  void Clear();

 private:
  void Reset();
  // Adds every image of a strip (width = Width × count); magenta is transparent.
  void AddStrip(OwnedBitmap strip);
  int width_ = 16;
  int height_ = 16;
  HIMAGELIST handle_ = nullptr;
  std::vector<OwnedBitmap> pendingStrips_;  // added before the handle exists
};

void RegisterImageListClass();

}  // namespace quonel
