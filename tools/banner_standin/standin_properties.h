// The stand-in's published properties: the names the banner's dispatch
// interface offers, each with its type and current value. A property's
// dispatch identifier is its position in the table, from 1.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "banner_state.h"

namespace quonel::standin {

class BannerProperties {
 public:
  BannerProperties();
  ~BannerProperties();
  BannerProperties(const BannerProperties&) = delete;
  BannerProperties& operator=(const BannerProperties&) = delete;

  // Defaults, then what the stored state names (movie, window mode, quality,
  // scale, networking, full screen).
  void Reset(const BannerState* state);
  // DISPID_UNKNOWN when there is no such property (names in any letter case).
  DISPID Find(const wchar_t* name) const;
  HRESULT Get(DISPID id, VARIANT* result) const;
  HRESULT Put(DISPID id, const VARIANT& value);
  std::wstring Text(const wchar_t* name) const;

 private:
  std::vector<VARIANT> values_;
};

}  // namespace quonel::standin
