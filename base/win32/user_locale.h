#pragma once
// The user's regional settings and the local clock, read from Windows.

#include "base/regional_formats.h"

namespace orv {

// The current user's date and time pictures, designators and separators, in UTF-8; a setting
// that cannot be read keeps the value RegionalFormats starts with.
RegionalFormats ReadUserRegionalFormats();

class SystemClock : public Clock {
  public:
    LocalDateTime Now() const override;
};

}  // namespace orv
