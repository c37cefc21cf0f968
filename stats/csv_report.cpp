#include "stats/csv_report.h"

#include <array>

#include "stats/statistics_formats.h"

namespace orv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeader =
    "name,user,start,end,duration_s,received_bytes,sent_bytes,link_speed_bps,"
    "average_speed_kbps,server_ip,client_ip";

// Session list columns.
constexpr std::size_t kUserColumn = 1;
constexpr std::size_t kLinkSpeedColumn = 3;
constexpr std::size_t kServerColumn = 6;
constexpr std::size_t kClientColumn = 7;
constexpr std::size_t kStartColumn = 8;
constexpr std::size_t kAverageSpeedColumn = 10;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// -digits[.digits][E[+-]digits], the form FormatSpeed writes once its separator is a point.
bool IsPlainNumber(std::string_view text) {
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t from = at;
        while (at < text.size() && IsDigit(text[at])) {
            ++at;
        }
        return at > from;
    };
    if (at < text.size() && text[at] == '-') {
        ++at;
    }
    if (!digits()) {
        return false;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (!digits()) {
            return false;
        }
    }
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (!digits()) {
            return false;
        }
    }
    return at == text.size();
}

// The average speed with a point: the stored text's decimal separator is the user's, or a comma
// or point of settings since changed; a text that is no number stays as it is.
std::string PointDecimal(std::string_view stored, const RegionalFormats& formats) {
    std::string text(stored);
    for (const std::string_view separator :
         {std::string_view(formats.decimalSeparator), std::string_view(",")}) {
        if (const std::size_t at = separator.empty() ? std::string::npos : text.find(separator);
            at != std::string::npos) {
            text.replace(at, separator.size(), ".");
            break;
        }
    }
    return IsPlainNumber(text) ? text : std::string(stored);
}

}  // namespace

void AppendCsvField(std::string_view text, std::string& out) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

std::string IsoDateTime(std::string_view stored, const RegionalFormats& formats) {
    const auto moment = ParseLocalDateTime(stored, formats);
    if (!moment) {
        return std::string(stored);
    }
    return FixedWidthMoment(*moment, "-", " ", ":");
}

std::string BuildCsvReport(const SessionList& list, const RegionalFormats& formats) {
    std::string csv;
    csv.reserve(kHeader.size() + 8 + list.TextBytes() + list.RowCount() * 24);
    csv += kByteOrderMark;
    csv += kHeader;
    csv += kLineEnd;
    for (std::size_t row = 0; row < list.RowCount(); ++row) {
        const auto text = [&](std::size_t column) { return list.Text(row, column); };
        const std::array<std::string, 11> fields{
            std::string(text(kNameColumn)),
            std::string(text(kUserColumn)),
            IsoDateTime(text(kStartColumn), formats),
            IsoDateTime(text(kEndColumn), formats),
            std::to_string(ParseDuration(text(kDurationColumn))),
            std::string(text(kReceivedColumn)),
            std::string(text(kSentColumn)),
            std::string(text(kLinkSpeedColumn)),
            PointDecimal(text(kAverageSpeedColumn), formats),
            std::string(text(kServerColumn)),
            std::string(text(kClientColumn)),
        };
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i != 0) {
                csv += ',';
            }
            AppendCsvField(fields[i], csv);
        }
        csv += kLineEnd;
    }
    return csv;
}

bool WriteCsvReport(const SessionList& list, const std::string& fileName, const CsvExport& csv,
                    UserPrompts& prompts) {
    const Outcome written = csv.files.WriteBytes(fileName, BuildCsvReport(list, csv.formats));
    if (!written.ok()) {
        prompts.ReportError("The CSV file cannot be written to " + fileName + ": " +
                            written.error());
    }
    return written.ok();
}

}  // namespace orv
