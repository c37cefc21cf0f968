// Printing the session table through GDI: into metafiles standing for a printer's pages, and
// the print dialog of a system without any printer.
#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "metafile_pages.h"
#include "stats/html_report.h"
#include "stats_test_folder.h"

namespace orv {
namespace {

std::size_t CountOf(const std::vector<std::string>& texts, std::string_view text) {
    return static_cast<std::size_t>(std::count(texts.begin(), texts.end(), text));
}

TEST(StatsPrint, TheJobHoldsEveryRowOnceHeadersOnEachPageAndTheTotalsOnce) {
    SessionList list;
    for (int row = 0; row < 120; ++row) {
        list.AddRow();
        list.AddText("Сессия " + std::to_string(row));
        for (std::size_t column = 1; column < kSessionColumns; ++column) {
            list.AddText(column == 2 ? "01:02:03" : "1");
        }
    }
    testing::MetafilePrinterDialog dialog;
    testing::ScriptedPrompts prompts;
    ASSERT_TRUE(PrintStatistics(list, {"124:04:00", "  3", " 1 026"}, "12/8/2026 7:05:07 PM",
                                dialog, prompts));
    EXPECT_TRUE(prompts.errors.empty());
    const testing::RecordedPages& pages = dialog.pages;
    EXPECT_TRUE(pages.ended);
    ASSERT_GE(pages.texts.size(), 3u);  // 120 rows need three pages on a 1024-pixel screen
    const std::string pageCount = std::to_string(pages.texts.size());
    std::vector<std::string> all;
    for (std::size_t index = 0; index < pages.texts.size(); ++index) {
        const std::vector<std::string>& texts = pages.texts[index];
        EXPECT_EQ(CountOf(texts, "Orvane Statistics, 12/8/2026 7:05:07 PM"), 1u);
        for (const std::string_view title : kReportColumnTitles) {
            EXPECT_EQ(CountOf(texts, title), 1u) << "page " << index << ": " << title;
        }
        EXPECT_EQ(CountOf(texts, "Page " + std::to_string(index + 1) + " of " + pageCount), 1u);
        EXPECT_GE(pages.lines[index], 1);  // the rule under the headers
        all.insert(all.end(), texts.begin(), texts.end());
    }
    for (int row = 0; row < 120; ++row) {
        EXPECT_EQ(CountOf(all, "Сессия " + std::to_string(row)), 1u) << row;
    }
    EXPECT_EQ(CountOf(all, "Total time online"), 1u);
    EXPECT_EQ(CountOf(all, "124:04:00"), 1u);
    EXPECT_EQ(CountOf(all, "1 026"), 1u);
    EXPECT_EQ(CountOf(pages.texts.back(), "Total sent (KB)"), 1u);
}

// A device context that is no printer's refuses the document: the job reports why and stops.
TEST(StatsPrint, ADeviceThatRefusesTheDocumentIsReportedWithAReason) {
    struct MemoryDcDialog final : PrinterDialog {
        ChosenPrinter Choose() override {
            PrinterDc memory(CreateCompatibleDC(nullptr));
            return {
                std::make_unique<GdiPrintTarget>(std::make_unique<PrinterPages>(std::move(memory))),
                ""};
        }
    } dialog;
    testing::ScriptedPrompts prompts;
    EXPECT_FALSE(PrintStatistics(SessionList{}, {"00:00:00", "  ", "  "}, "", dialog, prompts));
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_TRUE(prompts.errors[0].starts_with("The statistics cannot be printed: "))
        << prompts.errors[0];
    EXPECT_EQ(prompts.errors[0].find("successfully"), std::string::npos) << prompts.errors[0];
}

// With no printer installed the dialog says so and shows nothing; where the prefix has a
// printer the real dialog would wait for a user, so the case cannot be tried there.
TEST(StatsPrint, WithoutAPrinterTheDialogReportsItAndPrintsNothing) {
    PRINTDLGW probe{};
    probe.lStructSize = sizeof probe;
    probe.Flags = PD_RETURNDEFAULT;
    if (PrintDlgW(&probe)) {
        const GlobalMemory devMode(probe.hDevMode);
        const GlobalMemory devNames(probe.hDevNames);
        GTEST_SKIP() << "a printer is installed";
    }
    Win32PrinterDialog dialog;
    testing::ScriptedPrompts prompts;
    EXPECT_FALSE(PrintStatistics(SessionList{}, {"00:00:00", "  ", "  "}, "", dialog, prompts));
    EXPECT_EQ(prompts.errors, std::vector<std::string>{
                                  "The statistics cannot be printed: No printer is installed."});
}

}  // namespace
}  // namespace orv
