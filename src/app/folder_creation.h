// The folders a manifest file needs: a release may add a file in a folder
// that the installation, update\ or backup\ does not have yet.
#pragma once
#include <string>
#include <vector>

namespace quonel {

// The folder part of a relative file name ("a\b\c.dat" gives "a\b"; "c.dat" gives "").
std::wstring FolderOf(const std::wstring& relativeFile);

// Creates every missing folder of relativeFolder below root (root ends in
// "\"), outermost first. `created` receives the folders it made, relative
// to root, in that order. False when one cannot be made.
bool CreateFolders(const std::wstring& root, const std::wstring& relativeFolder,
                   std::vector<std::wstring>* created = nullptr);

}  // namespace quonel
