#include "app/statistics_page_win32.h"

#include "base/win32/wide_text.h"

namespace orv {

StatisticsPage::StatisticsPage(MainWindow& window, StatisticsPageServices services)
    : window_(window),
      services_(std::move(services)),
      view_(window.Control(ids::kSessionList), list_) {}

// SpeedButton6 to 9 are the page's buttons; the list reports its selection.
const ReactionRow<StatisticsPage> StatisticsPage::kReactions[] = {
    {"SpeedButton6", [](StatisticsPage& page) { page.ShowMonthChart(); }},  // Show Detail
    {"SpeedButton7", [](StatisticsPage& page) { page.ClearStatistics(); }},
    {"SpeedButton8", [](StatisticsPage& page) { page.SaveAsHtml(); }},
    {"SpeedButton9", [](StatisticsPage& page) { page.PrintStatistics(); }},
    {.control = "ListView1",
     .notify = [](StatisticsPage& page, const NMHDR& header) { page.Notify(header); }},
};

void StatisticsPage::Register(ControlReactions& controls) {
    controls.Register(Reactions(), *this);
    controls.OnPageShown(kDetailedStatisticsPage, [this] { Shown(); });
    controls.OnPageLeft(kDetailedStatisticsPage, [this] { Left(); });
}

void StatisticsPage::SessionStored() {
    if (!IsWindowVisible(window_.Handle()) || window_.CurrentPage() != kDetailedStatisticsPage) {
        return;
    }
    // The new session is a row after the others: the user's selection, and its sums in the
    // status bar, stay. Rows that moved (the file's records read in before this run's) do not.
    const std::size_t shownRows = list_.RowCount();
    if (services_.file.Revision() != shownRevision_) {
        Shown();
        return;
    }
    LoadRows();
    if (list_.RowCount() < shownRows) {
        view_.Refresh();
        return;
    }
    view_.ShowAddedRows();
}

void StatisticsPage::Shown() {
    LoadRows();
    view_.Refresh();
}

void StatisticsPage::LoadRows() {
    shownRevision_ = services_.file.Revision();
    totals_ = FormatTotals(LoadSessionList(services_.file.Document(), list_));
    SetWindowTextUtf8(window_.Control(ids::kTotalOnlineTime), totals_.onlineTime);
    SetWindowTextUtf8(window_.Control(ids::kTotalReceived), totals_.received);
    SetWindowTextUtf8(window_.Control(ids::kTotalSent), totals_.sent);
}

void StatisticsPage::Left() {
    window_.SetStatusText("");
}

void StatisticsPage::Notify(const NMHDR& header) {
    if (view_.HandleNotify(header)) {
        UpdateSelectionSums();
    }
}

void StatisticsPage::UpdateSelectionSums() {
    const auto rows = view_.SelectedRows();
    const bool russian = services_.language == nullptr || services_.language->IsRussian();
    window_.SetStatusText(SelectionSumsText(list_, rows, services_.thousandsSeparator, russian));
}

void StatisticsPage::ClearStatistics() {
    if (services_.file.ClearStatistics(list_)) {
        Shown();
    }
}

void StatisticsPage::SaveAsHtml() {
    SaveStatisticsAsHtml(list_, services_.saveDialog, services_.reportFiles, services_.prompts,
                         services_.csv);
}

void StatisticsPage::ShowMonthChart() {
    if (!services_.monthChart) {
        return;
    }
    const auto chosen = [this](std::string_view id) {
        return SendMessageW(window_.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    const MonthChartKind kind = chosen(ids::kTimeChart)       ? MonthChartKind::Time
                                : chosen(ids::kReceivedChart) ? MonthChartKind::Received
                                                              : MonthChartKind::Sent;
    services_.monthChart->Show(list_, kind);
}

void StatisticsPage::PrintStatistics() {
    if (!services_.printer) {
        return;
    }
    const std::string printedAt = services_.printedAt ? services_.printedAt() : std::string();
    orv::PrintStatistics(list_, totals_, printedAt, *services_.printer, services_.prompts);
}

}  // namespace orv
