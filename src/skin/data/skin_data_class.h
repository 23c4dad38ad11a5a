// Makes TSkinData a class that stored layouts can name, with its stored and
// published properties (replacing any stand-in registered under that name).
#pragma once

namespace quonel {

// Registers TComponent's properties first when nobody has yet; safe to call again.
void RegisterSkinDataClass();

}  // namespace quonel
