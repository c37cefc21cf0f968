#pragma once
// The threshold events: once a minute the three rules (session too long, link too slow, too
// little traffic in the last minute) are checked against the figures the monitor tick left,
// and their actions run (sound, balloon, hang-up); the tick's connect and disconnect notices
// are announced here too.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/control_states.h"
#include "base/language_code.h"
#include "monitor/current_connection.h"
#include "monitor/monitor_ports.h"

namespace orv {

// Plays a wave file by name without waiting for it.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void PlayAsync(std::string_view file) = 0;
};

// The tray icon's "Information" balloon.
class TrayBalloons {
  public:
    virtual ~TrayBalloons() = default;
    virtual void ShowTrayBalloon(std::string_view text) = 0;
};

// What a rule measures, from the figures the tick left behind.
enum class Measure { DurationMinutes, LinkSpeed, MinuteTrafficKB };

// One threshold rule: its controls on the events page, the default of a threshold that is not
// a number, what it measures, and its message (followed by the threshold's text).
struct EventRule {
    std::string_view thresholdControl;
    int defaultThreshold;
    Measure measure;
    bool firesBelow;  // measured < threshold; otherwise measured >= threshold
    std::string_view playSound;
    std::string_view soundFile;
    std::string_view showMessage;
    std::string_view hangUp;
    std::string_view message;         // as designed (Russian)
    std::string_view englishMessage;  // an English interface's
};

// A threshold as the events page holds it: an optionally signed decimal integer with optional
// leading blanks, or `fallback` for anything else (also out of range).
int ThresholdValue(std::string_view text, int fallback);

struct ThresholdEventPorts {
    const ControlStates& controls;
    SoundPlayer& sounds;
    TrayBalloons& balloons;
    // The dialer's hang-up for a rule (it says a rule ended the line); it clears the current
    // connection when it succeeds.
    std::function<void()> hangUp;
    // Starts the launch list's "after dial" programs.
    std::function<void()> launchAfterDial;
    // The language of the balloons; none: as designed (Russian).
    const LanguageCode* language = nullptr;
};

// What the minute check reads of the monitor tick's last figures.
struct TickFigures {
    bool InSession = false;
    bool LineConnected = false;  // the last tick found the followed line connected
    std::uint32_t DurationMs = 0;
    std::uint32_t LinkSpeed = 0;  // bit/s
    std::uint64_t TotalBytes = 0;  // received plus sent over the session
};

class ThresholdEvents final : public ConnectionNotices {
  public:
    ThresholdEvents(ThresholdEventPorts ports, const CurrentConnection& current,
                    std::function<TickFigures()> figures);

    // The handler of Timer2 (60000 ms).
    void MinuteCheck();

    void NotifyConnected() override;
    void NotifyDisconnected() override;

  private:
    static std::uint64_t Measured(Measure measure, const TickFigures& figures,
                                  std::uint64_t minuteTrafficKB);
    // Plays the rule's sound and hangs up as it says; its message joins the check's balloon.
    void RunActions(const EventRule& rule, std::string_view thresholdText, std::string& balloon);
    void Announce(std::string message, std::string_view soundFile);
    bool Russian() const { return ports_.language == nullptr || ports_.language->IsRussian(); }

    ThresholdEventPorts ports_;
    const CurrentConnection& current_;
    std::function<TickFigures()> figures_;
    // The received-plus-sent total at the previous check of this session.
    std::uint64_t trafficReference_ = 0;
    bool afterDialPending_ = true;
    // The balloon of a check whose rule hung up: the disconnect notice that follows joins it
    // rather than hiding it.
    std::string hungUpBalloon_;
};

}  // namespace orv
