#include "app/monitor_settings.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "app/settings_encoding.h"
#include "app/settings_reactions.h"
#include "base/billing_period.h"
#include "base/stored_colour.h"

namespace orv {
namespace {

using K = SettingKind;

constexpr SettingSpec FlagSetting(std::string_view name, bool on, std::string_view control,
                                  bool reapplied = false) {
    return {name, K::Flag, on ? 1u : 0u, {}, control, reapplied};
}
constexpr SettingSpec TextSetting(std::string_view name, std::string_view fallback,
                                  std::string_view control) {
    return {name, K::Text, 0, fallback, control};
}
constexpr SettingSpec ColourSetting(std::string_view name, std::uint32_t fallback,
                                    std::string_view control) {
    return {name, K::Colour, fallback, {}, control};
}

constexpr SettingSpec NumberSetting(std::string_view name, std::string_view fallback,
                                    std::string_view control, int low, int high) {
    return {name, K::Number, 0, fallback, control, false, low, high};
}

constexpr std::array kSettings{
    TextSetting("SndTimeFile", "", ids::kTimeFile),
    TextSetting("SndSpeedFile", "", ids::kSpeedFile),
    TextSetting("SndTrafficFile", "", ids::kTrafficFile),
    TextSetting("SndConnectedFile", "", ids::kConnectedFile),
    TextSetting("SndDisconnectedFile", "", ids::kDisconnectedFile),
    FlagSetting("BytesRecv", false, ids::kShowBytesRecv),
    FlagSetting("BytesSend", false, ids::kShowBytesSend),
    FlagSetting("ConnectSpeed", false, ids::kShowConnectSpeed),
    FlagSetting("Duration", false, ids::kShowDuration),
    FlagSetting("ClientIP", false, ids::kShowClientIp),
    FlagSetting("ServerIP", false, ids::kShowServerIp),
    FlagSetting("FlowingWindow", true, ids::kFloatingWindow),
    FlagSetting("CurSpeed", false, ids::kShowCurSpeed),
    FlagSetting("AverageSpeed", false, ids::kShowAverageSpeed),
    FlagSetting("PlaySndConnected", false, ids::kPlaySoundConnected),
    FlagSetting("ShowMsgConnected", false, ids::kShowMessageConnected),
    FlagSetting("PlaySndTime", false, ids::kPlaySoundTime),
    FlagSetting("ShowMsgTime", false, ids::kShowMessageTime),
    FlagSetting("HangUpTime", false, ids::kHangUpTime),
    FlagSetting("PlaySndSpeed", false, ids::kPlaySoundSpeed),
    FlagSetting("ShowMsgSpeed", false, ids::kShowMessageSpeed),
    FlagSetting("HangUpSpeed", false, ids::kHangUpSpeed),
    FlagSetting("PlaySndTraffic", false, ids::kPlaySoundTraffic),
    FlagSetting("ShowMsgTraffic", false, ids::kShowMessageTraffic),
    FlagSetting("HangUpTraffic", false, ids::kHangUpTraffic),
    FlagSetting("AutoRun", true, ids::kAutoRun, true),
    FlagSetting("ShutDown", false, ids::kShutDown),
    FlagSetting("StayOnTop", true, ids::kStayOnTop, true),
    FlagSetting("SpeechPlugin", false, ids::kSpeechPlugin),
    FlagSetting("RedialOnFailure", false, ids::kRedial),
    ColourSetting("BackGround", kDesktopColour, ids::kBackgroundSwatch),
    ColourSetting("RecvColor", 0x0000FF00u, ids::kReceivedSwatch),
    ColourSetting("SendColor", 0x000000FFu, ids::kSentSwatch),
    ColourSetting("TimeColor", 0x00FFFFFFu, ids::kTimeSwatch),
    ColourSetting("BorderColor", kButtonFaceColour, ids::kBorderSwatch),
    SettingSpec{"TranspValue", K::Integer, kMaxTransparency, {}, ids::kTransparency},
    TextSetting("TimeValueToInform", "10", ids::kTimeThreshold),
    TextSetting("SpeedValueToInform", "0", ids::kSpeedThreshold),
    TextSetting("TrafficValueToInform", "100", ids::kTrafficThreshold),
    TextSetting("Language", "eng", ids::kLanguage),
    // The monthly allowance; its sound file goes first, as the others do.
    TextSetting("SndMonthFile", "", ids::kMonthFile),
    NumberSetting("MonthStartDay", "1", ids::kMonthStartDay, kFirstStartDay, kLastStartDay),
    NumberSetting("MonthTrafficLimit", "0", ids::kMonthTrafficLimit, 0, kMaxTrafficLimitMB),
    NumberSetting("MonthTimeLimit", "0", ids::kMonthTimeLimit, 0, kMaxTimeLimitHours),
    NumberSetting("MonthWarnPercent", "90", ids::kMonthWarnPercent, 1, kMaxWarnPercent),
    FlagSetting("ShowMsgMonth", true, ids::kShowMessageMonth),
    FlagSetting("PlaySndMonth", false, ids::kPlaySoundMonth),
    FlagSetting("HangUpMonth", false, ids::kHangUpMonth),
};

constexpr std::array<std::string_view, 48> kSaveOrder{
    "BytesRecv",
    "BytesSend",
    "ConnectSpeed",
    "Duration",
    "ClientIP",
    "ServerIP",
    "FlowingWindow",
    "CurSpeed",
    "AverageSpeed",
    "PlaySndConnected",
    "ShowMsgConnected",
    "SndConnectedFile",
    "SndDisconnectedFile",
    "TimeValueToInform",
    "SndTimeFile",
    "PlaySndTime",
    "ShowMsgTime",
    "HangUpTime",
    "SpeedValueToInform",
    "SndSpeedFile",
    "PlaySndSpeed",
    "ShowMsgSpeed",
    "HangUpSpeed",
    "TrafficValueToInform",
    "SndTrafficFile",
    "PlaySndTraffic",
    "ShowMsgTraffic",
    "HangUpTraffic",
    "AutoRun",
    "ShutDown",
    "StayOnTop",
    "SpeechPlugin",
    "RedialOnFailure",
    "BackGround",
    "RecvColor",
    "SendColor",
    "TimeColor",
    "BorderColor",
    "TranspValue",
    "Language",
    "MonthStartDay",
    "MonthTrafficLimit",
    "MonthTimeLimit",
    "MonthWarnPercent",
    "ShowMsgMonth",
    "PlaySndMonth",
    "SndMonthFile",
    "HangUpMonth",
};
static_assert(kSaveOrder.size() == kSettings.size());

bool IsReadSeparately(std::string_view name) {
    return name == "TimeValueToInform" || name == "SpeedValueToInform" ||
           name == "TrafficValueToInform" || name == "Language";
}

std::optional<std::string> Stored(const SettingsStore& store, const SettingSpec& setting) {
    return store.Read(setting.name);
}

bool ReadFlag(const SettingsStore& store, const SettingSpec& setting) {
    return DecodeFlag(Stored(store, setting), setting.defaultNumber != 0);
}

// A threshold field's number: unparsable texts give the default, the rest is kept inside the
// range of the field's up/down buttons.
std::string ClampedNumber(const SettingsStore& store, const SettingSpec& setting, int low,
                          int high) {
    const auto fallback = DecodeInteger(setting.defaultText, 0);
    return std::to_string(
        std::clamp<int>(DecodeInteger(Stored(store, setting), fallback), low, high));
}

std::string ClampedNumber(const SettingsStore& store, const SettingSpec& setting) {
    return ClampedNumber(store, setting, setting.low, setting.high);
}

std::string ClampedThreshold(const SettingsStore& store, std::string_view name, int low, int high) {
    return ClampedNumber(store, FindSetting(name), low, high);
}

}  // namespace

std::span<const SettingSpec> MonitorSettings() {
    return kSettings;
}

std::span<const std::string_view> SaveOrder() {
    return kSaveOrder;
}

const SettingSpec& FindSetting(std::string_view name) {
    const auto found = std::find_if(kSettings.begin(), kSettings.end(),
                                    [name](const SettingSpec& s) { return s.name == name; });
    if (found == kSettings.end()) {
        std::abort();  // a name missing from the table is a fault of the program itself
    }
    return *found;
}

bool ReadStartupFlag(const SettingsStore& store) {
    return ReadFlag(store, FindSetting("FlowingWindow"));
}

void LoadSettings(const SettingsStore& store, SettingsControls& controls,
                  SettingsReactions& reactions) {
    for (const SettingSpec& setting : kSettings) {
        if (IsReadSeparately(setting.name)) {
            continue;
        }
        switch (setting.kind) {
            case K::Text:
                controls.SetText(setting.control,
                                 Stored(store, setting).value_or(std::string(setting.defaultText)));
                break;
            case K::Number:
                controls.SetText(setting.control, ClampedNumber(store, setting));
                break;
            case K::Flag:
                reactions.SetSwitch(setting.control, ReadFlag(store, setting));
                if (setting.reappliedOnLoad) {
                    reactions.SwitchChanged(setting.control);
                }
                break;
            case K::Colour:
                reactions.ApplyColour(setting.control,
                                      DecodeColour(Stored(store, setting), setting.defaultNumber));
                break;
            case K::Integer:
                controls.SetPosition(
                    setting.control,
                    std::clamp<int>(DecodeInteger(Stored(store, setting),
                                                  static_cast<std::int32_t>(setting.defaultNumber)),
                                    kMinTransparency, kMaxTransparency));
                reactions.TransparencyChanged();
                break;
        }
    }
}

void ReadThresholds(const SettingsStore& store, SettingsControls& controls) {
    controls.SetText(ids::kTimeThreshold, ClampedThreshold(store, "TimeValueToInform",
                                                           kMinTimeThreshold, kMaxTimeThreshold));
    const SettingSpec& speed = FindSetting("SpeedValueToInform");
    controls.SetText(ids::kSpeedThreshold,
                     Stored(store, speed).value_or(std::string(speed.defaultText)));
    controls.SetText(ids::kTrafficThreshold,
                     ClampedThreshold(store, "TrafficValueToInform", kMinTrafficThreshold,
                                      kMaxTrafficThreshold));
}

namespace {

std::string EncodedValue(const SettingSpec& setting, const SettingsControls& controls) {
    switch (setting.kind) {
        case K::Flag:
            return EncodeFlag(controls.Checked(setting.control));
        case K::Colour:
            return EncodeColour(controls.Colour(setting.control));
        case K::Integer:
            return EncodeInteger(controls.Position(setting.control));
        default:  // K::Text
            return controls.Text(setting.control);
    }
}

}  // namespace

bool SaveSettings(const SettingsControls& controls, SettingsStore& store, MessageBoxes& boxes) {
    std::optional<Outcome> firstFailure;
    for (std::string_view name : kSaveOrder) {
        const Outcome written = store.Write(name, EncodedValue(FindSetting(name), controls));
        if (!written.ok() && !firstFailure) {
            firstFailure = written;
        }
    }
    if (firstFailure) {
        // A silent failure would bring back the old settings at the next start, unexplained.
        boxes.ShowError("Orvane", "The settings cannot be saved: " + firstFailure->error());
    }
    return !firstFailure;
}

std::vector<std::string> SettingsTexts(const SettingsControls& controls) {
    std::vector<std::string> texts;
    texts.reserve(kSaveOrder.size());
    for (std::string_view name : kSaveOrder) {
        texts.push_back(EncodedValue(FindSetting(name), controls));
    }
    return texts;
}

bool HoldsSetting(std::string_view control) {
    return std::any_of(kSettings.begin(), kSettings.end(),
                       [control](const SettingSpec& s) { return s.control == control; });
}

DisplayFlags DisplayFlagsOf(const SettingsControls& controls) {
    DisplayFlags flags;
    flags.bytesRecv = controls.Checked(ids::kShowBytesRecv);
    flags.bytesSend = controls.Checked(ids::kShowBytesSend);
    flags.connectSpeed = controls.Checked(ids::kShowConnectSpeed);
    flags.duration = controls.Checked(ids::kShowDuration);
    flags.curSpeed = controls.Checked(ids::kShowCurSpeed);
    flags.averageSpeed = controls.Checked(ids::kShowAverageSpeed);
    flags.clientIp = controls.Checked(ids::kShowClientIp);
    flags.serverIp = controls.Checked(ids::kShowServerIp);
    return flags;
}

}  // namespace orv
