// The skin data component: its stored SkinStream, the rules Loaded and the
// Active setter follow, the window decision, and property access by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "lzh_encoder.h"
#include "skin/archive/lzh.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_data_class.h"
#include "skin/archive/skin_reader.h"
#include "skin/manager/skin_manage.h"
#include "ui/form.h"
#include "skin_archive_writer.h"
#include "support/test_paths.h"
#include "core/property_access.h"
#include "core/property_registry.h"

namespace quonel {
namespace {

std::string Stored(const std::string& archive) {
  const auto n = static_cast<uint32_t>(archive.size());
  return std::string{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                     static_cast<char>(n >> 24)} +
         archive;
}

std::string BlueSkin() { return testing::ReadTextFile(QUONEL_BLUE_SKIN); }

// An archive that is well-formed but of the previous version.
std::string OlderArchive() {
  std::string laidOut = skinpack::LayOutArchive({{"skin.ini", "[Personality]\r\n"}});
  laidOut[0] = static_cast<char>(19999 & 0xFF);
  laidOut[1] = static_cast<char>(19999 >> 8);
  return skinpack::LzhEncode(laidOut);
}

class SkinDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSkinDataClass();
    RegisterSkinManager();
    data.ShowMessage = [this](const std::wstring& text) { messages.push_back(text); };
  }
  void TearDown() override { FreeSkinManager(); }
  // As the layout reader does: properties while loading, then Loaded.
  void ReadStored(bool active, const std::string& skinStream) {
    data.SetState(ComponentStateFlag::Loading, true);
    data.SetActive(active);
    data.ReadSkinStreamProperty(skinStream);
    data.Loaded();
  }
  static TSkinManage& Manager() {
    TSkinManage* manager = TSkinManage::Instance();
    EXPECT_NE(nullptr, manager) << "made by the first loaded component";
    static TSkinManage* none = nullptr;
    return manager ? *manager : *none;
  }

  TSkinData data{nullptr};
  std::vector<std::wstring> messages;
};

TEST_F(SkinDataTest, StoredSkinStreamLoadsAtOnceAndIsWrittenBackUnchanged) {
  const std::string stored = Stored(BlueSkin());
  data.SetState(ComponentStateFlag::Loading, true);
  data.ReadSkinStreamProperty(stored);
  EXPECT_FALSE(data.Empty()) << "decoded while the form is read, before Loaded";
  EXPECT_EQ(BlueSkin(), data.SkinStream());
  EXPECT_EQ(stored, data.SkinStreamProperty());
  EXPECT_TRUE(messages.empty());
  // Bytes after the stored length belong to no archive.
  data.ReadSkinStreamProperty(stored + "trailing");
  EXPECT_EQ(BlueSkin(), data.SkinStream());
  EXPECT_FALSE(data.Empty());
}

TEST_F(SkinDataTest, DamagedStoredStreamsLeaveNoUsableSkinAndTheObjectsInPlace) {
  data.ReadSkinStreamProperty(Stored(BlueSkin()));
  const int buttonWidth = data.Buttons().Image.Width();
  ASSERT_GT(buttonWidth, 0);
  const std::string blue = Stored(BlueSkin());
  const std::vector<std::pair<const char*, std::string>> damaged = {
      {"length beyond the stored bytes", blue.substr(0, blue.size() - 1)},
      {"shorter than its length field", std::string("\x10\x00", 2)},
      {"negative length", std::string("\xFF\xFF\xFF\xFF", 4) + BlueSkin()},
      {"no archive stored", std::string(4, '\0')},
  };
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    data.ReadSkinStreamProperty(bytes);
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(buttonWidth, data.Buttons().Image.Width()) << "the previous objects stay";
  }
  EXPECT_TRUE(messages.empty()) << "only another version is reported";
  data.ReadSkinStreamProperty(Stored(OlderArchive()));
  EXPECT_TRUE(data.Empty());
  EXPECT_EQ(std::vector<std::wstring>{kOlderSkinMessage}, messages);
}

TEST_F(SkinDataTest, LoadedTurnsActiveOffWithoutUsableSkinAndNeverAsksToSkin) {
  ReadStored(true, Stored(OlderArchive()));
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(1u, messages.size()) << "the version message once";
  TSkinManage& manager = Manager();
  EXPECT_EQ(std::vector<TSkinData*>{&data}, manager.Components());
  EXPECT_EQ(0, manager.PendingCommand());
  data.SetActive(true);
  EXPECT_TRUE(data.Active());
  EXPECT_EQ(0, manager.PendingCommand()) << "an empty component never schedules skinning";
  EXPECT_FALSE(manager.Active());
}

