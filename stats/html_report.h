#pragma once
// The HTML report of the session list: a head block, one block per row and a closing block;
// lines inside a block are separated by CR, each block ends with CR LF. Cell texts are
// escaped so that a name such as "A<B" shows as written.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/outcome.h"
#include "stats/session_list.h"
#include "stats/statistics_ports.h"

namespace orv {

// The column titles of the report and of the printed table, in the session list's order.
inline constexpr std::array<std::string_view, kSessionColumns> kReportColumnTitles{
    "Connection", "User",      "Time",          "Connection Speed", "Received",     "Send",
    "Server IP",  "Client IP", "Start Session", "End Session",      "Average Speed"};

// The name of an ANSI code page as an HTML charset: "windows-1251", "shift_jis", ...
std::string CharsetOfCodePage(unsigned codePage);

// UTF-8 text of the report, its head declaring the given charset (the code page the file will
// be written in, so that every browser shows Cyrillic right); nothing when a row has fewer than
// eleven texts.
std::optional<std::string> BuildHtmlReport(const SessionList& list, std::string_view charset);

// The chosen name with `extension` (".html", ".csv") appended when it has no extension (from the
// last dot of the file name) at all. The save dialog gives names without one the chosen kind's
// extension itself, before it asks about replacing a file; a file the user chose with another
// extension ("old.htm") is written under that very name.
std::string WithExtension(std::string fileName, std::string_view extension);
inline std::string WithHtmlExtension(std::string fileName) {
    return WithExtension(std::move(fileName), ".html");
}

// The UTF-8 text with each character the report's code page cannot hold (holds(code) false)
// written as a numeric character reference, "&#1071;", which a browser shows as the character
// itself where the code page would have made it "?". Only for text outside markup names.
std::string WithCharacterReferences(std::string utf8,
                                    const std::function<bool(std::uint32_t)>& holds);

// Appends the text with "&", "<", ">" and '"' written as references.
void AppendEscapedHtml(std::string_view text, std::string& out);

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // filter in the form "description|pattern"
    virtual void SetFilter(std::string_view filter) = 0;
    // The chosen file name, nothing when cancelled.
    virtual std::optional<std::string> Execute() = 0;
    // The name the dialog offers at its next use.
    virtual void SetFileName(const std::string& fileName) = 0;
    // The filter entry (from 0) that the last Execute ended with.
    virtual std::size_t ChosenFilter() const { return 0; }
};

class ReportFiles {
  public:
    virtual ~ReportFiles() = default;
    // Writes the UTF-8 text in the system's ANSI code page, replacing any file of that name.
    virtual Outcome WriteAnsiFile(const std::string& fileName, std::string_view utf8) = 0;
    // The code page WriteAnsiFile writes in.
    virtual unsigned AnsiCodePage() const = 0;
    // Whether that code page holds the character (a Unicode code point) as itself.
    virtual bool HoldsCharacter(std::uint32_t character) const = 0;
};

// Builds and writes the report; a failure is reported to the user.
bool WriteHtmlReport(const SessionList& list, const std::string& fileName, ReportFiles& files,
                     UserPrompts& prompts);

struct CsvExport;

// With `csv` the dialog offers "CSV (UTF-8)" beside HTML, and the entry chosen decides.
void SaveStatisticsAsHtml(const SessionList& list, SaveDialog& dialog, ReportFiles& files,
                          UserPrompts& prompts, const CsvExport* csv = nullptr);

}  // namespace orv
