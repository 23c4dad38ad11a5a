// Builds components from a stored layout: every stored child is created by
// its registered class, named, put into its container and given its
// properties in stored order; Loaded runs on every component only after the
// whole layout has been read.
#pragma once
#include <functional>
#include <string>

#include "core/component.h"
#include "core/exception.h"
#include "core/stored_layout.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EReadLayoutError, Exception);
QUONEL_DECLARE_EXCEPTION(EClassNotFound, EReadLayoutError);

// Gives the bytes of a named resource of the program ("resource NAME" values);
// raises when there is none.
using ResourceLoader = std::function<std::string(const std::wstring& name)>;

// Reads stored into root (which already exists: the form being built). The
// stored root's class must be root's class or one it derives from.
void ReadStoredComponent(TComponent& root, const StoredObject& stored, const ResourceLoader& resources);

// Applies one stored value to a property of object (dotted names reach into
// class-typed properties such as Font). Raises EReadLayoutError.
void ApplyStoredProperty(TPersistent& object, const StoredProperty& property, const ResourceLoader& resources);

}  // namespace quonel
