#include "stats/print_layout.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "stats/html_report.h"

namespace orv {

namespace {

// A kilobyte total is a digit picture with blanks in front, and no digits at all for 0; on
// paper it reads as a plain number.
std::string PrintedTotal(std::string_view shown) {
    const std::size_t first = shown.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string("0") : std::string(shown.substr(first));
}

}  // namespace

PrintLayout::PrintLayout(const SessionList& list, const TotalsTexts& totals, std::string title,
                         Rect area, const PrintMeasures& measures)
    : list_(list),
      totals_{totals.onlineTime, PrintedTotal(totals.received), PrintedTotal(totals.sent)},
      title_(std::move(title)),
      area_(area) {
    const int bodyLine = std::max(1, measures.LineHeight(PrintFont::Body));
    padding_ = std::max(1, bodyLine / 4);
    titleHeight_ = measures.LineHeight(PrintFont::Title);
    headingsTop_ = area_.top + titleHeight_ + bodyLine / 2;
    headingHeight_ = measures.LineHeight(PrintFont::Heading) + padding_;
    rowHeight_ = bodyLine + padding_;
    footerHeight_ = bodyLine;
    rowsTop_ = headingsTop_ + headingHeight_ + padding_;
    rowsBottom_ = area_.bottom - footerHeight_ - bodyLine / 2;
    // A page too small for one row still prints one row a page, clipped, rather than none.
    rowsPerPage_ = static_cast<std::size_t>(std::max(1, (rowsBottom_ - rowsTop_) / rowHeight_));
    rowPages_ = (list_.RowCount() + rowsPerPage_ - 1) / rowsPerPage_;
    if (rowPages_ > 0) {
        const std::size_t lastRows = list_.RowCount() - (rowPages_ - 1) * rowsPerPage_;
        const int totalsTop = rowsTop_ + static_cast<int>(lastRows) * rowHeight_;
        totalsAlone_ = totalsTop + padding_ + 3 * rowHeight_ > rowsBottom_;
    }
    pageCount_ = rowPages_ + (totalsAlone_ ? 1 : 0);

    for (const std::string_view label : kPrintedTotalLabels) {
        labelWidth_ = std::max(labelWidth_, measures.TextWidth(PrintFont::Body, label));
    }
    // A line's height between the longest label and the values keeps them apart.
    labelWidth_ = std::min(padding_ + labelWidth_ + bodyLine, (area_.right - area_.left) / 2);
    PlaceColumns(measures);
}

// Each column wants room for its widest text; the wants are scaled to fill the page width, and
// no column wants more than a quarter of it, so that one long name leaves room for the rest.
void PrintLayout::PlaceColumns(const PrintMeasures& measures) {
    const int width = std::max(0, area_.right - area_.left);
    const int most = std::max(2 * padding_ + 1, width / 4);
    std::vector<std::int64_t> wanted(kSessionColumns);
    std::int64_t total = 0;
    for (std::size_t column = 0; column < kSessionColumns; ++column) {
        int widest = measures.TextWidth(PrintFont::Heading, kReportColumnTitles[column]);
        for (std::size_t row = 0; row < list_.RowCount(); ++row) {
            widest = std::max(widest, measures.TextWidth(PrintFont::Body, list_.Text(row, column)));
        }
        wanted[column] = std::min(widest + 2 * padding_, most);
        total += wanted[column];
    }
    columnEdges_.assign(1, area_.left);
    std::int64_t sum = 0;
    for (const std::int64_t want : wanted) {
        sum += want;
        columnEdges_.push_back(area_.left + static_cast<int>(sum * width / total));
    }
}

void PrintLayout::AddHeadings(PrintedPage& page) const {
    for (std::size_t column = 0; column < kSessionColumns; ++column) {
        const int left = columnEdges_[column] + padding_;
        page.texts.push_back(
            {std::string(kReportColumnTitles[column]),
             {left, headingsTop_, std::max(left, columnEdges_[column + 1] - padding_),
              headingsTop_ + headingHeight_},
             PrintFont::Heading});
    }
    page.rules.push_back({area_.left, area_.right, headingsTop_ + headingHeight_});
}

void PrintLayout::AddTotals(PrintedPage& page, int top) const {
    if (top > rowsTop_) {  // on a page of their own the headers' rule is enough
        page.rules.push_back({area_.left, area_.right, top});
    }
    int y = top + padding_;
    for (std::size_t line = 0; line < totals_.size(); ++line, y += rowHeight_) {
        const int valueLeft = area_.left + labelWidth_;
        page.texts.push_back({std::string(kPrintedTotalLabels[line]),
                              {area_.left + padding_, y, valueLeft, y + rowHeight_}});
        page.texts.push_back(
            {totals_[line],
             {valueLeft, y, std::max(valueLeft, area_.right - padding_), y + rowHeight_}});
    }
}

PrintedPage PrintLayout::Page(std::size_t index) const {
    PrintedPage page;
    page.texts.push_back(
        {title_, {area_.left, area_.top, area_.right, area_.top + titleHeight_}, PrintFont::Title});
    AddHeadings(page);
    int y = rowsTop_;
    if (index < rowPages_) {
        const std::size_t end = std::min(list_.RowCount(), (index + 1) * rowsPerPage_);
        for (std::size_t row = index * rowsPerPage_; row < end; ++row, y += rowHeight_) {
            for (std::size_t column = 0; column < kSessionColumns; ++column) {
                const int left = columnEdges_[column] + padding_;
                const int right = std::max(left, columnEdges_[column + 1] - padding_);
                page.texts.push_back(
                    {std::string(list_.Text(row, column)), {left, y, right, y + rowHeight_}});
            }
        }
    }
    if (index + 1 == pageCount_) {
        AddTotals(page, y);
    }
    page.texts.push_back({"Page " + std::to_string(index + 1) + " of " + std::to_string(pageCount_),
                          {area_.left, area_.bottom - footerHeight_, area_.right, area_.bottom},
                          PrintFont::Body,
                          PrintAlign::Right});
    return page;
}

}  // namespace orv
