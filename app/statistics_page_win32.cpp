#include "app/statistics_page_win32.h"

#include "base/win32/wide_text.h"

namespace orv {

StatisticsPage::StatisticsPage(MainWindow& window, StatisticsPageServices services)
    : window_(window),
      services_(std::move(services)),
      view_(window.Control(ids::kSessionList), list_) {}

void StatisticsPage::Register(ControlReactions& controls) {
    for (std::string_view button : {ids::kClearStatistics, ids::kSaveAsHtml}) {
        controls.OnClick(button, [this, button] { Command(button); });
    }
    if (services_.monthChart) {
        controls.OnClick(ids::kShowDetail, [this] { ShowMonthChart(); });
    }
    if (services_.printer) {
        controls.OnClick(ids::kPrintStatistics, [this] { PrintStatistics(); });
    }
    controls.OnNotify(ids::kSessionList, [this](const NMHDR& header) -> LRESULT {
        Notify(header);
        return 0;
    });
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

bool StatisticsPage::Command(std::string_view id) {
    if (id == ids::kClearStatistics) {
        if (services_.file.ClearStatistics(list_)) {
            Shown();
        }
        return true;
    }
    if (id == ids::kSaveAsHtml) {
        SaveStatisticsAsHtml(list_, services_.saveDialog, services_.reportFiles, services_.prompts,
                             services_.csv);
        return true;
    }
    return false;
}

void StatisticsPage::ShowMonthChart() {
    const auto chosen = [this](std::string_view id) {
        return SendMessageW(window_.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    const MonthChartKind kind = chosen(ids::kTimeChart)       ? MonthChartKind::Time
                                : chosen(ids::kReceivedChart) ? MonthChartKind::Received
                                                              : MonthChartKind::Sent;
    services_.monthChart->Show(list_, kind);
}

void StatisticsPage::PrintStatistics() {
    const std::string printedAt = services_.printedAt ? services_.printedAt() : std::string();
    orv::PrintStatistics(list_, totals_, printedAt, *services_.printer, services_.prompts);
}

}  // namespace orv
