#pragma once
// The running monitor: its windows, the start-up steps of every subsystem in their fixed
// order, the timers, and the exit sequence that runs when the floating window closes.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/allowance_view_win32.h"
#include "app/control_reactions_win32.h"
#include "app/dial_page_win32.h"
#include "app/language_switch_win32.h"
#include "app/launch_page_win32.h"
#include "app/machine_autorun_win32.h"
#include "app/main_window_win32.h"
#include "app/monitor_display_win32.h"
#include "app/monitor_settings.h"
#include "app/settings_autosave.h"
#include "app/settings_controls_win32.h"
#include "app/settings_reactions.h"
#include "app/statistics_page_win32.h"
#include "app/shutdown_notice_win32.h"
#include "app/windows_shutdown_win32.h"
#include "base/win32/stored_colour.h"
#include "base/win32/user_dialogs.h"
#include "base/win32/user_locale.h"
#include "launcher/launch_files_win32.h"
#include "launcher/launch_list.h"
#include "monitor/floating_window_win32.h"
#include "monitor/monitor_tick.h"
#include "monitor/ras_connection_source_win32.h"
#include "monitor/sound_player_win32.h"
#include "monitor/threshold_events.h"
#include "monitor/traffic_graph_drawing.h"
#include "remote/plugin_platform_win32.h"
#include "stats/file_storage_win32.h"
#include "stats/journal_file_win32.h"
#include "stats/logon_name_win32.h"
#include "stats/month_chart_window_win32.h"
#include "stats/msxml_reader_win32.h"
#include "stats/print_job_win32.h"
#include "stats/save_dialog_win32.h"
#include "stats/session_journal.h"
#include "stats/user_prompts_win32.h"

namespace orv {

// The journal's sessions go to the statistics file, and then to the session list, which shows
// them at once if it is in view.
class SessionsInView final : public SessionArchive {
  public:
    SessionsInView(StatisticsFile& file, StatisticsPage& page) : file_(file), page_(page) {}
    void AppendSession(const ConnectionInfo& session) override {
        file_.AppendSession(session);
        page_.SessionStored();
    }
    std::size_t UnsavedSessions() const override { return file_.UnsavedSessions(); }
    bool SaveKeptSessions() override { return file_.SaveKeptSessions(); }
    const StatisticsDocument& Document() const override { return file_.Document(); }

  private:
    StatisticsFile& file_;
    StatisticsPage& page_;
};

// The journal's archive: a stored session passes the allowance's tally, which adds it to the
// period's sums without reading the file again; the rest is the archive's own.
class TalliedArchive final : public SessionArchive {
  public:
    TalliedArchive(SessionStore& tally, SessionArchive& archive) : tally_(tally), archive_(archive) {}
    void AppendSession(const ConnectionInfo& session) override { tally_.AppendSession(session); }
    std::size_t UnsavedSessions() const override { return archive_.UnsavedSessions(); }
    bool SaveKeptSessions() override { return archive_.SaveKeptSessions(); }
    const StatisticsDocument& Document() const override { return archive_.Document(); }

  private:
    SessionStore& tally_;
    SessionArchive& archive_;
};

// What the user is told without a box: the status bar, which keeps it, and a tray balloon,
// which is seen while the main window is hidden.
class StatusAndBalloonNotices final : public Notices {
  public:
    StatusAndBalloonNotices(MainWindow& main, FloatingWindow& floating)
        : main_(main), floating_(floating) {}
    void Notify(std::string_view text) override {
        main_.SetStatusText(text);
        floating_.ShowTrayBalloon(text);
    }

