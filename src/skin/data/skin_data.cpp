#include "skin/data/skin_data.h"

#include "core/little_endian.h"
#include "core/program_icon.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/gdi/builtin_images.h"
#include "skin/archive/lzh.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_manager_link.h"
#include "skin/archive/skin_reader.h"

namespace quonel {

namespace {

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
}

// The manager must never hold a freed component.
TSkinData::~TSkinData() {
  if (TSkinManagerLink* manager = TSkinManagerLink::Current()) manager->Unregister(*this);
}

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
  TSkinManagerLink* manager = TSkinManagerLink::Current();
  if (!manager) return;
  switch (skinFormtype_) {
    case TSkinFormType::sfMainform:
      // A component without a usable skin never asks for windows to be skinned.
      if (active && empty_) return;
      manager->SetRequestingComponent(this);
      manager->PostCommand(active ? kCommandSkinAll : kCommandRemoveAll, kCommandDelayMs);
      if (active) manager->MarkStarted();
      break;
    case TSkinFormType::sfOnlyThisForm:
      manager->SetRequestingComponent(this);
      if (active && empty_) return;
      manager->PostCommand(active ? kCommandSkinAll : kCommandRemoveAll, kCommandDelayMs);
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
  // Systems before the scroll-bar information call cannot have their scroll bars skinned.
  if (!PlatformScrollBarInfo()) skinControls_ &= ~SetBit(xcScrollbar);
  TSkinManagerLink* manager = TSkinManagerLink::Obtain();
  if (manager) manager->Register(*this);
  captionFont_ = CaptionFontFromMetrics();
  if (skinFormtype_ != TSkinFormType::sfMainform) {
    if (manager) {
      manager->SwitchOn();
      if (active_) manager->AttachOwner(*this);
    }
    return;
  }
  if (manager) manager->InstallHook();
  if (active_) {
    // A stored skin that could not be read leaves the form unskinned.
    if (empty_) active_ = false;
    else if (manager) manager->PostCommand(kCommandSkinAll, kCommandDelayMs);
  }
  skinControls_ &= InSet(skinControls_, xcMainMenu) ? ~SetBit(xcMenuItem) : ~SetBit(xcSystemMenu);
  BuildApplicationIcon();
}

void TSkinData::BuildApplicationIcon() {
  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  OwnedIcon icon = LoadProgramIcon(width, height);
  if (!icon) return;
  SkinBitmap bitmap = SkinBitmap::Create(width, height, 24);
  if (bitmap.Empty()) return;
  bitmap.Fill(clMagenta);
  {
    BitmapDc dc(bitmap);
    DrawIconEx(dc.Get(), 0, 0, icon.Get(), width, height, 0, nullptr, DI_NORMAL);
  }
  bitmap.transparent = true;
  bitmap.transparentColour = clMagenta;
  applicationIcon_ = std::move(bitmap);
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

void TSkinData::ApplyNewSkin() {
  const bool reading = HasState(ComponentStateFlag::Designing) || HasState(ComponentStateFlag::Loading);
  if (!TSkinManagerLink::Current() && !reading) Loaded();
  TSkinManagerLink* manager = TSkinManagerLink::Current();
  if (!manager) return;
  manager->SetRequestingComponent(this);
  manager->PostCommand(kCommandRefresh, kCommandDelayMs);
}

void TSkinData::SkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

GetScrollBarInfoFunction PlatformScrollBarInfo() {
  static const GetScrollBarInfoFunction function = [] {
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<GetScrollBarInfoFunction>(
                      reinterpret_cast<void*>(GetProcAddress(user, "GetScrollBarInfo")))
                : nullptr;
  }();
  return function;
}

}  // namespace quonel
