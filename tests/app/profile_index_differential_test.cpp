// Our INI index against the platform's profile functions, over a corpus of
// awkward manifests: every section list, key list and value must be the
// same, for the names in the file and for variants of them in other letter
// case, with blanks around them, and missing ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/profile_index.h"
#include "core/ansi_text.h"
#include "support/test_paths.h"

namespace quonel {
namespace {

std::vector<std::wstring> SplitNames(const std::vector<wchar_t>& buffer, DWORD length) {
  std::vector<std::wstring> names;
  for (const wchar_t* at = buffer.data(); at < buffer.data() + length && *at; at += names.back().size() + 1)
    names.emplace_back(at);
  return names;
}

std::vector<std::wstring> PlatformSections(const std::wstring& path) {
  std::vector<wchar_t> buffer(1 << 20);
  return SplitNames(buffer, GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()),
                                                          path.c_str()));
}

std::vector<std::wstring> PlatformKeys(const std::wstring& path, const std::wstring& section) {
  std::vector<wchar_t> buffer(1 << 20);
  return SplitNames(buffer, GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(),
                                                     static_cast<DWORD>(buffer.size()), path.c_str()));
}

std::wstring PlatformValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                           const std::wstring& fallback) {
  std::vector<wchar_t> buffer(kProfileValueBuffer);
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
  return std::wstring(buffer.data(), length);
}

std::wstring WithCase(const std::wstring& text, bool upper) {
  std::wstring changed = text;
  if (!changed.empty()) (upper ? CharUpperBuffW : CharLowerBuffW)(changed.data(), static_cast<DWORD>(changed.size()));
  return changed;
}

// A name, the same in both letter cases, with blanks around it, and cut.
std::set<std::wstring> Variants(const std::wstring& name) {
  std::set<std::wstring> variants{name, WithCase(name, true), WithCase(name, false), L" " + name + L"\t",
                                  L"\t" + WithCase(name, true) + L"  "};
  if (name.size() > 1) variants.insert(name.substr(0, name.size() - 1));
  return variants;
}

TEST(ProfileIndexDifferential, AnswersLikeTheProfileFunctionsForEveryCorpusManifest) {
  const std::filesystem::path corpus = std::filesystem::path(testing::SourceDir()) / "tests/app/manifest_corpus";
  int manifests = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::wstring path = std::filesystem::path(testing::HostPath(entry.path().string())).wstring();
    SCOPED_TRACE(entry.path().filename().string());
    const ProfileIndex index =
        ProfileIndex::FromFileBytes(testing::ReadTextFile(entry.path().string()), CodePageToWide);
    ++manifests;

    const std::vector<std::wstring> sections = PlatformSections(path);
    EXPECT_EQ(sections, index.ReadSections());
    std::set<std::wstring> sectionProbes{L"", L" ", L"missing.dat"};
    for (const std::wstring& section : sections) sectionProbes.merge(Variants(section));

    for (const std::wstring& section : sectionProbes) {
      const std::vector<std::wstring> keys = PlatformKeys(path, section);
      // The platform's list ends at a key with an empty name (two NULs in a row).
      std::vector<std::wstring> ourKeys = index.ReadSection(section);
      ourKeys.erase(std::find(ourKeys.begin(), ourKeys.end(), L""), ourKeys.end());
      EXPECT_EQ(keys, ourKeys) << "keys of [" << section << "]";
      std::set<std::wstring> keyProbes{L"name", L"datetime", L"size", L"sha256", L"", L";name", L"# name",
                                       L"missing"};
      for (const std::wstring& key : keys) keyProbes.merge(Variants(key));
      for (const std::wstring& key : keyProbes) {
        for (const wchar_t* fallback : {L"", L"\"quoted fallback\"  "}) {
          EXPECT_EQ(PlatformValue(path, section, key, fallback), index.ReadString(section, key, fallback))
              << "[" << section << "] " << key;
        }
      }
    }
  }
  EXPECT_GE(manifests, 30);
}

}  // namespace
}  // namespace quonel
