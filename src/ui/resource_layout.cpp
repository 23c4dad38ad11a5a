#include "ui/resource_layout.h"

#include <windows.h>

#include "core/stored_form_reader.h"

namespace quonel {

std::string LoadResourceBytes(const std::wstring& name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw EResNotFound(L"Resource " + name + L" not found");
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, resource));
}

void ReadLayoutResource(TComponent& form, const std::wstring& resourceName) {
  const std::string text = LoadResourceBytes(resourceName);
  ReadStoredComponent(form, ParseStoredLayout(text), LoadResourceBytes);
}

}  // namespace quonel