  private:
    MainWindow& main_;
    FloatingWindow& floating_;
};

class Program {
  public:
    explicit Program(HINSTANCE instance);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the floating window (the application's main window), then the main window with
    // every start-up step; false when a window could not be created.
    bool Create();
    // Shows the floating window if it is shown at start and runs the message loop until the
    // floating window closes; the process's exit code.
    int Run();

  private:
    void CreateMainWindow();
    // The journal's note of the running session, once there is a journal.
    void NoteSession();
    // The dial page's "Dial" and "HangUp" for the pop-up menu and the remote commands.
    void Dial();
    void HangUp();
    void CopySwatchColours();
    void LoadLaunchListAndStartOnLoad();
    void SaveLaunchList();
    void EndDialing();
    void ExitSequence();
    // A close that arrives while the program starts waits for the start's end: the controls
    // and the launch list do not hold what was loaded yet.
    bool CloseWaits();
    void CarryOutWaitingClose();
    void SaveBeforeSessionEnd();
    void ContinueNotedSession();
    void ShutDownCalledOff();
    // "Голос. управл." switched by the user or by LoadSettings.
    void SpeechSwitched(bool on);
    TickFigures MinuteFigures() const;
    std::string TrayInfoText() const;

    // The parts that work on the main window's controls, made by Create once those exist, each
    // after what it needs: the pages; the rules, which hang the line up through the dial page;
    // the allowance's tally and the journal that stores each session through it; last the
    // traffic pictures and the tick, which stores through the journal and tells the rules. The
    // rules and the journal ask the tick for the running figures only once it runs. What the
    // floating window reports before the parts exist finds none and is ignored.
    struct Parts {
        explicit Parts(Program& program);

        StatisticsPage statisticsPage;
        SessionsInView sessionsInView;
        Win32LaunchPageView launchView;
        LaunchPage launchPage;
        DialPage dialPage;
        ThresholdEvents events;
        AllowanceView allowance;
        TalliedArchive talliedArchive{allowance.Sessions(), sessionsInView};
        SessionJournal journal;
        GdiCanvas mainGraphPicture{TrafficGraphDrawing::kWidth, TrafficGraphDrawing::kHeight};
        TrafficGraphDrawing graphs;
        ConnectionMonitor monitor;
    };

    // What every part shares.
    HINSTANCE instance_;
    std::string programFolder_;
    RegionalFormats formats_;
    SystemClock clock_;
    Win32SystemColours systemColours_;
    DrawingColours colours_;
    LanguageCode language_;

    // The windows, and the boxes and dialogs they own.
    FloatingWindow floating_;
    ControlReactions controls_;
    MainWindow main_;
    MonthChartWindow monthChart_{language_, formats_};
    Win32UserDialogs dialogs_;
    StatusAndBalloonNotices notices_{main_, floating_};
    MessageBoxPrompts prompts_;
    PromptQuestions questions_{prompts_};
    Win32SaveDialog saveDialog_;
    Win32PrinterDialog printer_;

    // The settings and the system: the pages' switches and their reactions, the language
    // files, autostart, the shut-down and the speech companion.
    RunKeyHive machineRunKey_{HKEY_LOCAL_MACHINE};
    RunKeyHive userRunKey_{HKEY_CURRENT_USER};
    RunKeyAutorunEntry autorun_;
    WindowsShutdown shutdown_;
    MessageBoxShutdownNotice shutdownNotice_{[this] { return main_.Handle(); }, language_};
    ShellPluginPlatform plugin_;
    PluginControl pluginControl_;
    LanguageSwitch languages_;
    Win32SettingsControls settingsControls_;
    SettingsReactions reactions_;

    // The statistics file and the running session's journal file.
    Win32FileStorage files_;
    MsxmlRecordReader xmlReader_;
    StatisticsStore document_{files_, xmlReader_};
    Win32LogonName logon_;
    StatisticsFile statistics_;
    Win32JournalFile journalFile_;
    CsvExport csvExport_{files_, formats_};

    // The launch list; LaunchPrograms(StartMoment::AfterDial) is the threshold events' to call.
    Win32LaunchListFile launchFile_;
    Win32ProgramShell launchShell_;
    Win32ProgramPictures launchPictures_;
    LaunchList launchList_;

    // The line: the service, the connection followed, and where the tick shows it.
    Win32ConnectionSource source_;
    CurrentConnection current_;
    Win32MonitorDisplay display_;
    Win32SoundPlayer sounds_;

    std::unique_ptr<Parts> parts_;
    // Made once the thresholds are read, so that what the start wrote is no change to save.
    std::unique_ptr<SettingsAutosave> autosave_;

    bool started_ = false;        // the main window's creation has ended
    bool closeWaiting_ = false;   // a close arrived before that
    bool shutDownAsked_ = false;  // code 12's shut-down was taken by the system
    bool ended_ = false;          // set once the exit sequence has run
};

}  // namespace orv
