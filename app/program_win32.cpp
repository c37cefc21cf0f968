#include "app/program_win32.h"

#include <array>

#include "app/exit_sequence.h"
#include "app/monitor_commands_win32.h"
#include "app/picture_box_win32.h"
#include "app/registry_settings_store_win32.h"
#include "app/settings_page_win32.h"
#include "base/win32/wide_text.h"
#include "remote/plugin_control.h"

namespace orv {
namespace {

// ---- Steps whose subsystem is not built yet. Each is called in its place of the creation
// ---- order, the exit sequence or a control's reaction, and does nothing until it lands.
namespace not_built_yet {

// Threshold events: the connect and disconnect announcements and the minute check (Timer2).
class ConnectionNotices final : public orv::ConnectionNotices {
  public:
    void NotifyConnected() override {}
    void NotifyDisconnected() override {}
};
void MinuteCheck() {}

// Language files: BuildLanguageList and ApplyLanguageFile.
void BuildLanguageListAndApplyLanguage() {}
// Phonebook entries and devices: LoadPhonebookEntries and LoadDevices.
void LoadPhonebookEntries() {}
void LoadDevices() {}
// The launch list: load it and start the programs marked to start with the monitor; save it.
void LoadLaunchListAndStartOnLoad() {}
void SaveLaunchList() {}
// Dialing: the Dial and HangUp buttons' actions, which remote commands 13 and 14 run.
void Button3Click() {}
void Button2Click() {}
// Month charts and printing of the detailed statistics page.
void ShowMonthChart() {}
void PrintStatistics() {}

}  // namespace not_built_yet
// ----

constexpr std::array kSwatches{ids::kBackgroundSwatch, ids::kReceivedSwatch, ids::kSentSwatch,
                               ids::kTimeSwatch, ids::kBorderSwatch};

std::string FolderOf(const std::wstring& filePath) {
    return Narrow(filePath.substr(0, filePath.find_last_of(L'\\') + 1));
}

}  // namespace

Program::Program(HINSTANCE instance)
    : instance_(instance),
      programFolder_(FolderOf(ProgramFilePath())),
      formats_(ReadUserRegionalFormats()),
      floating_(colours_),
      dialogs_([this] { return main_.Handle(); }),
      autorun_(ProgramFilePath()),
      plugin_([this] { return floating_.Handle(); }),
      settingsControls_([this](std::string_view id) { return main_.Control(id); }),
      reactions_(settingsControls_,
                 SettingsPorts{dialogs_, dialogs_, floating_, autorun_, colours_, systemColours_,
                               [this](bool on) { SpeechSwitched(on); }}),
      statistics_(document_, StatisticsServices{files_, prompts_, logon_, clock_}),
      display_(main_, settingsControls_),
      notices_(std::make_unique<not_built_yet::ConnectionNotices>()) {}

Program::~Program() = default;

bool Program::Create() {
    FloatingWindowEvents floatingEvents;
    floatingEvents.readStartupFlag = [] { return ReadStartupFlag(ProgramSettingsStore()); };
    floatingEvents.closing = [this] { ExitSequence(); };
    floatingEvents.sessionEnding = [this] { SaveBeforeSessionEnd(); };
    floatingEvents.toggleMainWindow = [this] { main_.ToggleVisible(); };
    floatingEvents.showPage = [this](int code) { main_.ShowPage(code); };
    floatingEvents.trayInfoText = [this] { return TrayInfoText(); };
    floatingEvents.remoteCommands = MonitorCommandActions(
        {main_, settingsControls_, ProgramSettingsStore(), shutdown_, dialogs_,
         not_built_yet::SaveLaunchList, not_built_yet::Button3Click, not_built_yet::Button2Click});
    if (!floating_.Create(instance_, std::move(floatingEvents))) {
        return false;
    }

    RegisterSettingsReactions(controls_, reactions_);
    MainWindowEvents mainEvents;
    mainEvents.controls = &controls_;
    mainEvents.timer1 = [this] { monitor_->MonitorTick(); };
    mainEvents.timer2 = [] { not_built_yet::MinuteCheck(); };
    if (!main_.Create(instance_, std::move(mainEvents))) {
        return false;
    }
    CreateMainWindow();
    return true;
}

// The creation of the main window, after its pages and controls exist.
void Program::CreateMainWindow() {
    prompts_.SetOwner(main_.Handle());
    saveDialog_.SetOwner(main_.Handle());
    statisticsPage_ = std::make_unique<StatisticsPage>(
        main_, StatisticsPageServices{statistics_, prompts_, saveDialog_, files_,
                                      formats_.thousandsSeparator});
    statisticsPage_->Register(controls_);
    controls_.OnClick(ids::kShowDetail, not_built_yet::ShowMonthChart);
    controls_.OnClick(ids::kPrintStatistics, not_built_yet::PrintStatistics);

    statistics_.OpenStatistics(programFolder_);                           // 1
    main_.AssignButtonImages();                                           // 2
    LoadSettings(ProgramSettingsStore(), settingsControls_, reactions_);  // 3
    not_built_yet::BuildLanguageListAndApplyLanguage();                   // 4
    not_built_yet::LoadPhonebookEntries();                                // 5
    not_built_yet::LoadDevices();                                         // 6
    not_built_yet::LoadLaunchListAndStartOnLoad();                        // 7
    CopySwatchColours();                                                  // 8
    main_.ShowApplicationIcon(ProgramIcon(instance_, IconSize::Large));   // 9
    CreateMainGraphPicture();                                             // 10
    ReadThresholds(ProgramSettingsStore(), settingsControls_);            // 11
    main_.EnableTimers();                                                 // 12
}

void Program::CopySwatchColours() {
    for (std::string_view swatch : kSwatches) {
        reactions_.ApplyColour(swatch, settingsControls_.Colour(swatch));
    }
}

void Program::CreateMainGraphPicture() {
    mainGraphPicture_ =
        std::make_unique<GdiCanvas>(TrafficGraphDrawing::kWidth, TrafficGraphDrawing::kHeight);
    HWND graphArea = main_.Control(ids::kTrafficGraph);
    AttachPicture(graphArea, mainGraphPicture_.get());
    graphs_ = std::make_unique<TrafficGraphDrawing>(
        *mainGraphPicture_, colours_, [graphArea] { InvalidateRect(graphArea, nullptr, FALSE); },
        floating_.Drawing());
    monitor_ = std::make_unique<ConnectionMonitor>(source_, display_, *graphs_, statistics_,
                                                   *notices_, formats_, clock_, current_);
}

// The floating window's close handler.
void Program::ExitSequence() {
    RunExitSequence(settingsControls_, ProgramSettingsStore(),
                    ExitSteps{not_built_yet::SaveLaunchList, [this] { ClosePlugin(plugin_); }},
                    shutdown_, dialogs_);
}

void Program::SpeechSwitched(bool on) {
    const PluginControlView view{
        [this](std::string_view text) { main_.SetStatusText(text); },
        [this] { settingsControls_.SetChecked(ids::kSpeechPlugin, false); }};
    if (on) {
        StartPlugin(programFolder_, plugin_, view);
    } else {
        StopPlugin(plugin_, view);
    }
}

// A log-off or shut-down ends the process without the floating window's close; what the user
// chose in this run is kept all the same. The computer is not shut down from here: the session
// is already ending the way the user asked.
void Program::SaveBeforeSessionEnd() {
    SaveSettings(settingsControls_, ProgramSettingsStore());
    not_built_yet::SaveLaunchList();
}

int Program::Run() {
    if (floating_.ShownAtStart() && settingsControls_.Checked(ids::kFloatingWindow)) {
        floating_.Show();
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(main_.Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

std::string Program::TrayInfoText() const {
    return monitor_ ? monitor_->State().TrayInfoText : std::string();
}

}  // namespace orv
