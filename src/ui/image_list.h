// TImageList: equally sized images (16 x 16 by default) in one platform image
// list, filled from a stored bitmap strip whose magenta pixels are transparent.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/component.h"

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
  // Adds every image of a strip (width = Width × count); magenta is transparent.
  void AddMaskedStrip(HBITMAP strip);
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
  int width_ = 16;
  int height_ = 16;
  HIMAGELIST handle_ = nullptr;
};

void RegisterImageListClass();

}  // namespace quonel
