// The printed session table: pages, headers, totals, column widths, and the print job's
// handling of a cancelled dialog and of a failing printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "stats/html_report.h"
#include "stats/print_job.h"
#include "support/error_prompts.h"

namespace orv {
namespace {

// Title lines of 20, headings of 10, body lines of 8 units; 4 units per byte of text. On the
// 440 x 150 page below this leaves room for 10 rows, and for the totals after at most 6.
class FixedMeasures : public PrintMeasures {
  public:
    int LineHeight(PrintFont font) const override {
        return font == PrintFont::Title ? 20 : font == PrintFont::Heading ? 10 : 8;
    }
    int TextWidth(PrintFont, std::string_view text) const override {
        return 4 * static_cast<int>(text.size());
    }
};

constexpr Rect kPage{0, 0, 440, 150};
const TotalsTexts kTotals{"26:02:03", "  3", " 1 026"};

SessionList Rows(std::size_t count, std::string_view longName = {}) {
    SessionList list;
    for (std::size_t row = 0; row < count; ++row) {
        list.AddRow();
        list.AddText(row == 0 && !longName.empty() ? std::string(longName)
                                                   : "row" + std::to_string(row));
        for (std::size_t column = 1; column < kSessionColumns; ++column) {
            list.AddText(column == 8 ? "12/8/2026 6:00:00 PM" : "x");
        }
    }
    return list;
}

std::vector<std::string> TextsOf(const PrintedPage& page) {
    std::vector<std::string> texts;
    for (const PrintedText& text : page.texts) {
        texts.push_back(text.text);
    }
    return texts;
}

std::size_t CountOf(const std::vector<std::string>& texts, std::string_view text) {
    return static_cast<std::size_t>(std::count(texts.begin(), texts.end(), text));
}

std::vector<std::vector<std::string>> AllPages(const PrintLayout& layout) {
    std::vector<std::vector<std::string>> pages;
    for (std::size_t index = 0; index < layout.PageCount(); ++index) {
        pages.push_back(TextsOf(layout.Page(index)));
    }
    return pages;
}

TEST(StatsPrintLayout, EveryPageRepeatsTitleHeadersAndNumberAndRowsComeOnceInOrder) {
    const SessionList list = Rows(25);
    const FixedMeasures measures;
    const PrintLayout layout(list, kTotals, "Orvane Statistics, 12/8/2026", kPage, measures);
    EXPECT_EQ(layout.RowsPerPage(), 10u);
    ASSERT_EQ(layout.PageCount(), 3u);
    std::vector<std::string> rowNames;
    for (std::size_t index = 0; index < 3; ++index) {
        const PrintedPage page = layout.Page(index);
        const std::vector<std::string> texts = TextsOf(page);
        EXPECT_EQ(texts.front(), "Orvane Statistics, 12/8/2026");
        for (const std::string_view title : kReportColumnTitles) {
            EXPECT_EQ(CountOf(texts, title), 1u) << title;
        }
        EXPECT_EQ(texts.back(), "Page " + std::to_string(index + 1) + " of 3");
        EXPECT_EQ(CountOf(texts, "Total time online"), index == 2 ? 1u : 0u);
        const int headerRule = page.rules.front().y;
        const int footerTop = page.texts.back().box.top;
        for (const PrintedText& text : page.texts) {
            EXPECT_GE(text.box.left, kPage.left);
            EXPECT_LE(text.box.right, kPage.right);
            EXPECT_LE(text.box.bottom, kPage.bottom);
            if (text.text.starts_with("row")) {
                rowNames.push_back(text.text);
                EXPECT_GT(text.box.top, headerRule);
                EXPECT_LE(text.box.bottom, footerTop);
            }
        }
    }
    std::vector<std::string> expected;
    for (std::size_t row = 0; row < 25; ++row) {
        expected.push_back("row" + std::to_string(row));
    }
    EXPECT_EQ(rowNames, expected);
}

TEST(StatsPrintLayout, TotalsCloseTheLastPageOrTakeAPageOfTheirOwn) {
    const FixedMeasures measures;
    // 20 rows fill two pages exactly: the totals come alone on a third.
    const SessionList full = Rows(20);
    const auto fullPages = AllPages(PrintLayout(full, kTotals, "T", kPage, measures));
    ASSERT_EQ(fullPages.size(), 3u);
    EXPECT_EQ(CountOf(fullPages[2], "row19"), 0u);
    EXPECT_EQ(fullPages[2].size(), 1u + kSessionColumns + 6u + 1u);  // title, headers, totals, no.
    EXPECT_EQ(CountOf(fullPages[1], "Total sent (KB)"), 0u);
    // 16 rows leave room for the totals under the sixth row of the second page.
    const SessionList room = Rows(16);
    const auto roomPages = AllPages(PrintLayout(room, kTotals, "T", kPage, measures));
    ASSERT_EQ(roomPages.size(), 2u);
    EXPECT_EQ(CountOf(roomPages[1], "row15"), 1u);
    EXPECT_EQ(CountOf(roomPages[1], "Total sent (KB)"), 1u);
    // Kilobyte totals print as plain numbers, also when the picture holds no digits.
    EXPECT_EQ(CountOf(roomPages[1], "1 026"), 1u);
    EXPECT_EQ(CountOf(roomPages[1], "3"), 1u);

    const SessionList empty;
    const PrintLayout emptyLayout(empty, {"00:00:00", "  ", "  "}, "T", kPage, measures);
    ASSERT_EQ(emptyLayout.PageCount(), 1u);
    const std::vector<std::string> only = TextsOf(emptyLayout.Page(0));
    EXPECT_EQ(CountOf(only, "Connection"), 1u);
    EXPECT_EQ(CountOf(only, "00:00:00"), 1u);
    EXPECT_EQ(CountOf(only, "0"), 2u);
    EXPECT_EQ(only.back(), "Page 1 of 1");
}

TEST(StatsPrintLayout, ColumnsFillThePageWidthAndLongTextsStayInTheirColumn) {
    // A name of 500 bytes would want 2000 units: its column is kept narrow enough for the
    // others, and its text stays inside the column, unchanged for the printer to clip.
    const FixedMeasures measures;
    const std::string longName(500, 'N');
    const SessionList list = Rows(3, longName);
    const PrintLayout layout(list, kTotals, "T", kPage, measures);
    const std::vector<int>& edges = layout.ColumnEdges();
    ASSERT_EQ(edges.size(), kSessionColumns + 1);
    EXPECT_EQ(edges.front(), kPage.left);
    EXPECT_EQ(edges.back(), kPage.right);
    EXPECT_TRUE(std::is_sorted(edges.begin(), edges.end()));
    EXPECT_LT(edges[1] - edges[0], (kPage.right - kPage.left) / 2);
    // "Start Session" holds a date and is wider than "User" with its "x".
    EXPECT_GT(edges[9] - edges[8], edges[2] - edges[1]);
    const PrintedPage page = layout.Page(0);
    const auto name = std::find_if(page.texts.begin(), page.texts.end(),
                                   [&](const PrintedText& text) { return text.text == longName; });
    ASSERT_NE(name, page.texts.end());
    EXPECT_LE(name->box.right, edges[1]);
    EXPECT_GE(name->box.left, edges[0]);
}

// A printer that logs what the job asks of it, and a dialog that gives it or an answer.
class RecordingTarget final : public PrintTarget {
  public:
    RecordingTarget(std::vector<std::string>& log, int failingEndPage)
        : log_(log), failingEndPage_(failingEndPage) {}
    int LineHeight(PrintFont font) const override { return FixedMeasures().LineHeight(font); }
    int TextWidth(PrintFont font, std::string_view text) const override {
        return FixedMeasures().TextWidth(font, text);
    }
    Rect PrintableArea() const override { return kPage; }
    Outcome StartDocument(std::string_view name) override { return Log(std::string(name)); }
    Outcome StartPage() override { return Log("page"); }
    void DrawPage(const PrintedPage& page) override { Log(page.texts.back().text); }
    Outcome EndPage() override {
        Log("end page");
        return ++endedPages_ == failingEndPage_ ? Outcome::Failed("Out of paper.") : Outcome::Ok();
    }
    Outcome EndDocument() override { return Log("end document"); }
    void AbortDocument() override { Log("abort"); }

