// The files and folders the wizard itself writes in the application folder.
// A manifest section that would land on one of them (its installed copy in
// update\ or backup\, its staged copy on the stored manifest, the journal or
// a copy's record) would let a server overwrite the wizard's own state in
// the middle of a run. The path guard refuses such sections and the manifest
// tool refuses to publish them, both from this one list.
#pragma once
#include <cstddef>
#include <string>

#include "app/accepted_release_store.h"

namespace quonel {

enum class WizardFilePlace {
  Folder,         // a folder of the application folder; everything below it is the wizard's
  StagingFile,    // a file directly in update\ (no section's staged copy may be it)
  StagingSuffix,  // a name ending, in any folder of update\ (written beside a staged copy)
};

struct WizardOwnFile {
  WizardFilePlace place;
  const wchar_t* name;  // lower case
  const char* role;     // for the people who publish updates
};

// Every file the wizard writes. A file added to the wizard is added here.
inline constexpr WizardOwnFile kWizardOwnFiles[] = {
    {WizardFilePlace::Folder, L"update", "the wizard's staging folder update\\"},
    {WizardFilePlace::Folder, L"backup", "the wizard's backup folder backup\\"},
    {WizardFilePlace::StagingFile, L"update.ini", "the stored manifest update\\update.ini"},
    {WizardFilePlace::StagingFile, L"update.journal", "the install journal update\\update.journal"},
    {WizardFilePlace::StagingFile, L"update.log", "the wizard's log update\\update.log"},
    {WizardFilePlace::StagingFile, kAcceptedReleaseFileName,
     "the highest accepted release serial update\\accepted_release.txt"},
    {WizardFilePlace::StagingFile, kAcceptedReleaseNewFileName,
     "the serial record being written update\\accepted_release.txt.new"},
    {WizardFilePlace::StagingSuffix, L".origin", "the record kept beside each staged copy (*.origin)"},
    {WizardFilePlace::StagingSuffix, L".running", "a running program moved aside in update\\ (*.running)"},
};

// The wizard's own file that a section would overwrite, or nullptr. Names
// compare as the file system compares them (SectionPathKey).
const WizardOwnFile* WizardOwnFileHitBy(const std::wstring& section);

// How long the longest path is that the wizard builds for a section (its
// staged copy's companions, its backup), relative to the application folder,
// and the longest folder it may create for it there.
size_t LongestPathBuiltFor(const std::wstring& section);
size_t LongestFolderBuiltFor(const std::wstring& section);

}  // namespace quonel