TEST_F(SkinDataTest, LoadedWithASkinHooksWindowsAndSwitchesSkinningOn) {
  ReadStored(true, Stored(BlueSkin()));
  EXPECT_TRUE(data.Active());
  EXPECT_NE(nullptr, data.CaptionFont());
  TSkinManage& manager = Manager();
  EXPECT_EQ(std::vector<TSkinData*>{&data}, manager.Components());
  EXPECT_EQ(&data, manager.DefaultComponent());
  EXPECT_NE(nullptr, manager.HookHandle());
  EXPECT_EQ(kCommandSkinAll, manager.PendingCommand());
  EXPECT_TRUE(manager.Active()) << "before the first activation, the switch alone";
  EXPECT_FALSE(manager.CommandScheduled());
  EXPECT_EQ(nullptr, manager.RequestingComponent());

  // The program's icon at small-icon size, on magenta where the icon lets the background through.
  const SkinBitmap& icon = data.ApplicationIcon();
  ASSERT_FALSE(icon.Empty()) << "the test carries the program's icon resource";
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), icon.Width());
  EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), icon.Height());
  EXPECT_TRUE(icon.transparent);
  EXPECT_EQ(clMagenta, icon.Pixel(0, 0)) << "a rounded corner";
  EXPECT_NE(clMagenta, icon.Pixel(icon.Width() / 2, icon.Height() / 5));
  // The same icon is the class icon of the program's own windows.
  TForm form(nullptr);
  EXPECT_NE(0u, GetClassLongPtrW(form.Handle(), GCLP_HICON));
}

TEST_F(SkinDataTest, ActiveSetterActsOnlyOnChangesAtRunTime) {
  ReadStored(true, Stored(BlueSkin()));
  TSkinManage& manager = Manager();
  data.SetActive(true);
  EXPECT_EQ(nullptr, manager.RequestingComponent()) << "the value it already has";
  data.SetActive(false);
  EXPECT_EQ(&data, manager.RequestingComponent());
  EXPECT_EQ(kCommandRemoveAll, manager.PendingCommand());
  EXPECT_FALSE(manager.Active());
  EXPECT_EQ(0, manager.Started());
  data.SetActive(true);
  EXPECT_EQ(kCommandSkinAll, manager.PendingCommand());
  EXPECT_TRUE(manager.Active());
  EXPECT_EQ(1, manager.Started()) << "switching on at run time starts the manager";
  data.SetSkinFormtype(TSkinFormType::sfDialog);
  data.SetActive(false);
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(kCommandSkinAll, manager.PendingCommand()) << "dialog components only store the value";
}

TEST_F(SkinDataTest, LoadedKeepsEitherMenuItemsOrTheSystemMenu) {
  data.SetState(ComponentStateFlag::Loading, true);
  data.SetSkinControls(SetBit(xcMainMenu) | SetBit(xcMenuItem) | SetBit(xcSystemMenu) | SetBit(xcButton));
  data.Loaded();
  EXPECT_EQ(SetBit(xcMainMenu) | SetBit(xcSystemMenu) | SetBit(xcButton), data.SkinControls() & ~SetBit(xcScrollbar));

  TSkinData other(nullptr);
  other.SetState(ComponentStateFlag::Loading, true);
  other.SetSkinControls(SetBit(xcMenuItem) | SetBit(xcSystemMenu) | SetBit(xcScrollbar));
  other.Loaded();
  EXPECT_EQ(SetBit(xcMenuItem) | SetBit(xcScrollbar), other.SkinControls()) << "the platform offers GetScrollBarInfo";

  TSkinData onlyThisForm(nullptr);
  onlyThisForm.SetState(ComponentStateFlag::Loading, true);
  onlyThisForm.SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
  onlyThisForm.SetSkinControls(SetBit(xcMenuItem) | SetBit(xcSystemMenu));
  onlyThisForm.SetActive(true);
  onlyThisForm.Loaded();
  EXPECT_EQ(SetBit(xcMenuItem) | SetBit(xcSystemMenu), onlyThisForm.SkinControls()) << "stops after the hand-over";
  EXPECT_TRUE(onlyThisForm.Active());
  EXPECT_TRUE(Manager().Active()) << "a component for one form switches the manager on";
  EXPECT_EQ(1, Manager().Started());
}

