#include "app/monitor_settings.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "app/settings_encoding.h"
#include "app/settings_reactions.h"
#include "monitor/drawing_colours.h"

namespace orv {
namespace {

using K = SettingKind;

constexpr SettingSpec Flag(std::string_view name, bool on, std::string_view control,
                           bool reapplied = false) {
    return {name, K::Flag, on ? 1u : 0u, {}, control, reapplied};
}
constexpr SettingSpec Text(std::string_view name, std::string_view fallback,
                           std::string_view control) {
    return {name, K::Text, 0, fallback, control};
}
constexpr SettingSpec Colour(std::string_view name, std::uint32_t fallback,
                             std::string_view control) {
    return {name, K::Colour, fallback, {}, control};
}

constexpr std::array kSettings{
    Text("SndTimeFile", "", ids::kTimeFile),
    Text("SndSpeedFile", "", ids::kSpeedFile),
    Text("SndTrafficFile", "", ids::kTrafficFile),
    Text("SndConnectedFile", "", ids::kConnectedFile),
    Text("SndDisconnectedFile", "", ids::kDisconnectedFile),
    Flag("BytesRecv", false, ids::kShowBytesRecv),
    Flag("BytesSend", false, ids::kShowBytesSend),
    Flag("ConnectSpeed", false, ids::kShowConnectSpeed),
    Flag("Duration", false, ids::kShowDuration),
    Flag("ClientIP", false, ids::kShowClientIp),
    Flag("ServerIP", false, ids::kShowServerIp),
    Flag("FlowingWindow", true, ids::kFloatingWindow),
    Flag("CurSpeed", false, ids::kShowCurSpeed),
    Flag("AverageSpeed", false, ids::kShowAverageSpeed),
    Flag("PlaySndConnected", false, ids::kPlaySoundConnected),
    Flag("ShowMsgConnected", false, ids::kShowMessageConnected),
    Flag("PlaySndTime", false, ids::kPlaySoundTime),
    Flag("ShowMsgTime", false, ids::kShowMessageTime),
    Flag("HangUpTime", false, ids::kHangUpTime),
    Flag("PlaySndSpeed", false, ids::kPlaySoundSpeed),
    Flag("ShowMsgSpeed", false, ids::kShowMessageSpeed),
    Flag("HangUpSpeed", false, ids::kHangUpSpeed),
    Flag("PlaySndTraffic", false, ids::kPlaySoundTraffic),
    Flag("ShowMsgTraffic", false, ids::kShowMessageTraffic),
    Flag("HangUpTraffic", false, ids::kHangUpTraffic),
    Flag("AutoRun", true, ids::kAutoRun, true),
    Flag("ShutDown", false, ids::kShutDown),
    Flag("StayOnTop", true, ids::kStayOnTop, true),
    Flag("SpeechPlugin", false, ids::kSpeechPlugin),
    Flag("RedialOnFailure", false, ids::kRedial),
    Colour("BackGround", kDesktopColour, ids::kBackgroundSwatch),
    Colour("RecvColor", 0x0000FF00u, ids::kReceivedSwatch),
    Colour("SendColor", 0x000000FFu, ids::kSentSwatch),
    Colour("TimeColor", 0x00FFFFFFu, ids::kTimeSwatch),
    Colour("BorderColor", kButtonFaceColour, ids::kBorderSwatch),
    SettingSpec{"TranspValue", K::Integer, kMaxTransparency, {}, ids::kTransparency},
    Text("TimeValueToInform", "10", ids::kTimeThreshold),
    Text("SpeedValueToInform", "0", ids::kSpeedThreshold),
    Text("TrafficValueToInform", "100", ids::kTrafficThreshold),
    Text("Language", "eng", ids::kLanguage),
};

constexpr std::array<std::string_view, 40> kSaveOrder{
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
};
static_assert(kSaveOrder.size() == kSettings.size());

bool IsReadSeparately(std::string_view name) {
    return name == "TimeValueToInform" || name == "SpeedValueToInform" ||
           name == "TrafficValueToInform" || name == "Language";
}

std::optional<std::string> Stored(const SettingsStore& store, const SettingSpec& spec) {
    return store.Read(spec.name);
}

bool ReadFlag(const SettingsStore& store, const SettingSpec& spec) {
    return DecodeFlag(Stored(store, spec), spec.defaultNumber != 0);
}

// A threshold field's number: unparsable texts give the default, the rest is kept inside the
// range of the field's up/down buttons.
std::string ClampedThreshold(const SettingsStore& store, std::string_view name, int low, int high) {
    const SettingSpec& spec = FindSetting(name);
    const auto fallback = DecodeInteger(spec.defaultText, 0);
    return std::to_string(std::clamp<int>(DecodeInteger(Stored(store, spec), fallback), low, high));
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
        throw std::out_of_range("unknown setting " + std::string(name));
    }
    return *found;
}

bool ReadStartupFlag(const SettingsStore& store) {
    return ReadFlag(store, FindSetting("FlowingWindow"));
}

void LoadSettings(const SettingsStore& store, SettingsControls& controls,
                  SettingsReactions& reactions) {
    for (const SettingSpec& spec : kSettings) {
        if (IsReadSeparately(spec.name)) {
            continue;
        }
        switch (spec.kind) {
            case K::Text:
                controls.SetText(spec.control,
                                 Stored(store, spec).value_or(std::string(spec.defaultText)));
                break;
            case K::Flag:
                reactions.SetSwitch(spec.control, ReadFlag(store, spec));
                if (spec.reappliedOnLoad) {
                    reactions.SwitchChanged(spec.control);
                }
                break;
            case K::Colour:
                reactions.ApplyColour(spec.control,
                                      DecodeColour(Stored(store, spec), spec.defaultNumber));
                break;
            case K::Integer:
                controls.SetPosition(
                    spec.control,
                    std::clamp<int>(DecodeInteger(Stored(store, spec),
                                                  static_cast<std::int32_t>(spec.defaultNumber)),
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

void SaveSettings(const SettingsControls& controls, SettingsStore& store) {
    for (std::string_view name : kSaveOrder) {
        const SettingSpec& spec = FindSetting(name);
        switch (spec.kind) {
            case K::Text:
                store.Write(name, controls.Text(spec.control));
                break;
            case K::Flag:
                store.Write(name, EncodeFlag(controls.Checked(spec.control)));
                break;
            case K::Colour:
                store.Write(name, EncodeColour(controls.Colour(spec.control)));
                break;
            case K::Integer:
                store.Write(name, EncodeInteger(controls.Position(spec.control)));
                break;
        }
    }
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
