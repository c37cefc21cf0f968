#include "app/program_win32.h"

#include <array>

#include "app/exit_sequence.h"
#include "app/monitor_commands_win32.h"
#include "app/picture_box_win32.h"
#include "app/registry_settings_store_win32.h"
#include "app/settings_page_win32.h"
#include "app/windows_shutdown_win32.h"
#include "base/win32/message_loop.h"
#include "base/win32/wide_text.h"
#include "dialer/line_entries.h"
#include "remote/plugin_control.h"

namespace orv {
namespace {

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
      monthChart_(language_, formats_),
      languages_(language_, programFolder_,
                 LanguageWindows{[this] { return floating_.Handle(); },
                                 [this] { return floating_.Menu(); }, &main_,
                                 [this] { return monthChart_.Handle(); },
                                 [this] { monthChart_.LanguageChanged(); }}),
      autorun_(ProgramFilePath(), machineRunKey_, userRunKey_),
      plugin_([this] { return floating_.Handle(); }),
      pluginControl_(plugin_,
                     PluginControlView{
                         [this](std::string_view text) { main_.SetStatusText(text); },
                         [this] { settingsControls_.SetChecked(ids::kSpeechPlugin, false); }}),
      settingsControls_([this](std::string_view id) { return main_.Control(id); }),
      reactions_(settingsControls_,
                 SettingsPorts{dialogs_, dialogs_, floating_, autorun_, colours_, systemColours_,
                               [this](bool on) { SpeechSwitched(on); }, &language_,
                               [this](std::string_view text) { main_.SetStatusText(text); }}),
      statistics_(document_,
                  StatisticsServices{files_, prompts_, notices_, logon_, clock_,
                                     [this](std::string_view text) { main_.SetStatusText(text); }}),
      journal_(JournalServices{
          journalFile_, talliedArchive_,
          [this] { return monitor_ ? monitor_->Running() : std::optional<RunningSession>(); },
          [this](std::string_view text) { main_.SetStatusText(text); }}),
      launchShell_([this] { return floating_.Handle(); }),
      launchList_(LaunchServices{launchFile_, launchShell_, launchPictures_, dialogs_, notices_,
                                 [this](const std::string& text) { main_.SetStatusText(text); },
                                 &language_},
                  programFolder_),
      display_(main_, settingsControls_),
      events_(ThresholdEventPorts{settingsControls_, sounds_, floating_,
                                  [this] { dialPage_->Dialing().HangUpByRule(); },
                                  [this] { launchList_.LaunchPrograms(StartMoment::AfterDial); },
                                  &language_},
              current_, [this] { return MinuteFigures(); }),
      allowance_(AllowanceServices{
          archiveStore_, document_, settingsControls_, sounds_, floating_, clock_, formats_,
          language_, [this] { dialPage_->Dialing().HangUpByRule(); },
          [this] { return monitor_ ? RunningUseOf(*monitor_) : RunningUse{}; },
          [this](std::string_view id) { return main_.Control(id); }}) {}

Program::~Program() = default;

bool Program::Create() {
    FloatingWindowEvents floatingEvents;
    floatingEvents.readStartupFlag = [] { return ReadStartupFlag(ProgramSettingsStore()); };
    floatingEvents.closing = [this] {
        ExitSequence();
        ended_ = true;  // the floating window is destroyed next; the loop ends after it
    };
    floatingEvents.closeWaits = [this] { return CloseWaits(); };
    floatingEvents.sessionQuery = [this] { journal_.Note(); };
    floatingEvents.sessionEnding = [this] { SaveBeforeSessionEnd(); };
    floatingEvents.sessionEndCancelled = [this] { ShutDownCalledOff(); };
    floatingEvents.toggleMainWindow = [this] { main_.ToggleVisible(); };
    floatingEvents.showPage = [this](int code) { main_.ShowPage(code); };
    floatingEvents.trayInfoText = [this] { return TrayInfoText(); };
    floatingEvents.lineEntries = [this] {
        return dialPage_ ? LineEntryStates(*dialPage_, current_, dialPage_->Dialing().RedialPending())
                         : LineEntries{};
    };
    floatingEvents.connect = [this] { dialPage_->Dialing().Button3Click(); };
    floatingEvents.disconnect = [this] { dialPage_->Dialing().Button2Click(); };
    floatingEvents.remoteCommands = MonitorCommandActions(
        {main_, settingsControls_, ProgramSettingsStore(), shutdown_, dialogs_,
         [this] { SaveLaunchList(); }, [this] { dialPage_->Dialing().Button3Click(); },
         [this] { dialPage_->Dialing().Button2Click(); }, &shutdownNotice_,
         [this] { journal_.Note(); }, [this](std::string_view text) { main_.SetStatusText(text); },
         [this](bool taken) { shutDownAsked_ = taken; }});
    // Code 12 while the program starts saves nothing over what is not loaded yet; the
    // shut-down is asked for with the settings as they are stored.
    auto& commands = floatingEvents.remoteCommands;
    commands.saveSettings = [this, save = commands.saveSettings] {
        if (started_) {
            save();
            autosave_->SavedElsewhere();
        }
    };
    if (!floating_.Create(instance_, std::move(floatingEvents))) {
        return false;
    }

    RegisterSettingsReactions(controls_, reactions_);
    MainWindowEvents mainEvents;
    mainEvents.controls = &controls_;
    mainEvents.timer1 = [this] {
        statistics_.RetryPendingRead();  // first, so that a session ending now finds it read
        monitor_->MonitorTick();
        allowance_.ShowFigures();
        pluginControl_.WatchStep();
    };
    // The allowance is the fourth rule, after the three.
    mainEvents.timer2 = [this] {
        events_.MinuteCheck();
        allowance_.MinuteCheck();
        journal_.Note();
    };
    mainEvents.settingsDelay = [this] { autosave_->DelayElapsed(); };
    if (!main_.Create(instance_, std::move(mainEvents))) {
        return false;
    }
    CreateMainWindow();
    started_ = true;
    CarryOutWaitingClose();
    return true;
}

// The creation of the main window, after its pages and controls exist.
void Program::CreateMainWindow() {
    prompts_.SetOwner(main_.Handle());
    saveDialog_.SetOwner(main_.Handle());
    printer_.SetOwner(main_.Handle());
    statisticsPage_ = std::make_unique<StatisticsPage>(
        main_, StatisticsPageServices{statistics_, prompts_, saveDialog_, files_,
                                      formats_.thousandsSeparator, &monthChart_, &printer_,
                                      [this] { return FormatLocalDateTime(clock_.Now(), formats_); },
                                      &language_, &csvExport_});
    launchView_ = std::make_unique<Win32LaunchPageView>(
        [this](std::string_view id) { return main_.Control(id); }, launchPictures_.List());
    launchPage_ = std::make_unique<LaunchPage>(launchList_, *launchView_, dialogs_);
    launchView_->Register(controls_, *launchPage_);
    statisticsPage_->Register(controls_);
    languages_.Register(controls_);
    dialPage_ = std::make_unique<DialPage>(
        main_, DialPageServices{source_, source_, current_, dialogs_, questions_,
                                floating_.Handle(), language_});
    dialPage_->Register(controls_);

    statistics_.OpenStatistics(programFolder_);  // 1
    journal_.Open(programFolder_);
    main_.AssignButtonImages();                                           // 2
    // The boxes the settings load may show follow the stored language, which the language
    // list applies only at the next step.
    language_.Set(ProgramSettingsStore().Read("Language").value_or(
        std::string(FindSetting("Language").defaultText)));
    LoadSettings(ProgramSettingsStore(), settingsControls_, reactions_);  // 3
    languages_.BuildLanguageListAndApply(ProgramSettingsStore());         // 4
    dialPage_->Entries().LoadPhonebookEntries();                          // 5
    dialPage_->Entries().LoadDevices();                                   // 6
    LoadLaunchListAndStartOnLoad();                                       // 7
    CopySwatchColours();                                                  // 8
    main_.ShowApplicationIcon(ProgramIcon(instance_, IconSize::Large));   // 9
    CreateMainGraphPicture();                                             // 10
    ReadThresholds(ProgramSettingsStore(), settingsControls_);            // 11
    ContinueNotedSession();                                               // before the first tick
    autosave_ = std::make_unique<SettingsAutosave>(
        settingsControls_, ProgramSettingsStore(), dialogs_,
        [this](unsigned milliseconds) { main_.StartSettingsDelay(milliseconds); });
    autosave_->Arm();
    controls_.AfterEach([this](std::string_view id) { autosave_->ControlReported(id); });
    main_.EnableTimers();                                                 // 12
    // The first tick at once: the fields the tick writes show figures from the start, not the
    // design's placeholders ("Модем", "24:59:59") for the timer's first second.
    monitor_->MonitorTick();
}

// What an earlier run noted of its running session: continued when its line is still up,
// stored as ended at its last note otherwise.
void Program::ContinueNotedSession() {
    const std::optional<LiveLine> first = ReadFirstLine(source_, clock_);
    journal_.Resume(first, [this, &first](const RunningSession& noted) {
        monitor_->ContinueSession(noted, *first);
    });
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
        *mainGraphPicture_, colours_, [graphArea] { ShowChangedPicture(graphArea); },
        floating_.Drawing());
    monitor_ = std::make_unique<ConnectionMonitor>(source_, display_, *graphs_, journal_, events_,
                                                   formats_, clock_, current_, &language_);
}

void Program::LoadLaunchListAndStartOnLoad() {
    launchList_.LoadLaunchList();
    launchPage_->ShowList();
    launchList_.LaunchPrograms(StartMoment::WithMonitor);
}

void Program::SaveLaunchList() {
    if (!started_) {
        return;  // the list shows only what was loaded once the start is over
    }
    // Parameters still being typed have not been stored by leaving their field.
    launchPage_->Edit14Exit();
    launchList_.SaveLaunchList();
}

// The floating window's close handler.
void Program::ExitSequence() {
    RunExitSequence(settingsControls_, ProgramSettingsStore(),
                    ExitSteps{[this] { journal_.Note(); }, [this] { SaveLaunchList(); },
                              [this] { pluginControl_.ClosePlugin(); }},
                    shutdown_, dialogs_, &shutdownNotice_);
    EndDialing();
}

// A dial still on its way is hung up with the program: no one would follow its progress or
// hang up its handle should it fail. A line already up stays up.
void Program::EndDialing() {
    if (dialPage_) {
        dialPage_->Dialing().EndOfRun();
    }
}

bool Program::CloseWaits() {
    closeWaiting_ = closeWaiting_ || !started_;
    return !started_;
}

// Posted, so that the close runs from the message loop like any other.
void Program::CarryOutWaitingClose() {
    if (closeWaiting_) {
        PostMessageW(floating_.Handle(), WM_CLOSE, 0, 0);
    }
}

// Another program refused to close, or the user cancelled the shut-down the monitor asked for.
void Program::ShutDownCalledOff() {
    if (std::exchange(shutDownAsked_, false)) {
        main_.SetStatusText(
            "The shut-down was called off: a program did not close, or it was "
            "cancelled.");
    }
}

void Program::SpeechSwitched(bool on) {
    if (on) {
        pluginControl_.StartPlugin(programFolder_);
    } else {
        pluginControl_.StopPlugin();
    }
}

// A log-off or shut-down ends the process without the floating window's close; what the user
// chose in this run is kept all the same. The computer is not shut down from here: the session
// is already ending the way the user asked.
void Program::SaveBeforeSessionEnd() {
    journal_.Note();
    // While the program starts, the controls and the list do not hold what was loaded yet, and
    // nothing of this run can have changed: what is stored stays.
    if (started_) {
        SaveSettings(settingsControls_, ProgramSettingsStore(), dialogs_);
        SaveLaunchList();
    }
    EndDialing();
}

int Program::Run() {
    if (!closeWaiting_ && floating_.ShownAtStart() &&
        settingsControls_.Checked(ids::kFloatingWindow)) {
        floating_.Show();
    }
    return RunMessageLoop(main_.Handle(), ended_,
                          [this](const MSG& message) { return main_.HandlePageKey(message); });
}

TickFigures Program::MinuteFigures() const {
    if (!monitor_) {
        return {};
    }
    const ConnectionSnapshot& snapshot = monitor_->Snapshot();
    return TickFigures{monitor_->State().InSession, monitor_->State().LineConnected,
                       snapshot.DurationMs, snapshot.LinkSpeed, snapshot.TotalBytes};
}

std::string Program::TrayInfoText() const {
    return allowance_.WithTrayLine(monitor_ ? monitor_->State().TrayInfoText : std::string());
}

}  // namespace orv
