// The decompressor's own failure: its tables could not be had or given back.
#pragma once
#include "core/exception.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(ElzhException, Exception);

inline constexpr const wchar_t* kLzhNoMemoryMessage = L"LZH : Cannot get memory for dictionary tables";
// Kept with its twin so both texts live in one place; C++ deallocation cannot
// fail, so this one is never raised by our decoder.
inline constexpr const wchar_t* kLzhFreeErrorMessage = L"LZH : Error freeing memory for dictionary tables";

}  // namespace quonel
