#include "skin/data/skin_data.h"

#include "core/little_endian.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/gdi/builtin_images.h"
#include "skin/archive/lzh.h"
#include "skin/data/quick_ini.h"
#include "skin/archive/skin_reader.h"

namespace quonel {

namespace {


// Systems before the scroll-bar information call cannot have their scroll bars skinned.
bool PlatformOffersScrollBarInfo() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 && GetProcAddress(user32, "GetScrollBarInfo");
}

GdiObject<HFONT> CaptionFontFromMetrics() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfCaptionFont));
}

// A skin file is a compressed archive: anything larger than its decoded
// limit is no skin, and must not be read into memory whole.
bool ReadSkinFile(const std::wstring& path, std::string& bytes) {
  std::error_code error;
  const std::filesystem::path file(path);
  const auto size = std::filesystem::file_size(file, error);
  if (error || size > static_cast<uintmax_t>(TLZH::kMaxDecodedSize)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

TSkinData::TSkinData(TComponent* owner) : TComponent(owner) {
  const char* edgeNames[] = {"Left", "Right", "Top", "Bottom"};
  for (int i = 0; i < 4; ++i) edges_[i] = std::make_unique<TDataSkinObject>(edgeNames[i]);
  buttons_ = std::make_unique<TDataSkinButton>("Buttons");
  title_ = std::make_unique<TDataSkinTitle>("Personality");
  menuGlyphs_ = BuiltinMenuGlyphs();
  skin3rd_.AddStrings(DefaultSkin3rd());
  maximizedSize_ = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
}

TSkinData::~TSkinData() = default;

bool TSkinData::LoadSkin() {
  empty_ = true;
  if (HasState(ComponentStateFlag::Designing)) return false;
  TSkinReader reader;
  if (ShowMessage) reader.ShowMessage = ShowMessage;
  if (!reader.ReadArchive(skinStream_)) return false;
  std::string memberName;
  const std::string description = reader.FindMember(".ini", memberName);
  TQuickIni ini;
  ini.LoadFromStream(description);
  BuildSkinObjects(ini, reader);
  return true;
}

void TSkinData::ReadSkinStreamProperty(const std::string& stored) {
  skinStream_.clear();
  // A length the stored bytes cannot hold marks a damaged form: its archive
  // would be decoded from whatever follows, so no skin is taken from it.
  const int32_t length = stored.size() >= 4 ? ReadLittleEndianInt32(stored, 0) : 0;
  if (length > 0 && static_cast<uint64_t>(length) <= stored.size() - 4) skinStream_ = stored.substr(4, length);
  if (!HasState(ComponentStateFlag::Designing)) LoadSkin();
}

std::string TSkinData::SkinStreamProperty() const {
  std::string stored;
  AppendLittleEndian32(stored, static_cast<uint32_t>(skinStream_.size()));
  return stored + skinStream_;
}

void TSkinData::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (HasState(ComponentStateFlag::Designing) || HasState(ComponentStateFlag::Loading)) return;
  switch (skinFormtype_) {
    case TSkinFormType::sfMainform:
    case TSkinFormType::sfOnlyThisForm:
      if (!active) AskSkinManager(SkinManagerRequest::RemoveAll);
      // A component without a usable skin never asks for windows to be skinned.
      else if (!empty_) AskSkinManager(SkinManagerRequest::SkinAll);
      break;
    case TSkinFormType::sfDialog:
    case TSkinFormType::sfDLL:
      break;
  }
}

void TSkinData::SetSkinFile(const std::wstring& path) {
  skinFile_ = path;
  if (HasState(ComponentStateFlag::Designing)) {
    empty_ = true;
    if (!path.empty()) skinStream_.clear();
    return;
  }
  // A file that is not there is ignored: the skin in use stays usable.
  std::string bytes;
  if (path.empty() || !ReadSkinFile(path, bytes)) return;
  skinStream_ = std::move(bytes);
  LoadSkin();
  ApplyNewSkin();
}

std::wstring TSkinData::SkinStore() const {
  return HasState(ComponentStateFlag::Designing) && !skinStream_.empty() ? L"(Good)" : L"(none)";
}

void TSkinData::Loaded() {
  TComponent::Loaded();
  if (HasState(ComponentStateFlag::Designing)) return;
  if (!PlatformOffersScrollBarInfo()) skinControls_ &= ~SetBit(xcScrollbar);
  captionFont_ = CaptionFontFromMetrics();
  AskSkinManager(SkinManagerRequest::Start);
  if (skinFormtype_ != TSkinFormType::sfMainform) return;
  if (active_) {
    // A stored skin that could not be read leaves the form unskinned.
    if (empty_) active_ = false;
    else AskSkinManager(SkinManagerRequest::SkinAll);
  }
  skinControls_ &= InSet(skinControls_, xcMainMenu) ? ~SetBit(xcMenuItem) : ~SetBit(xcSystemMenu);
}

void TSkinData::DecideFormSkin(HWND window, const std::wstring& className, bool& doSkin) {
  decidingWindow_ = window;
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return;
  }
  if (className == L"SysMonthCal32") doSkin = false;
  if (InSet(skinControls_, xcFastReport) && className.starts_with(L"Tfr")) doSkin = false;
}

void TSkinData::ApplyNewSkin() { AskSkinManager(SkinManagerRequest::Refresh); }

void TSkinData::SkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::AskSkinManager(SkinManagerRequest request) {
  if (SkinManagerSeam) SkinManagerSeam(*this, request);
}

}  // namespace quonel
