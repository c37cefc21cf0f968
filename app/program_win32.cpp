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
      autorun_(ProgramFilePath(), machineRunKey_, userRunKey_),
      plugin_([this] { return floating_.Handle(); }),
      pluginControl_(plugin_,
                     PluginControlView{
                         [this](std::string_view text) { main_.SetStatusText(text); },
                         [this] { settingsControls_.SetChecked(ids::kSpeechPlugin, false); }}),
      languages_(language_, programFolder_,
                 LanguageWindows{[this] { return floating_.Handle(); },
                                 [this] { return floating_.Menu(); }, &main_,
                                 [this] { return monthChart_.Handle(); },
                                 [this] { monthChart_.LanguageChanged(); }}),
      settingsControls_([this](std::string_view id) { return main_.Control(id); }),
      reactions_(settingsControls_,
                 SettingsPorts{dialogs_, dialogs_, floating_, autorun_, colours_, systemColours_,
                               [this](bool on) { SpeechSwitched(on); }, &language_,
                               [this](std::string_view text) { main_.SetStatusText(text); }}),
      statistics_(document_,
                  StatisticsServices{files_, prompts_, notices_, logon_, clock_,
                                     [this](std::string_view text) { main_.SetStatusText(text); }}),
      launchShell_([this] { return floating_.Handle(); }),
      launchList_(LaunchServices{launchFile_, launchShell_, launchPictures_, dialogs_, notices_,
                                 [this](const std::string& text) { main_.SetStatusText(text); },
                                 &language_},
                  programFolder_),
      display_(main_, settingsControls_) {}

Program::Parts::Parts(Program& program)
    : statisticsPage(
          program.main_,
          StatisticsPageServices{
              program.statistics_, program.prompts_, program.saveDialog_, program.files_,
              program.formats_.thousandsSeparator, &program.monthChart_, &program.printer_,
              [&program] { return FormatLocalDateTime(program.clock_.Now(), program.formats_); },
              &program.language_, &program.csvExport_}),
      sessionsInView(program.statistics_, statisticsPage),
      launchView([&main = program.main_](std::string_view id) { return main.Control(id); },
                 program.launchPictures_.List()),
      launchPage(program.launchList_, launchView, program.dialogs_),
      dialPage(program.main_,
               DialPageServices{program.source_, program.source_, program.current_,
                                program.dialogs_, program.questions_, program.floating_.Handle(),
                                program.language_}),
      events(ThresholdEventPorts{program.settingsControls_, program.sounds_, program.floating_,
                                 [&dialer = dialPage.Dialing()] { dialer.HangUpByRule(); },
                                 [&list = program.launchList_] {
                                     list.LaunchPrograms(StartMoment::AfterDial);
                                 },
                                 &program.language_},
             program.current_, [&program] { return program.MinuteFigures(); }),
      allowance(AllowanceServices{
          sessionsInView, program.document_, program.settingsControls_, program.sounds_,
          program.floating_, program.clock_, program.formats_, program.language_,
          [&dialer = dialPage.Dialing()] { dialer.HangUpByRule(); },
          [this] { return RunningUseOf(monitor); },
          [&main = program.main_](std::string_view id) { return main.Control(id); }}),
      journal(JournalServices{
          program.journalFile_, talliedArchive,
          [this] { return monitor.Running(); },
          [&main = program.main_](std::string_view text) { main.SetStatusText(text); }}),
      graphs(mainGraphPicture, program.colours_,
             [graphArea = program.main_.Control(ids::kTrafficGraph)] {
                 ShowChangedPicture(graphArea);
             },
             program.floating_.Drawing()),
      monitor(program.source_, program.display_, graphs, journal, events, program.formats_,
              program.clock_, program.current_, &program.language_) {}

Program::~Program() = default;

