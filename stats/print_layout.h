#pragma once
// The printed session table cut into pages: every page holds the title, the column headers and
// its page number; the rows follow in list order and the totals close the last page. Text sizes
// come through a port, so the printer measures on Windows and tests measure with fixed figures.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/canvas.h"
#include "stats/session_list.h"

namespace orv {

enum class PrintFont { Title, Heading, Body };
enum class PrintAlign { Left, Right };

// A text drawn in one line inside its box (in device units) and clipped by it.
struct PrintedText {
    std::string text;
    Rect box;
    PrintFont font = PrintFont::Body;
    PrintAlign align = PrintAlign::Left;
};

// A horizontal line across the table.
struct PrintedRule {
    int left = 0;
    int right = 0;
    int y = 0;
};

struct PrintedPage {
    std::vector<PrintedText> texts;
    std::vector<PrintedRule> rules;
};

class PrintMeasures {
  public:
    virtual ~PrintMeasures() = default;
    // The height of one line of the font, in device units.
    virtual int LineHeight(PrintFont font) const = 0;
    // The width of the UTF-8 text in the font, in device units.
    virtual int TextWidth(PrintFont font, std::string_view text) const = 0;
};

// The labels of the totals that close the printed table.
inline constexpr std::string_view kPrintedTotalLabels[] = {
    "Total time online", "Total received (KB)", "Total sent (KB)"};

class PrintLayout {
  public:
    // The title is printed on every page; the area is where the page may be printed.
    PrintLayout(const SessionList& list, const TotalsTexts& totals, std::string title, Rect area,
                const PrintMeasures& measures);

    std::size_t PageCount() const { return pageCount_; }
    std::size_t RowsPerPage() const { return rowsPerPage_; }
    // The left edge of each column and, last, the right edge of the table.
    const std::vector<int>& ColumnEdges() const { return columnEdges_; }
    // Page 0 is the first.
    PrintedPage Page(std::size_t index) const;

  private:
    void PlaceColumns(const PrintMeasures& measures);
    void AddHeadings(PrintedPage& page) const;
    void AddTotals(PrintedPage& page, int top) const;

    const SessionList& list_;
    std::vector<std::string> totals_;
    std::string title_;
    Rect area_;
    int padding_ = 0;
    int titleHeight_ = 0;
    int headingsTop_ = 0;
    int headingHeight_ = 0;
    int rowHeight_ = 0;
    int footerHeight_ = 0;
    int rowsTop_ = 0;
    int rowsBottom_ = 0;
    int labelWidth_ = 0;
    std::size_t rowsPerPage_ = 1;
    std::size_t rowPages_ = 0;
    std::size_t pageCount_ = 1;
    bool totalsAlone_ = true;
    std::vector<int> columnEdges_;
};

}  // namespace orv
