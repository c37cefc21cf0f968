#include "monitor/month_allowance.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "monitor/allowance_controls.h"

namespace orv {
namespace {

constexpr std::uint64_t kBytesPerMB = 1024 * 1024;
constexpr std::uint64_t kMsPerHour = 3'600'000;

std::uint64_t LimitValue(const ControlStates& controls, std::string_view id) {
    return static_cast<std::uint64_t>(std::max(ThresholdValue(controls.Text(id), 0), 0));
}

// Megabytes with one decimal, rounded, in the user's decimal separator: "812,4".
std::string FormatMegabytes(std::uint64_t bytes, const RegionalFormats& formats) {
    const std::uint64_t tenths = (bytes / 64 * 10 + kBytesPerMB / 128) / (kBytesPerMB / 64);
    return std::to_string(tenths / 10) + formats.decimalSeparator + std::to_string(tenths % 10);
}

std::string FormatOnlineTime(std::uint64_t milliseconds, const RegionalFormats& formats) {
    // A month holds less than the 49 days a 32-bit count of milliseconds reaches.
    return FormatDurationText(static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                  milliseconds, std::numeric_limits<std::uint32_t>::max())),
                              formats);
}

// One balloon holds every limit of the check, a line each.
void AppendLine(std::string& text, std::string_view line) {
    if (line.empty()) {
        return;
    }
    if (!text.empty()) {
        text += '\n';
    }
    text += line;
}

}  // namespace

AllowanceSettings ReadAllowanceSettings(const ControlStates& controls) {
    AllowanceSettings settings;
    settings.startDay = std::clamp(ThresholdValue(controls.Text(ids::kMonthStartDay), 1),
                                   kFirstStartDay, kLastStartDay);
    settings.trafficLimitMB = LimitValue(controls, ids::kMonthTrafficLimit);
    settings.timeLimitHours = LimitValue(controls, ids::kMonthTimeLimit);
    settings.warnPercent =
        std::clamp(ThresholdValue(controls.Text(ids::kMonthWarnPercent), 90), 1, 100);
    return settings;
}

RunningUse RunningUseOf(const ConnectionMonitor& monitor) {
    const ConnectionSnapshot& snapshot = monitor.Snapshot();
    RunningUse running;
    running.inSession = monitor.State().InSession;
    running.use.bytes = std::uint64_t{snapshot.BytesReceived} + snapshot.BytesSent;
    running.use.milliseconds = snapshot.DurationMs;
    return running;
}

MonthAllowance::MonthAllowance(MonthAllowancePorts ports) : ports_(std::move(ports)) {}

AllowanceStatus MonthAllowance::Status() const {
    AllowanceStatus status;
    status.settings = ReadAllowanceSettings(ports_.controls);
    status.period = PeriodContaining(ports_.clock.Now(), status.settings.startDay);
    status.used = ports_.stored(status.period);
    // The running session ends now, so it is this period's; once stored it is no longer
    // running, so it is never counted twice.
    if (const RunningUse running = ports_.running(); running.inSession) {
        status.used += running.use;
    }
    return status;
}

void MonthAllowance::MinuteCheck() {
    if (!ports_.running().inSession) {
        return;
    }
    const AllowanceStatus status = Status();
    std::string usedUp;
    std::string warnings;
    for (const Limit limit : {Limit::Traffic, Limit::Time}) {
        const bool traffic = limit == Limit::Traffic;
        const std::uint64_t allowed = traffic ? status.settings.trafficLimitMB * kBytesPerMB
                                              : status.settings.timeLimitHours * kMsPerHour;
        if (allowed == 0) {
            continue;
        }
        const std::uint64_t used = traffic ? status.used.bytes : status.used.milliseconds;
        std::optional<Warned>& warned = warned_[static_cast<std::size_t>(limit)];
        const bool warnedNow = warned && warned->period == status.period.first &&
                               warned->limit == allowed;
        if (used >= allowed) {
            AppendLine(usedUp, LimitText(limit, status, true));
            warned = Warned{status.period.first, allowed};
        } else if (!warnedNow && used * 100 >= allowed * static_cast<std::uint64_t>(
                                                             status.settings.warnPercent)) {
            AppendLine(warnings, LimitText(limit, status, false));
            warned = Warned{status.period.first, allowed};
        }
    }
    if (usedUp.empty() && warnings.empty()) {
        return;
    }
    const ControlStates& controls = ports_.controls;
    if (controls.Checked(ids::kPlaySoundMonth)) {
        ports_.sounds.PlayAsync(controls.Text(ids::kMonthFile));
    }
    if (controls.Checked(ids::kShowMessageMonth)) {
        std::string message = usedUp;
        AppendLine(message, warnings);
        ports_.balloons.ShowTrayBalloon(message);
    }
    if (!usedUp.empty() && controls.Checked(ids::kHangUpMonth) && ports_.hangUp) {
        ports_.hangUp();
    }
}

std::string MonthAllowance::UsedText(Limit limit, const AllowanceStatus& status) const {
    const bool russian = ports_.language.IsRussian();
    if (limit == Limit::Traffic) {
        const std::string used = FormatMegabytes(status.used.bytes, ports_.formats);
        const std::uint64_t allowed = status.settings.trafficLimitMB;
        if (allowed == 0) {
            return used + (russian ? " МБ" : " MB");
        }
        return used + (russian ? " из " : " of ") + std::to_string(allowed) +
               (russian ? " МБ" : " MB");
    }
    const std::string used = FormatOnlineTime(status.used.milliseconds, ports_.formats);
    const std::uint64_t allowed = status.settings.timeLimitHours;
    if (allowed == 0) {
        return used;
    }
    return used + (russian ? " из " : " of ") + std::to_string(allowed) + (russian ? " ч" : " h");
}

std::string MonthAllowance::LimitText(Limit limit, const AllowanceStatus& status,
                                      bool usedUp) const {
    const bool russian = ports_.language.IsRussian();
    const bool traffic = limit == Limit::Traffic;
    std::string text;
    if (usedUp) {
        text = russian ? (traffic ? "Лимит трафика за месяц исчерпан: "
                                  : "Лимит времени за месяц исчерпан: ")
                       : (traffic ? "The month's traffic allowance is used up: "
                                  : "The month's time allowance is used up: ");
    } else {
        const std::uint64_t used = traffic ? status.used.bytes : status.used.milliseconds;
        const std::uint64_t allowed = traffic ? status.settings.trafficLimitMB * kBytesPerMB
                                              : status.settings.timeLimitHours * kMsPerHour;
        const std::string percent = std::to_string(used * 100 / allowed) + "%";
        text = russian ? "Израсходовано " + percent +
                             (traffic ? " трафика за месяц: " : " времени за месяц: ")
                       : percent + (traffic ? " of the month's traffic used: "
                                            : " of the month's time used: ");
    }
    return text + UsedText(limit, status);
}

std::string MonthAllowance::StatusLine(const AllowanceStatus& status) const {
    const bool russian = ports_.language.IsRussian();
    const LocalDateTime first{status.period.first.year, status.period.first.month,
                              status.period.first.day};
    return (russian ? "Период с " : "Period from ") + FormatShortDate(first, ports_.formats) +
           ": " + UsedText(Limit::Traffic, status) + ", " + UsedText(Limit::Time, status);
}

}  // namespace orv
