// Stored layouts and binary data compiled into the program as RCDATA resources.
#pragma once
#include <string>

#include "core/component.h"
#include "core/exception.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EResNotFound, Exception);

// The bytes of the RCDATA resource of that name in the executable; raises
// EResNotFound "Resource %s not found" when there is none.
std::string LoadResourceBytes(const std::wstring& name);
// Reads the stored layout in the resource of that name into form.
void ReadLayoutResource(TComponent& form, const std::wstring& resourceName);

}  // namespace quonel
