#include "stats/html_report.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <utility>

#include "stats/csv_report.h"

namespace orv {

namespace {

// The head block up to the code page, which the writer's ANSI code page decides, and after it.
constexpr std::string_view kHeadStart =
    "<html>\r"
    "<head>\r"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=";
constexpr std::string_view kHeadBlock =
    "\">\r"
    "<title>Orvane Statistics</title>\r"
    "</head>\r"
    "<body text=\"gray\" bgcolor=\"#DDDDDD\">\r"
    "<table border=\"0\" cellspacing=\"1\" style=\"border-collapse: collapse\" width=\"100%\" "
    "color=\"black\">\r"
    "  <tr bgcolor=\"#9ACD00\">";
constexpr std::string_view kCellStart = "\r    <td width=\"9%\">";
constexpr std::string_view kCellEnd = "</td>";
constexpr std::string_view kRowEnd = "\r  </tr>";
constexpr std::string_view kLastBlock = "</table>\r</body>\r</html>";
constexpr std::string_view kBlockEnd = "\r\n";

}  // namespace

void AppendEscapedHtml(std::string_view text, std::string& out) {
    // Plain runs are copied whole: most cells hold nothing to escape.
    for (std::size_t special; (special = text.find_first_of("&<>\"")) != std::string_view::npos;
         text.remove_prefix(special + 1)) {
        out += text.substr(0, special);
        switch (text[special]) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += "&quot;";
        }
    }
    out += text;
}

std::string CharsetOfCodePage(unsigned codePage) {
    // The names browsers know for the ANSI code pages that are not "windows-NNNN".
    switch (codePage) {
        case 932:
            return "shift_jis";
        case 936:
            return "gb2312";
        case 949:
            return "euc-kr";
        case 950:
            return "big5";
        case 65001:
            return "utf-8";
        default:
            return "windows-" + std::to_string(codePage);
    }
}

std::optional<std::string> BuildHtmlReport(const SessionList& list, std::string_view charset) {
    // Room for the whole report at once (a few escaped characters aside): moving a report of
    // tens of megabytes while it grows costs more than building it.
    constexpr std::size_t kRowMarkup = sizeof("  <tr>") - 1 + kRowEnd.size() + kBlockEnd.size() +
                                       kSessionColumns * (kCellStart.size() + kCellEnd.size());
    std::string report;
    report.reserve(kHeadStart.size() + charset.size() + kHeadBlock.size() + kRowMarkup +
                   kLastBlock.size() + 2 * kBlockEnd.size() + list.RowCount() * kRowMarkup +
                   list.TextBytes() + list.TextBytes() / 16);
    report += kHeadStart;
    report += charset;
    report += kHeadBlock;
    for (const std::string_view title : kReportColumnTitles) {
        report += kCellStart;
        report += title;
        report += kCellEnd;
    }
    report += kRowEnd;
    report += kBlockEnd;
    for (std::size_t row = 0; row < list.RowCount(); ++row) {
        if (list.TextCount(row) < kSessionColumns) {
            return std::nullopt;
        }
        report += "  <tr>";
        for (std::size_t column = 0; column < kSessionColumns; ++column) {
            report += kCellStart;
            AppendEscapedHtml(list.Text(row, column), report);
            report += kCellEnd;
        }
        report += kRowEnd;
        report += kBlockEnd;
    }
    report += kLastBlock;
    report += kBlockEnd;
    return report;
}

std::string WithExtension(std::string fileName, std::string_view wanted) {
    const std::size_t nameStart = fileName.find_last_of("\\/:");
    const std::size_t dot = fileName.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
    if (!hasExtension) {
        fileName += wanted;
    }
    return fileName;
}

namespace {

// The code point of the UTF-8 sequence at text[at] and its length; 0 when it is not one.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (next & 0x3F);
    }
    return length;
}

}  // namespace

std::string WithCharacterReferences(std::string utf8,
                                    const std::function<bool(std::uint32_t)>& holds) {
    std::unordered_map<std::uint32_t, bool> known;  // one question per character
    std::string out;
    std::size_t copiedTo = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        std::uint32_t code = 0;
        const std::size_t length =
            static_cast<unsigned char>(utf8[at]) < 0x80 ? 0 : DecodeUtf8(utf8, at, code);
        if (length == 0) {
            ++at;
            continue;
        }
        auto [answer, isNew] = known.try_emplace(code, false);
        if (isNew) {
            answer->second = holds(code);
        }
        if (!answer->second) {
            out.append(utf8, copiedTo, at - copiedTo);
            out += "&#" + std::to_string(code) + ";";
            copiedTo = at + length;
        }
        at += length;
    }
    if (copiedTo == 0) {
        return utf8;  // nothing replaced: the text as it was, without a copy
    }
    out.append(utf8, copiedTo, std::string::npos);
    return out;
}

bool WriteHtmlReport(const SessionList& list, const std::string& fileName, ReportFiles& files,
                     UserPrompts& prompts) {
    std::optional<std::string> report =
        BuildHtmlReport(list, CharsetOfCodePage(files.AnsiCodePage()));
    if (!report) {
        prompts.ReportError("The report cannot be built: a session has fewer than eleven texts.");
        return false;
    }
    const Outcome written = files.WriteAnsiFile(
        fileName, WithCharacterReferences(std::move(*report), [&files](std::uint32_t code) {
            return files.HoldsCharacter(code);
        }));
    if (!written.ok()) {
        prompts.ReportError("The report cannot be written to " + fileName + ": " + written.error());
    }
    return written.ok();
}

void SaveStatisticsAsHtml(const SessionList& list, SaveDialog& dialog, ReportFiles& files,
                          UserPrompts& prompts, const CsvExport* csv) {
    dialog.SetFilter(csv ? "HTML (*.html)|*.html|CSV (UTF-8)|*.csv" : "HTML (*.html)|*.html");
    std::optional<std::string> chosen = dialog.Execute();
    if (!chosen) {
        return;
    }
    if (csv && dialog.ChosenFilter() == 1) {
        const std::string fileName = WithExtension(std::move(*chosen), ".csv");
        dialog.SetFileName(fileName);
        WriteCsvReport(list, fileName, *csv, prompts);
        return;
    }
    const std::string fileName = WithHtmlExtension(std::move(*chosen));
    dialog.SetFileName(fileName);
    WriteHtmlReport(list, fileName, files, prompts);
}

}  // namespace orv
