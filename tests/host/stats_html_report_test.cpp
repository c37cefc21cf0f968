#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "stats/html_report.h"
#include "support/error_prompts.h"
#include "support/report_files_fake.h"
#include "support/save_dialog_fake.h"
#include "support/memory_document.h"

namespace orv {
namespace {

using testing::MemoryDocument;
using testing::SessionRecord;

const std::string kExpectedHead =
    "<html>\r<head>\r"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r<title>Orvane "
    "Statistics</title>\r</head>\r"
    "<body text=\"gray\" bgcolor=\"#DDDDDD\">\r"
    "<table border=\"0\" cellspacing=\"1\" style=\"border-collapse: collapse\" width=\"100%\" "
    "color=\"black\">\r"
    "  <tr bgcolor=\"#9ACD00\">\r"
    "    <td width=\"9%\">Connection</td>\r    <td width=\"9%\">User</td>\r"
    "    <td width=\"9%\">Time</td>\r    <td width=\"9%\">Connection Speed</td>\r"
    "    <td width=\"9%\">Received</td>\r    <td width=\"9%\">Send</td>\r"
    "    <td width=\"9%\">Server IP</td>\r    <td width=\"9%\">Client IP</td>\r"
    "    <td width=\"9%\">Start Session</td>\r    <td width=\"9%\">End Session</td>\r"
    "    <td width=\"9%\">Average Speed</td>\r  </tr>\r\n";
const std::string kExpectedTail = "</table>\r</body>\r</html>\r\n";

SessionList ListOf(std::vector<MemoryDocument::Record> records) {
    MemoryDocument document;
    document.records = std::move(records);
    SessionList list;
    LoadSessionList(document, list);
    return list;
}

std::string Cells(std::initializer_list<std::string_view> texts) {
    std::string block = "  <tr>";
    for (const std::string_view text : texts) {
        block += "\r    <td width=\"9%\">";
        block += text;
        block += "</td>";
    }
    return block + "\r  </tr>\r\n";
}

TEST(StatsHtmlReport, EmptyListGivesHeadAndClosingBlocks) {
    const std::optional<std::string> report = BuildHtmlReport(SessionList{}, "windows-1251");
    ASSERT_TRUE(report);
    EXPECT_EQ(*report, kExpectedHead + kExpectedTail);
    // 20 + 3 lines in two blocks.
    EXPECT_EQ(std::count(report->begin(), report->end(), '\r'), 23);
    EXPECT_EQ(std::count(report->begin(), report->end(), '\n'), 2);
}

TEST(StatsHtmlReport, OneRowBlockHoldsTheShownTexts) {
    const SessionList list = ListOf({SessionRecord("Home", "3723000", "1536", "512")});
    EXPECT_EQ(BuildHtmlReport(list, "windows-1251"),
              kExpectedHead +
                  Cells({"Home", "anna", "01:02:03", "115200", "1536", "512", "10.0.0.1",
                         "10.0.0.2", "08.12.2026 10:00:00", "08.12.2026 11:02:03", "1,50"}) +
                  kExpectedTail);
}

TEST(StatsHtmlReport, CellTextsAreEscaped) {
    const SessionList list = ListOf({SessionRecord("A&B <\"x\">", "0", "0", "0")});
    const std::optional<std::string> report = BuildHtmlReport(list, "windows-1251");
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("<td width=\"9%\">A&amp;B &lt;&quot;x&quot;&gt;</td>"),
              std::string::npos);
}

TEST(StatsHtmlReport, RowWithFewerThanElevenTextsFailsAndLongRowsGiveEleven) {
    EXPECT_FALSE(BuildHtmlReport(ListOf({{{"name", "short"}}}), "windows-1251"));
    MemoryDocument::Record longRecord = SessionRecord("L", "0", "0", "0");
    longRecord.emplace_back("extra", "EXTRA");
    const std::optional<std::string> report = BuildHtmlReport(ListOf({longRecord}), "windows-1251");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->find("EXTRA"), std::string::npos);
}

