#pragma once
// The detailed statistics page "Подробная статистика": the session list rebuilt each time the
// page is shown, the totals box, the selection sums in the status bar, and the buttons that
// show the month chart, clear the statistics, save them as HTML and print them.

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/control_reactions_win32.h"
#include "app/main_window_win32.h"
#include "base/language_code.h"
#include "stats/csv_report.h"
#include "stats/html_report.h"
#include "stats/month_chart_window_win32.h"
#include "stats/print_job.h"
#include "stats/session_list.h"
#include "stats/session_list_view_win32.h"
#include "stats/statistics_file.h"

namespace orv {

struct StatisticsPageServices {
    StatisticsFile& file;
    UserPrompts& prompts;
    SaveDialog& saveDialog;
    ReportFiles& reportFiles;
    std::string thousandsSeparator;
    MonthChartWindow* monthChart = nullptr;  // "Show Detail" shows its month chart
    PrinterDialog* printer = nullptr;        // "Print Statistics" prints through it
    std::function<std::string()> printedAt;  // the date and time a printed title shows
    const LanguageCode* language = nullptr;  // of the selection sums; none: Russian
    const CsvExport* csv = nullptr;          // "Save as Html" offers CSV too
};

class StatisticsPage {
  public:
    StatisticsPage(MainWindow& window, StatisticsPageServices services);

    // The page answers its buttons, its list and its showing and leaving.
    void Register(ControlReactions& controls);
    static std::span<const ReactionRow<StatisticsPage>> Reactions() { return kReactions; }

    // LoadSessionList, then the totals; the list shows the new rows, none selected.
    void Shown();
    // A session was stored: a visible list shows it at once, and keeps the selection.
    void SessionStored();
    // The input focus left the page: the selection sums leave the status bar.
    void Left();
    // The list's notifications; a selection change runs UpdateSelectionSums.
    void Notify(const NMHDR& header);
    // "Clear statistics", after the user's yes.
    void ClearStatistics();
    // "Save as Html": the report (or the CSV export) where the user chooses.
    void SaveAsHtml();
    // "Show Detail": the month chart of the choice "Время", "Принято" or "Отправлено".
    void ShowMonthChart();
    // "Print Statistics": the session list as the page shows it, with its totals.
    void PrintStatistics();

    const SessionList& List() const { return list_; }

  private:
    static const ReactionRow<StatisticsPage> kReactions[5];

    // The list and the totals from the document, as they are now.
    void LoadRows();
    void UpdateSelectionSums();

    MainWindow& window_;
    StatisticsPageServices services_;
    SessionList list_;
    TotalsTexts totals_;
    SessionListView view_;
    std::size_t shownRevision_ = 0;  // the file's revision the rows were loaded at
};

}  // namespace orv