TEST_F(SkinDataTest, DecidesWhichWindowsAreSkinned) {
  auto decide = [&](const std::wstring& className) {
    bool doSkin = true;
    data.DecideFormSkin(reinterpret_cast<HWND>(0x1234), className, doSkin);
    return doSkin;
  };
  EXPECT_FALSE(decide(L"SysMonthCal32"));
  EXPECT_TRUE(decide(L"TfrPreviewForm")) << "report previews are skinned unless xcFastReport is set";
  data.SetSkinControls(data.SkinControls() | SetBit(xcFastReport));
  EXPECT_FALSE(decide(L"TfrPreviewForm"));
  EXPECT_TRUE(decide(L"TForm_Update"));
  EXPECT_EQ(reinterpret_cast<HWND>(0x1234), data.DecidingWindow());
  std::wstring asked;
  data.OnFormSkin = [&](TComponent*, const std::wstring& name, bool&) { asked = name; };
  EXPECT_TRUE(decide(L"SysMonthCal32")) << "the handler alone decides";
  EXPECT_TRUE(decide(L"TfrPreviewForm"));
  EXPECT_EQ(L"TfrPreviewForm", asked);
}

TEST_F(SkinDataTest, SkinFileReplacesTheSkinOnlyWhenItExists) {
  const std::string path = testing::HostPath(QUONEL_BLUE_SKIN);
  data.SetSkinFile(std::wstring(path.begin(), path.end()));
  EXPECT_FALSE(data.Empty());
  EXPECT_EQ(BlueSkin(), data.SkinStream());
  TSkinManage& manager = Manager();
  EXPECT_EQ(std::vector<TSkinData*>{&data}, manager.Components()) << "handed over to a manager first";
  EXPECT_EQ(kCommandRefresh, manager.PendingCommand());
  EXPECT_EQ(&data, manager.RequestingComponent());
  manager.SetRequestingComponent(nullptr);
  data.SetSkinFile(L"Z:\\no\\such\\skin.skn");
  EXPECT_FALSE(data.Empty()) << "a missing file is ignored";
  EXPECT_EQ(BlueSkin(), data.SkinStream());
  EXPECT_EQ(nullptr, manager.RequestingComponent());
}

TEST_F(SkinDataTest, NewComponentHoldsTheDefaults) {
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(99, data.DisableTag());
  EXPECT_EQ(kAllSkinControls & ~SetBit(xcMenuItem) & ~SetBit(xcFastReport), data.SkinControls());
  EXPECT_EQ(SetBit(xoPreview) | SetBit(xoToolbarBK), data.Options());
  ASSERT_EQ(117, data.Skin3rd().Count());
  EXPECT_EQ(L"TCategoryButtons=scrollbar", data.Skin3rd().Strings(0));
  EXPECT_EQ(L"TOVCDBNUMERICFIELD=Edit", data.Skin3rd().Strings(116));
  // The second TWWDBCombobox follows TWWDBLookupCombo.
  const int first = data.Skin3rd().IndexOf(L"TWWDBCombobox=Combobox");
  EXPECT_EQ(L"TWWDBLookupCombo=Combobox", data.Skin3rd().Strings(first + 1));
  EXPECT_EQ(L"TWWDBCombobox=Combobox", data.Skin3rd().Strings(first + 2));
  EXPECT_TRUE(data.Empty());
}

TEST_F(SkinDataTest, PropertiesByNameGoThroughTheSettersAndKeepReadOnlyTexts) {
  ReadStored(true, Stored(BlueSkin()));
  EXPECT_EQ(L"(none)", GetTextProp(&data, L"SkinStore")) << "at run time, even with a stored skin";
  EXPECT_TRUE(SetPropText(&data, L"DisableTag", L"7"));
  EXPECT_EQ(7, data.DisableTag());
  EXPECT_TRUE(SetPropText(&data, L"SkinFormtype", L"SFONLYTHISFORM"));
  EXPECT_EQ(TSkinFormType::sfOnlyThisForm, data.SkinFormtype());
  SetPropText(&data, L"Version", L"1.0");
  SetPropText(&data, L"SkinStore", L"(Good)");
  EXPECT_EQ(L"4.11.07.25", GetTextProp(&data, L"Version")) << "read-only";
  EXPECT_EQ(L"(none)", GetTextProp(&data, L"SkinStore"));
  EXPECT_TRUE(SetPropText(&data, L"Active", L"False"));
  EXPECT_EQ(kCommandRemoveAll, Manager().PendingCommand()) << "through the setter";

  EXPECT_FALSE(HasProperty(&data, L"SkinStream")) << "stored, not published";
  EXPECT_TRUE(HasProperty(&data, L"Tag"));
  const ClassInfo* info = FindClassInfo(L"TSkinData");
  ASSERT_NE(nullptr, info);
  const PropertyInfo* options = info->FindProperty(L"Options");
  ASSERT_NE(nullptr, options);
  EXPECT_EQ((1 << 3) | (1 << 6), options->getInt(data)) << "bit positions are the ordinals";
  EXPECT_EQ(L"xcFastReport", info->FindProperty(L"SkinControls")->memberNames[21]);
}

}  // namespace
}  // namespace quonel
