#pragma once
// Wave files played by name through the platform, without waiting for them.

#include "monitor/threshold_events.h"

namespace orv {

class Win32SoundPlayer final : public SoundPlayer {
  public:
    // Only the asynchronous flag: a missing file may give the platform's default sound, which
    // tells the user that an event fired all the same.
    void PlayAsync(std::string_view file) override;
};

}  // namespace orv
