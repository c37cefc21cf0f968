#pragma once
// The session list as CSV for spreadsheets and scripts (RFC 4180): UTF-8 with a byte-order
// mark, so that Excel shows Cyrillic names; an English header row; one row per session in the
// list's order, with times as YYYY-MM-DD HH:MM:SS, the duration in seconds and the average
// speed with a decimal point, whatever the regional settings the sessions were stored under.

#include <string>
#include <string_view>

#include "base/regional_formats.h"
#include "stats/session_list.h"
#include "stats/statistics_ports.h"

namespace orv {

// Appends the field, in quotes (inner quotes doubled) when it holds a comma, a quote or a line
// break.
void AppendCsvField(std::string_view text, std::string& out);

// A stored date-time text in the user's formats as "2026-12-09 15:30:17"; a text that does not
// read stays as it is.
std::string IsoDateTime(std::string_view stored, const RegionalFormats& formats);

// The whole file: byte-order mark, header and rows, each line ended by CR LF.
std::string BuildCsvReport(const SessionList& list, const RegionalFormats& formats);

// What the CSV export writes with, beside the HTML report's files.
struct CsvExport {
    StatisticsStorage& files;
    const RegionalFormats& formats;
};

// Builds and writes the file; a failure is reported to the user.
bool WriteCsvReport(const SessionList& list, const std::string& fileName, const CsvExport& csv,
                    UserPrompts& prompts);

}  // namespace orv
