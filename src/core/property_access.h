// Reading and writing properties of objects whose classes are not known in
// advance, by name. A missing property, an unregistered class or a property
// of another kind gives the stated default and never fails.
#pragma once
#include <cstdint>
#include <string>

#include "core/persistent.h"

namespace quonel {

// The value of an integer property, else -1.
int64_t GetIntProp(TPersistent* object, const std::wstring& name);
// The member name of an enumeration property ("True", "taCenter"), else "".
std::wstring GetEnumPropText(TPersistent* object, const std::wstring& name);
// A text property, else "".
std::wstring GetTextProp(TPersistent* object, const std::wstring& name);
// The object held by a class-typed property when it is of className or
// derives from it, else nullptr.
TPersistent* GetObjectPropOf(TPersistent* object, const std::wstring& name, const std::wstring& className);
// The object held by a class-typed property, whatever its class, else nullptr.
TPersistent* GetObjectProp(TPersistent* object, const std::wstring& name);
// Sets an integer (parsed), enumeration (by member name, any letter case) or
// text property from text. Answers whether a property took the value.
bool SetPropText(TPersistent* object, const std::wstring& name, const std::wstring& value);
// Whether the object's class publishes a property of that name.
bool HasProperty(TPersistent* object, const std::wstring& name);
// Whether the object's class is className or derives from it.
bool InheritsFrom(const TPersistent* object, const std::wstring& className);

}  // namespace quonel