TEST(StatsHtmlReport, CharsetNamesTheAnsiCodePage) {
    EXPECT_EQ(CharsetOfCodePage(1251), "windows-1251");
    EXPECT_EQ(CharsetOfCodePage(1252), "windows-1252");
    EXPECT_EQ(CharsetOfCodePage(932), "shift_jis");
    const std::optional<std::string> report = BuildHtmlReport(SessionList{}, "windows-1252");
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("<head>\r<meta http-equiv=\"Content-Type\" "
                           "content=\"text/html; charset=windows-1252\">\r<title>"),
              std::string::npos);
}

TEST(StatsHtmlReport, HtmlExtensionIsAppendedUnlessPresentInAnyCase) {
    EXPECT_EQ(WithHtmlExtension("C:\\r\\report.HTML"), "C:\\r\\report.HTML");
    EXPECT_EQ(WithHtmlExtension("C:\\r\\report.Html"), "C:\\r\\report.Html");
    EXPECT_EQ(WithHtmlExtension("C:\\r\\report"), "C:\\r\\report.html");
    EXPECT_EQ(WithHtmlExtension("C:\\r\\old.htm"), "C:\\r\\old.htm");
    EXPECT_EQ(WithHtmlExtension("C:\\r.html\\report"), "C:\\r.html\\report.html");
}

using FakeDialog = testing::FakeSaveDialog;

using FakeFiles = testing::FakeReportFiles;

TEST(StatsHtmlExport, WritesTheChosenFileWithItsExtensionRule) {
    const SessionList list = ListOf({SessionRecord("Home", "0", "0", "0")});
    FakeDialog dialog;
    FakeFiles files;
    testing::ErrorPrompts prompts;
    dialog.answer = "C:\\out\\week";
    SaveStatisticsAsHtml(list, dialog, files, prompts);
    EXPECT_EQ(dialog.filter, "HTML (*.html)|*.html");
    EXPECT_EQ(dialog.kept, "C:\\out\\week.html");
    ASSERT_EQ(files.written.count("C:\\out\\week.html"), 1u);
    EXPECT_EQ(files.written["C:\\out\\week.html"], BuildHtmlReport(list, "windows-1251"));
    EXPECT_TRUE(prompts.errors.empty());

    dialog.answer.reset();
    files.written.clear();
    SaveStatisticsAsHtml(list, dialog, files, prompts);
    EXPECT_TRUE(files.written.empty());
}

TEST(StatsHtmlExport, FailuresAreReported) {
    FakeDialog dialog;
    FakeFiles files;
    testing::ErrorPrompts prompts;
    dialog.answer = "C:\\out\\week.html";
    SaveStatisticsAsHtml(ListOf({{{"name", "short"}}}), dialog, files, prompts);
    EXPECT_TRUE(files.written.empty());
    files.failWith = "Access is denied.";
    SaveStatisticsAsHtml(SessionList{}, dialog, files, prompts);
    ASSERT_EQ(prompts.errors.size(), 2u);
    EXPECT_NE(prompts.errors[1].find("Access is denied."), std::string::npos);
}

// What the code page lacks is written as references, which read back as the characters;
// what it holds stays as it is, to be written in it.
TEST(StatsHtmlExport, CharactersTheCodePageLacksBecomeNumericReferences) {
    const SessionList list = ListOf({SessionRecord("Дом Zoë 😀 Ελ", "0", "0", "0")});
    FakeDialog dialog;
    FakeFiles files;
    testing::ErrorPrompts prompts;
    dialog.answer = "C:\\out\\week.html";
    SaveStatisticsAsHtml(list, dialog, files, prompts);
    const std::string& written = files.written["C:\\out\\week.html"];
    EXPECT_NE(written.find("<td width=\"9%\">Дом Zo&#235; &#128512; &#917;&#955;</td>"),
              std::string::npos)
        << written;
    // Bytes that are not UTF-8 are left to the code page's conversion, never swallowed.
    EXPECT_EQ(WithCharacterReferences("a\xFF\xC3" "b", [](std::uint32_t) { return false; }),
              "a\xFF\xC3" "b");
}

}  // namespace
}  // namespace orv
