// Registers TComponent and its published Tag with the property registry,
// once: every layer that publishes components derives from it.
#pragma once

namespace quonel {

void RegisterComponentClass();

}  // namespace quonel