bool Program::Create() {
    FloatingWindowEvents floatingEvents;
    floatingEvents.readStartupFlag = [] { return ReadStartupFlag(ProgramSettingsStore()); };
    floatingEvents.closing = [this] {
        ExitSequence();
        ended_ = true;  // the floating window is destroyed next; the loop ends after it
    };
    floatingEvents.closeWaits = [this] { return CloseWaits(); };
    floatingEvents.sessionQuery = [this] { NoteSession(); };
    floatingEvents.sessionEnding = [this] { SaveBeforeSessionEnd(); };
    floatingEvents.sessionEndCancelled = [this] { ShutDownCalledOff(); };
    floatingEvents.toggleMainWindow = [this] { main_.ToggleVisible(); };
    floatingEvents.showPage = [this](int code) { main_.ShowPage(code); };
    floatingEvents.trayInfoText = [this] { return TrayInfoText(); };
    floatingEvents.lineEntries = [this] {
        if (!parts_) {
            return LineEntries{};
        }
        DialPage& page = parts_->dialPage;
        return LineEntryStates(page, current_, page.Dialing().RedialPending());
    };
    floatingEvents.connect = [this] { Dial(); };
    floatingEvents.disconnect = [this] { HangUp(); };
    floatingEvents.remoteCommands = MonitorCommandActions(
        {main_, settingsControls_, ProgramSettingsStore(), shutdown_, dialogs_,
         [this] { SaveLaunchList(); }, [this] { Dial(); }, [this] { HangUp(); }, &shutdownNotice_,
         [this] { NoteSession(); }, [this](std::string_view text) { main_.SetStatusText(text); },
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
    // The timers run from the last creation step on, when the parts exist.
    mainEvents.timer1 = [this] {
        statistics_.RetryPendingRead();  // first, so that a session ending now finds it read
        parts_->monitor.MonitorTick();
        parts_->allowance.ShowFigures();
        pluginControl_.WatchStep();
    };
    // The allowance is the fourth rule, after the three.
    mainEvents.timer2 = [this] {
        parts_->events.MinuteCheck();
        parts_->allowance.MinuteCheck();
        parts_->journal.Note();
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
    parts_ = std::make_unique<Parts>(*this);
    Parts& parts = *parts_;
    parts.launchView.Register(controls_, parts.launchPage);
    parts.statisticsPage.Register(controls_);
    languages_.Register(controls_);
    parts.dialPage.Register(controls_);

    statistics_.OpenStatistics(programFolder_);  // 1
    parts.journal.Open(programFolder_);
    main_.AssignButtonImages();                                           // 2
    // The boxes the settings load may show follow the stored language, which the language
    // list applies only at the next step.
    language_.Set(ProgramSettingsStore().Read("Language").value_or(
        std::string(FindSetting("Language").defaultText)));
    LoadSettings(ProgramSettingsStore(), settingsControls_, reactions_);  // 3
    languages_.BuildLanguageListAndApply(ProgramSettingsStore());         // 4
    parts.dialPage.Entries().LoadPhonebookEntries();                      // 5
    parts.dialPage.Entries().LoadDevices();                               // 6
    LoadLaunchListAndStartOnLoad();                                       // 7
    CopySwatchColours();                                                  // 8
    main_.ShowApplicationIcon(ProgramIcon(instance_, IconSize::Large));   // 9
    AttachPicture(main_.Control(ids::kTrafficGraph), &parts.mainGraphPicture);  // 10
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
    parts.monitor.MonitorTick();
}

void Program::NoteSession() {
    if (parts_) {
        parts_->journal.Note();
    }
}

void Program::Dial() {
    if (parts_) {
        parts_->dialPage.Dialing().Button3Click();
    }
}

void Program::HangUp() {
    if (parts_) {
        parts_->dialPage.Dialing().Button2Click();
    }
}

// What an earlier run noted of its running session: continued when its line is still up,
// stored as ended at its last note otherwise.
void Program::ContinueNotedSession() {
    const std::optional<LiveLine> first = ReadFirstLine(source_, clock_);
    parts_->journal.Resume(first, [this, &first](const RunningSession& noted) {
        parts_->monitor.ContinueSession(noted, *first);
    });
}

void Program::CopySwatchColours() {
    for (std::string_view swatch : kSwatches) {
        reactions_.ApplyColour(swatch, settingsControls_.Colour(swatch));
    }
}

void Program::LoadLaunchListAndStartOnLoad() {
    launchList_.LoadLaunchList();
    parts_->launchPage.ShowList();
    launchList_.LaunchPrograms(StartMoment::WithMonitor);
}

void Program::SaveLaunchList() {
    if (!started_) {
        return;  // the list shows only what was loaded once the start is over
    }
    // Parameters still being typed have not been stored by leaving their field.
    parts_->launchPage.Edit14Exit();
    launchList_.SaveLaunchList();
}

// The floating window's close handler.
void Program::ExitSequence() {
    RunExitSequence(settingsControls_, ProgramSettingsStore(),
                    ExitSteps{[this] { NoteSession(); }, [this] { SaveLaunchList(); },
                              [this] { pluginControl_.ClosePlugin(); }},
                    shutdown_, dialogs_, &shutdownNotice_);
    EndDialing();
}

// A dial still on its way is hung up with the program: no one would follow its progress or
// hang up its handle should it fail. A line already up stays up.
void Program::EndDialing() {
    if (parts_) {
        parts_->dialPage.Dialing().EndOfRun();
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
    NoteSession();
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
    if (!parts_) {
        return {};
    }
    const ConnectionMonitor& monitor = parts_->monitor;
    const ConnectionSnapshot& snapshot = monitor.Snapshot();
    return TickFigures{monitor.State().InSession, monitor.State().LineConnected,
                       snapshot.DurationMs, snapshot.LinkSpeed, snapshot.TotalBytes};
}

std::string Program::TrayInfoText() const {
    if (!parts_) {
        return {};
    }
    return parts_->allowance.WithTrayLine(parts_->monitor.State().TrayInfoText);
}

}  // namespace orv
