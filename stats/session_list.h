#pragma once
// The session list of the detailed statistics page: one row of texts per stored session, in
// file order, never sorted. The texts live in one pool so that 100 000 rows build at once.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "stats/statistics_document.h"

namespace orv {

// Column indexes of a complete row.
inline constexpr std::size_t kNameColumn = 0;
inline constexpr std::size_t kDurationColumn = 2;
inline constexpr std::size_t kReceivedColumn = 4;
inline constexpr std::size_t kSentColumn = 5;
inline constexpr std::size_t kEndColumn = 9;
inline constexpr std::size_t kSessionColumns = 11;

class SessionList {
  public:
    std::size_t RowCount() const { return rowStarts_.size(); }
    std::size_t TextCount(std::size_t row) const;
    // Empty when the row has no such text.
    std::string_view Text(std::size_t row, std::size_t column) const;
    // The bytes of all texts together.
    std::size_t TextBytes() const { return pool_.size(); }

    void Clear();
    // Makes room for rows with texts of textBytes bytes in all, so that adding them never moves
    // what is already there (large moves are slow on some heaps).
    void Reserve(std::size_t rows, std::size_t texts, std::size_t textBytes);
    void AddRow();
    // Appends a text to the last row.
    void AddText(std::string_view text);

  private:
    std::string pool_;
    // 32-bit offsets: half the room of the index, and 4 GB of texts is far beyond any history.
    std::vector<std::uint32_t> textEnds_;   // end of each text in pool_
    std::vector<std::uint32_t> rowStarts_;  // index of each row's first text in textEnds_
};

struct SessionTotals {
    std::int64_t durationMs = 0;
    std::int64_t receivedBytes = 0;
    std::int64_t sentBytes = 0;
};

// The texts of the totals box: "Время в сети", "Всего принято (KB)", "Всего отправлено (KB)".
struct TotalsTexts {
    std::string onlineTime;
    std::string received;
    std::string sent;
};

// Rebuilds the list from the document and gives the sums over all sessions.
SessionTotals LoadSessionList(const StatisticsDocument& document, SessionList& list);
TotalsTexts FormatTotals(const SessionTotals& totals);

// The status text over the selected rows (indexes in any order), as designed (Russian) or in
// English.
std::string SelectionSumsText(const SessionList& list, std::span<const std::size_t> selectedRows,
                              std::string_view thousandsSeparator, bool russian);

}  // namespace orv
