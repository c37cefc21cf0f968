// The CSV export: RFC 4180 quoting, the byte-order mark and header, times read back from either
// regional layout into ISO form, and the save dialog's choice between HTML and CSV.
#include "stats/csv_report.h"

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

const RegionalFormats kRussian{};  // dd.MM.yyyy H:mm:ss, decimal ","
const RegionalFormats kUnitedStates{"M/d/yyyy", "h:mm:ss tt", "AM", "PM", ".", ","};

constexpr std::string_view kHeaderLine =
    "\xEF\xBB\xBFname,user,start,end,duration_s,received_bytes,sent_bytes,link_speed_bps,"
    "average_speed_kbps,server_ip,client_ip\r\n";

SessionList ListOf(std::vector<MemoryDocument::Record> records) {
    MemoryDocument document;
    document.records = std::move(records);
    SessionList list;
    LoadSessionList(document, list);
    return list;
}

MemoryDocument::Record Session(std::string name, std::string start, std::string end,
                               std::string averageSpeed) {
    MemoryDocument::Record record = SessionRecord(std::move(name), "3723000", "3000000000", "5");
    record[8].second = std::move(start);
    record[9].second = std::move(end);
    record[10].second = std::move(averageSpeed);
    return record;
}

TEST(StatsCsvReport, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
    std::string out;
    for (std::string_view field : {"plain", "a,b", "say \"hi\"", "two\r\nlines", "lf\nonly", ""}) {
        AppendCsvField(field, out);
        out += '|';
    }
    EXPECT_EQ(out, "plain|\"a,b\"|\"say \"\"hi\"\"\"|\"two\r\nlines\"|\"lf\nonly\"||");
}

TEST(StatsCsvReport, RowsInListOrderWithIsoTimesSecondsAndAPointFromEitherLayout) {
    const SessionList russian = ListOf({
        Session("Дом, \"ISP\"", "08.12.2026 23:59:30", "09.12.2026", "2,93"),
        Session("Work", "garbled", "9.12.2026 1:02:03", "1,23E+03"),
    });
    EXPECT_EQ(BuildCsvReport(russian, kRussian),
              std::string(kHeaderLine) +
                  "\"Дом, \"\"ISP\"\"\",anna,2026-12-08 23:59:30,2026-12-09 00:00:00,3723,"
                  "3000000000,5,115200,2.93,10.0.0.1,10.0.0.2\r\n"
                  "Work,anna,garbled,2026-12-09 01:02:03,3723,3000000000,5,115200,1.23E+03,"
                  "10.0.0.1,10.0.0.2\r\n");

    // The prefix's own layout; a speed stored under a comma separator still reads.
    const SessionList american = ListOf({
        Session("Home", "12/8/2026 11:59:30 PM", "12/9/2026 12:00:05 AM", "2,93"),
        Session("Home", "12/9/2026", "12/9/2026 1:00:00 PM", "n/a"),
    });
    const std::string csv = BuildCsvReport(american, kUnitedStates);
    EXPECT_NE(csv.find(",2026-12-08 23:59:30,2026-12-09 00:00:05,3723,"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",2026-12-09 00:00:00,2026-12-09 13:00:00,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",115200,2.93,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",115200,n/a,"), std::string::npos) << csv;
    EXPECT_EQ(BuildCsvReport(SessionList{}, kRussian), kHeaderLine);
}

using FakeDialog = testing::FakeSaveDialog;

// Both writers, in one map by file name.
class FakeFiles final : public testing::FakeReportFiles, public StatisticsStorage {
  public:
    Outcome WriteBytes(const std::string& name, std::string_view bytes) override {
        if (failWith) {
            return Outcome::Failed(*failWith);
        }
        written[name] = bytes;
        return Outcome::Ok();
    }
    bool Exists(const std::string&) const override { return false; }
    Outcome ReplaceAtomically(const std::string&,
                              const std::function<Outcome(const std::string&)>&) override {
        return Outcome::Failed("not used");
    }
    FileRead ReadBytes(const std::string&) const override { return FileRead::NotFound(); }
    Outcome Rename(const std::string&, const std::string&) override {
        return Outcome::Failed("not used");
    }
    std::optional<std::uint64_t> FileSize(const std::string&) const override { return {}; }
    std::optional<Outcome> WriteExtendedCopy(const std::string&, std::uint64_t, std::string_view,
                                             const std::string&, std::string_view) override {
        return {};
    }
};

TEST(StatsCsvReport, TheSaveDialogOffersCsvBesideHtmlAndTheChosenEntryDecides) {
    const SessionList list = ListOf({Session("Home", "08.12.2026 10:00:00", "08.12.2026", "1,00")});
    FakeDialog dialog;
    FakeFiles files;
    testing::ErrorPrompts prompts;
    const CsvExport csv{files, kRussian};
    dialog.answer = "C:\\out\\week";
    dialog.chosen = 1;
    SaveStatisticsAsHtml(list, dialog, files, prompts, &csv);
    EXPECT_EQ(dialog.filter, "HTML (*.html)|*.html|CSV (UTF-8)|*.csv");
    EXPECT_EQ(dialog.kept, "C:\\out\\week.csv");
    EXPECT_EQ(files.written["C:\\out\\week.csv"], BuildCsvReport(list, kRussian));

    dialog.answer = "C:\\out\\week.CSV";
    files.failWith = "Access is denied.";
    SaveStatisticsAsHtml(list, dialog, files, prompts, &csv);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_NE(prompts.errors[0].find("C:\\out\\week.CSV: Access is denied."), std::string::npos);

    files.failWith.reset();
    dialog.chosen = 0;
    dialog.answer = "C:\\out\\week";
    SaveStatisticsAsHtml(list, dialog, files, prompts, &csv);
    EXPECT_EQ(files.written.count("C:\\out\\week.html"), 1u);
}

}  // namespace
}  // namespace orv
