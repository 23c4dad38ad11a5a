#include "skin/skin_data.h"

#include "skin/builtin_images.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

namespace quonel {

TSkinData::TSkinData(TComponent* owner) : TComponent(owner) {
  const char* edgeNames[] = {"Left", "Right", "Top", "Bottom"};
  for (int i = 0; i < 4; ++i) edges_[i] = std::make_unique<TDataSkinObject>(edgeNames[i]);
  buttons_ = std::make_unique<TDataSkinButton>("Buttons");
  title_ = std::make_unique<TDataSkinTitle>("Personality");
  menuGlyphs_ = BuiltinMenuGlyphs();
}

TSkinData::~TSkinData() = default;

bool TSkinData::LoadSkin() {
  empty_ = true;
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

}  // namespace quonel
