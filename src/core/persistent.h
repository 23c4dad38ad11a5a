// The root of every object whose properties can be read and written by name
// (components, fonts, string lists): a class name the property registry knows.
#pragma once

namespace quonel {

class TPersistent {
 public:
  TPersistent() = default;
  virtual ~TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  // The class name as the stored layout and the property registry know it.
  virtual const wchar_t* ClassName() const { return L"TPersistent"; }
};

}  // namespace quonel
