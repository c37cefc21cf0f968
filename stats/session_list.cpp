#include "stats/session_list.h"

#include "stats/statistics_formats.h"

namespace orv {

std::size_t SessionList::TextCount(std::size_t row) const {
    const std::size_t next = row + 1 < rowStarts_.size() ? rowStarts_[row + 1] : textEnds_.size();
    return next - rowStarts_[row];
}

std::string_view SessionList::Text(std::size_t row, std::size_t column) const {
    if (row >= RowCount() || column >= TextCount(row)) {
        return {};
    }
    const std::size_t index = rowStarts_[row] + column;
    const std::size_t begin = index == 0 ? 0 : textEnds_[index - 1];
    return std::string_view(pool_).substr(begin, textEnds_[index] - begin);
}

void SessionList::Clear() {
    pool_.clear();
    textEnds_.clear();
    rowStarts_.clear();
}

void SessionList::Reserve(std::size_t rows, std::size_t texts, std::size_t textBytes) {
    pool_.reserve(textBytes);
    textEnds_.reserve(texts);
    rowStarts_.reserve(rows);
}

void SessionList::AddRow() {
    rowStarts_.push_back(static_cast<std::uint32_t>(textEnds_.size()));
}

void SessionList::AddText(std::string_view text) {
    pool_ += text;
    textEnds_.push_back(static_cast<std::uint32_t>(pool_.size()));
}

namespace {

// Turns the document's records into rows: the duration shown as hours, minutes and seconds,
// the duration and the two byte counts added up.
class RowBuilder final : public RecordReader {
  public:
    explicit RowBuilder(SessionList& list) : list_(list) {}

    void ExpectRecords(std::size_t records, std::size_t textBytes) override {
        // A shown duration may be longer than its stored digits.
        list_.Reserve(records, records * kSessionColumns, textBytes + records * 8);
    }

    void BeginRecord() override {
        FinishRow();
        list_.AddRow();
        rowOpen_ = true;
        rowHasName_ = false;
    }

    void Attribute(std::size_t position, std::string_view text) override {
        rowHasName_ = true;
        if (position == kDurationColumn) {
            const std::int64_t ms = ParseCount(text);
            totals_.durationMs = AddCount(totals_.durationMs, ms);
            list_.AddText(FormatDuration(ms));
            return;
        }
        if (position == kReceivedColumn) {
            totals_.receivedBytes = AddCount(totals_.receivedBytes, ParseCount(text));
        } else if (position == kSentColumn) {
            totals_.sentBytes = AddCount(totals_.sentBytes, ParseCount(text));
        }
        list_.AddText(text);
    }

    SessionTotals Finish() {
        FinishRow();
        return totals_;
    }

  private:
    // A node without attributes still gives a row with an empty column 0.
    void FinishRow() {
        if (rowOpen_ && !rowHasName_) {
            list_.AddText({});
        }
        rowOpen_ = false;
    }

    SessionList& list_;
    SessionTotals totals_;
    bool rowOpen_ = false;
    bool rowHasName_ = false;
};

}  // namespace

SessionTotals LoadSessionList(const StatisticsDocument& document, SessionList& list) {
    list.Clear();
    RowBuilder builder(list);
    document.ReadRecords(builder);
    return builder.Finish();
}

TotalsTexts FormatTotals(const SessionTotals& totals) {
    return {FormatDuration(totals.durationMs), FormatTotalKilobytes(totals.receivedBytes),
            FormatTotalKilobytes(totals.sentBytes)};
}

std::string SelectionSumsText(const SessionList& list, std::span<const std::size_t> selectedRows,
                              std::string_view thousandsSeparator, bool russian) {
    std::int64_t received = 0;
    std::int64_t sent = 0;
    std::int64_t seconds = 0;
    for (const std::size_t row : selectedRows) {
        received = AddCount(received, ParseCount(list.Text(row, kReceivedColumn)));
        sent = AddCount(sent, ParseCount(list.Text(row, kSentColumn)));
        seconds += ParseDuration(list.Text(row, kDurationColumn));
    }
    const std::string receivedText = FormatSelectionKilobytes(received, thousandsSeparator);
    const std::string sentText = FormatSelectionKilobytes(sent, thousandsSeparator);
    const std::string time = FormatDuration(seconds * 1000);
    if (!russian) {
        return "Selected: received " + receivedText + ", sent " + sentText + ", time " + time;
    }
    return "В выбранном Принято: " + receivedText + " Отправлено: " + sentText + " Время: " + time;
}

}  // namespace orv
