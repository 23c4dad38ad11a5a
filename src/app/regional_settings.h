// The user's regional date and time format, as the manifest's dates are
// written in it.
#pragma once
#include "app/date_time.h"

namespace quonel {

DateFormatSettings UserDateFormatSettings();

}  // namespace quonel
