// Makes the manifest HTTP client a class that stored forms can name: TNetHTTP
// with its connection and request settings, read and written by name.
#pragma once

namespace quonel {

// Registers TNetHTTP, its base classes and its request and proxy-parameter
// objects (after the standard classes, which it registers first). A stored
// property the client does not publish is an error of the layout.
void RegisterNetHTTPClass();

}  // namespace quonel
