// The steps of building a skin's objects from its description; used by
// TSkinData::BuildSkinObjects only.
#pragma once
#include <string>
#include <vector>

#include "skin/data/quick_ini.h"
#include "skin/data/skin_data.h"
#include "skin/archive/skin_reader.h"

namespace quonel {

class SkinBuilder {
 public:
  SkinBuilder(TSkinData& data, const TQuickIni& ini, const TSkinReader& reader)
      : data_(data), ini_(ini), reader_(reader) {}

  // Objects, colours and frame counts (build steps 1 to 8).
  void BuildDescribedObjects();
  // The combo composite, combo arrow, toolbar gradient, sampled title
  // colour and face brush (steps 9 to 11).
  void BuildDerivedObjects();

 private:
  SkinBitmap Image(const std::string& section, const std::string& key) const;
  int32_t Integer(const std::string& section, const std::string& key, int32_t fallback) const {
    return ini_.ReadInteger(section, key, fallback);
  }
  TColor Colour(const std::string& section, const std::string& key, TColor fallback) const;

  void BuildBorders();
  void BuildColours();
  void BuildCaptionButtons();
  void BuildMdiButtons();
  void BuildPushButtons();
  void BuildTitle();
  void BuildTableObjects();
  void SetFrameCounts();
  void ReadCommonKeys(TDataSkinObject& object, const std::string& section, bool readFrame);

  void BuildComboComposite();
  void BuildComboArrow();
  void BuildToolbarGradient();
  TColor SampleTitleColour() const;

  std::unique_ptr<TDataSkinObject>& Owned(SkinSlot slot) { return data_.slots_[static_cast<int>(slot)]; }

  TSkinData& data_;
  const TQuickIni& ini_;
  const TSkinReader& reader_;
  std::vector<std::string> sections_;
};

}  // namespace quonel
