// Registers the library's classes and their published properties with the
// property registry, once; the application object calls it at start-up.
#pragma once

namespace quonel {

void RegisterStandardClasses();

}  // namespace quonel