  private:
    Outcome Log(std::string entry) {
        log_.push_back(std::move(entry));
        return Outcome::Ok();
    }
    std::vector<std::string>& log_;
    int failingEndPage_;
    int endedPages_ = 0;
};

struct ScriptedPrinterDialog final : PrinterDialog {
    ChosenPrinter Choose() override {
        if (cancel || !error.empty()) {
            return {nullptr, error};
        }
        return {std::make_unique<RecordingTarget>(log, failingEndPage), ""};
    }
    bool cancel = false;
    std::string error;
    int failingEndPage = 0;
    std::vector<std::string> log;
};

TEST(StatsPrintJob, CancelDoesNothingAndEveryFailureIsReportedNotTakenForSuccess) {
    const SessionList list = Rows(25);
    ScriptedPrinterDialog dialog;
    testing::ErrorPrompts prompts;
    dialog.cancel = true;
    EXPECT_FALSE(PrintStatistics(list, kTotals, "12/8/2026", dialog, prompts));
    EXPECT_TRUE(dialog.log.empty());
    EXPECT_TRUE(prompts.errors.empty());

    dialog.cancel = false;
    dialog.error = "No printer is installed.";
    EXPECT_FALSE(PrintStatistics(list, kTotals, "12/8/2026", dialog, prompts));
    EXPECT_EQ(prompts.errors, std::vector<std::string>{
                                  "The statistics cannot be printed: No printer is installed."});

    dialog.error.clear();
    dialog.failingEndPage = 2;
    prompts.errors.clear();
    EXPECT_FALSE(PrintStatistics(list, kTotals, "12/8/2026", dialog, prompts));
    EXPECT_EQ(dialog.log,
              (std::vector<std::string>{"Orvane Statistics", "page", "Page 1 of 3", "end page",
                                        "page", "Page 2 of 3", "end page", "abort"}));
    EXPECT_EQ(prompts.errors.back(), "The statistics cannot be printed: Out of paper.");

    dialog.failingEndPage = 0;
    dialog.log.clear();
    prompts.errors.clear();
    EXPECT_TRUE(PrintStatistics(list, kTotals, "12/8/2026", dialog, prompts));
    EXPECT_EQ(std::count(dialog.log.begin(), dialog.log.end(), "end page"), 3);
    EXPECT_EQ(dialog.log.back(), "end document");
    EXPECT_TRUE(prompts.errors.empty());
}

}  // namespace
}  // namespace orv
