#include "ui/image_list.h"

#include <cstring>

#include "core/exception.h"
#include "ui/graphics.h"
#include "core/property_registry.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EInvalidGraphic, Exception);

TImageList::~TImageList() { Reset(); }

void TImageList::Reset() {
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
  pendingStrips_.clear();
}

void TImageList::SetWidth(int width) {
  if (width == width_ || width <= 0) return;
  width_ = width;
  Reset();
}

void TImageList::SetHeight(int height) {
  if (height == height_ || height <= 0) return;
  height_ = height;
  Reset();
}

namespace {

const COLORREF kTransparent = RGB(255, 0, 255);

}  // namespace

HIMAGELIST TImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    for (const OwnedBitmap& strip : pendingStrips_) ImageList_AddMasked(handle_, strip.Get(), kTransparent);
    pendingStrips_.clear();
  }
  return handle_;
}

int TImageList::Count() const {
  if (handle_) return ImageList_GetImageCount(handle_);
  int count = 0;
  for (const OwnedBitmap& strip : pendingStrips_) {
    BITMAP size = {};
    GetObjectW(strip.Get(), sizeof size, &size);
    count += size.bmWidth / width_;
  }
  return count;
}

void TImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
  pendingStrips_.clear();
}

void TImageList::AddStrip(OwnedBitmap strip) {
  if (handle_)
    ImageList_AddMasked(handle_, strip.Get(), kTransparent);
  else
    pendingStrips_.push_back(std::move(strip));
}

void TImageList::LoadStripFromBmp(const std::string& bytes) {
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  if (bytes.size() < sizeof file + sizeof info) throw EInvalidGraphic(L"Bitmap image is not valid");
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  const int64_t width = info.biWidth, height = info.biHeight < 0 ? -int64_t{info.biHeight} : info.biHeight;
  const int64_t stride = (width * 3 + 3) / 4 * 4;
  if (file.bfType != 0x4D42 || info.biBitCount != 24 || info.biCompression != BI_RGB || width <= 0 ||
      height <= 0 || width > 4096 || height > 4096 || file.bfOffBits > bytes.size() ||
      static_cast<int64_t>(bytes.size() - file.bfOffBits) < stride * height)
    throw EInvalidGraphic(L"Bitmap image is not valid");
  BITMAPINFO header = {};
  header.bmiHeader = info;
  OwnedBitmap strip(
      CreateDIBitmap(WindowDc().Get(), &info, CBM_INIT, bytes.data() + file.bfOffBits, &header, DIB_RGB_COLORS));
  if (!strip) throw EInvalidGraphic(L"Bitmap image is not valid");
  AddStrip(std::move(strip));
}

namespace {

bool PixelColor(wchar_t c, COLORREF& color) {
  switch (c) {
    case L'.': color = RGB(255, 0, 255); return true;
    case L'K': color = RGB(0, 0, 0); return true;
    case L'W': color = RGB(255, 255, 255); return true;
    case L'B': color = RGB(0, 64, 224); return true;
    case L'L': color = RGB(128, 176, 255); return true;
    case L'G': color = RGB(0, 160, 0); return true;
    case L'R': color = RGB(224, 0, 0); return true;
    case L'Y': color = RGB(255, 224, 0); return true;
    case L'S': color = RGB(192, 192, 192); return true;
    case L'A': color = RGB(128, 128, 128); return true;
    default: return false;
  }
}

}  // namespace

void TImageList::LoadStripFromRows(const std::vector<std::wstring>& rows) {
  if (static_cast<int>(rows.size()) != height_ || rows[0].empty() || rows[0].size() % static_cast<size_t>(width_) ||
      rows[0].size() > 4096)
    throw EInvalidGraphic(L"Image rows do not fit the image size");
  const int width = static_cast<int>(rows[0].size());
  void* bits = nullptr;
  OwnedBitmap strip = CreateDibSection(width, height_, 32, &bits);
  if (!strip) throw EInvalidGraphic(L"Bitmap image is not valid");
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height_; ++y) {
    const std::wstring& row = rows[static_cast<size_t>(y)];
    if (static_cast<int>(row.size()) != width) throw EInvalidGraphic(L"Image rows differ in length");
    for (int x = 0; x < width; ++x) {
      COLORREF color;
      if (!PixelColor(row[static_cast<size_t>(x)], color))
        throw EInvalidGraphic(L"Unknown pixel '" + std::wstring(1, row[static_cast<size_t>(x)]) + L"'");
      pixels[y * width + x] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }
  }
  AddStrip(std::move(strip));
}

void RegisterImageListClass() {
  ClassRegistrar<TImageList>(L"TImageList", L"TComponent")
      .Creatable()
      .Integer(L"Width", [](TImageList& i) { return i.Width(); },
               [](TImageList& i, int64_t v) { i.SetWidth(static_cast<int>(v)); })
      .Integer(L"Height", [](TImageList& i) { return i.Height(); },
               [](TImageList& i, int64_t v) { i.SetHeight(static_cast<int>(v)); })
      .Bytes(L"Bitmap", [](TImageList& i, const std::string& bytes) { i.LoadStripFromBmp(bytes); })
      .Lines(L"Pixels", [](TImageList& i, const std::vector<std::wstring>& rows) { i.LoadStripFromRows(rows); });
}

}  // namespace quonel
