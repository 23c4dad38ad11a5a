#include <windows.h>

#include <sddl.h>

#include <stdexcept>
#include <vector>

#include "core/win32_owners.h"
#include "signing_key_file.h"

namespace quonel::updmanifest {
namespace {

// "D:P(A;;FA;;;<the user's SID>)": full access for the current user, no
// inherited entries, nobody else.
std::wstring OwnerOnlyDescriptor() {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) throw std::runtime_error("no process token");
  const OwnedKernelHandle token(rawToken);
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size))
    throw std::runtime_error("the current user is unknown");
  wchar_t* sid = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid))
    throw std::runtime_error("the current user is unknown");
  const std::wstring descriptor = std::wstring(L"D:P(A;;FA;;;") + sid + L")";
  LocalFree(sid);
  return descriptor;
}

}  // namespace

void WriteOwnerOnlyFile(const std::filesystem::path& path, const std::string& bytes) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(OwnerOnlyDescriptor().c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    throw std::runtime_error("no owner-only access list can be made");
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  LocalFree(descriptor);
  if (!file) throw std::runtime_error(path.string() + " exists already or cannot be created");
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw std::runtime_error(path.string() + " cannot be written");
}

}  // namespace quonel::updmanifest
