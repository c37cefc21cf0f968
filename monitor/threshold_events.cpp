#include "monitor/threshold_events.h"

#include <array>
#include <charconv>
#include <utility>

#include "monitor/event_controls.h"

namespace orv {
namespace {

constexpr std::array kRules{
    EventRule{ids::kTimeThreshold, 10, Measure::DurationMinutes, false, ids::kPlaySoundTime,
              ids::kTimeFile, ids::kShowMessageTime, ids::kHangUpTime,
              "Продолжительность сессии больше ", "Session longer than "},
    EventRule{ids::kSpeedThreshold, 0, Measure::LinkSpeed, true, ids::kPlaySoundSpeed,
              ids::kSpeedFile, ids::kShowMessageSpeed, ids::kHangUpSpeed,
              "Скорость соединения меньше чем ", "Connection speed below "},
    EventRule{ids::kTrafficThreshold, 100, Measure::MinuteTrafficKB, true, ids::kPlaySoundTraffic,
              ids::kTrafficFile, ids::kShowMessageTraffic, ids::kHangUpTraffic,
              "Траффик за минуту меньше чем ", "Traffic of the last minute below "},
};

// The Russian texts as designed, then an English interface's.
constexpr std::string_view kConnectedMessage[] = {"Компьютер подключен к сети",
                                                  "The computer is connected to the network"};
constexpr std::string_view kDisconnectedMessage[] = {"Компьютер отключен от сети",
                                                     "The computer is disconnected from the network"};
constexpr std::string_view kHungUpNote[] = {" - соединение разорвано", " - the line was hung up"};

// Messages of one balloon go on lines of their own.
void AppendLine(std::string& balloon, std::string_view line) {
    if (!balloon.empty()) {
        balloon += '\n';
    }
    balloon += line;
}

}  // namespace

int ThresholdValue(std::string_view text, int fallback) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return fallback;
    }
    return value;
}

ThresholdEvents::ThresholdEvents(ThresholdEventPorts ports, const CurrentConnection& current,
                                 std::function<TickFigures()> figures)
    : ports_(std::move(ports)), current_(current), figures_(std::move(figures)) {}

void ThresholdEvents::MinuteCheck() {
    if (current_.handle == 0) {
        return;
    }
    const TickFigures figures = figures_();
    if (afterDialPending_ && figures.InSession) {
        afterDialPending_ = false;
        if (ports_.launchAfterDial) {
            ports_.launchAfterDial();
        }
    }
    // The rules are about a running session: a line still dialing (a hang-up would end the
    // dial) or gone since (its last figures would fire every minute) is left alone.
    if (!figures.LineConnected) {
        return;
    }
    // The unsigned difference, never a negative minute; of the 64-bit total, so a gigabit
    // line's 7 GB in a minute are not taken modulo 4 GiB (which could give "too little").
    const std::uint64_t minuteTrafficKB = (figures.TotalBytes - trafficReference_) / 1024;
    trafficReference_ = figures.TotalBytes;
    // Every rule reads the figures taken above, also after an earlier rule hung up. The rules
    // that fire share one balloon: one balloon per rule would each hide the one before.
    hungUpBalloon_.clear();
    std::string balloon;
    bool hungUp = false;
    for (const EventRule& rule : kRules) {
        const std::string thresholdText = ports_.controls.Text(rule.thresholdControl);
        const std::int64_t threshold = ThresholdValue(thresholdText, rule.defaultThreshold);
        // At most 2^54: an unsigned difference below 2^64 divided by 1024.
        const auto measured =
            static_cast<std::int64_t>(Measured(rule.measure, figures, minuteTrafficKB));
        if (rule.firesBelow ? measured < threshold : measured >= threshold) {
            const bool connected = current_.handle != 0;
            RunActions(rule, thresholdText, balloon);
            hungUp = hungUp || (connected && current_.handle == 0);
        }
    }
    if (!balloon.empty()) {
        ports_.balloons.ShowTrayBalloon(balloon);
        if (hungUp) {
            hungUpBalloon_ = std::move(balloon);
        }
    }
}

std::uint64_t ThresholdEvents::Measured(Measure measure, const TickFigures& figures,
                                        std::uint64_t minuteTrafficKB) {
    switch (measure) {
        case Measure::DurationMinutes:
            return figures.DurationMs / 60000;
        case Measure::LinkSpeed:
            return figures.LinkSpeed;
        case Measure::MinuteTrafficKB:
            return minuteTrafficKB;
    }
    return 0;
}

void ThresholdEvents::RunActions(const EventRule& rule, std::string_view thresholdText,
                                 std::string& balloon) {
    const ControlStates& controls = ports_.controls;
    if (controls.Checked(rule.playSound)) {
        ports_.sounds.PlayAsync(controls.Text(rule.soundFile));
    }
    const bool connected = current_.handle != 0;
    if (controls.Checked(rule.hangUp) && ports_.hangUp) {
        ports_.hangUp();
    }
    if (controls.Checked(rule.showMessage)) {
        const bool russian = Russian();
        std::string line(russian ? rule.message : rule.englishMessage);
        line += thresholdText;
        // Only the rule whose hang-up found the line ended it.
        if (connected && current_.handle == 0) {
            line += kHungUpNote[russian ? 0 : 1];
        }
        AppendLine(balloon, line);
    }
}

void ThresholdEvents::NotifyConnected() {
    // The traffic of a session is measured from its own start, not from the last total of
    // the session before (which would give a negative minute and a false alarm).
    trafficReference_ = 0;
    hungUpBalloon_.clear();
    Announce(std::string(kConnectedMessage[Russian() ? 0 : 1]), ids::kConnectedFile);
}

void ThresholdEvents::NotifyDisconnected() {
    // The end a rule's hang-up caused: one balloon tells both.
    std::string message = std::move(hungUpBalloon_);
    hungUpBalloon_.clear();
    AppendLine(message, kDisconnectedMessage[Russian() ? 0 : 1]);
    Announce(std::move(message), ids::kDisconnectedFile);
}

// The balloon takes precedence: with both switches on only the message is shown.
void ThresholdEvents::Announce(std::string message, std::string_view soundFile) {
    const ControlStates& controls = ports_.controls;
    if (controls.Checked(ids::kShowMessageConnected)) {
        ports_.balloons.ShowTrayBalloon(message);
    } else if (controls.Checked(ids::kPlaySoundConnected)) {
        ports_.sounds.PlayAsync(controls.Text(soundFile));
    }
}

}  // namespace orv
