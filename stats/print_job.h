#pragma once
// "Print Statistics": the user chooses a printer, the session table is laid out for its page
// and printed page by page; a failure of the printer is reported, never taken for success.

#include <memory>
#include <string>
#include <string_view>

#include "base/outcome.h"
#include "stats/print_layout.h"
#include "stats/session_list.h"
#include "stats/statistics_ports.h"

namespace orv {

// One chosen printer, ready for one document; it measures texts in its own device units.
class PrintTarget : public PrintMeasures {
  public:
    // Where a page may be printed, margins taken off.
    virtual Rect PrintableArea() const = 0;
    virtual Outcome StartDocument(std::string_view name) = 0;
    virtual Outcome StartPage() = 0;
    virtual void DrawPage(const PrintedPage& page) = 0;
    virtual Outcome EndPage() = 0;
    virtual Outcome EndDocument() = 0;
    // Drops a started document after a failure.
    virtual void AbortDocument() = 0;
};

// What the print dialog gave: a printer, or none because the user cancelled (no error) or
// because none could be had (the reason in error).
struct ChosenPrinter {
    std::unique_ptr<PrintTarget> target;
    std::string error;
};

class PrinterDialog {
  public:
    virtual ~PrinterDialog() = default;
    virtual ChosenPrinter Choose() = 0;
};

// The handler of the button "Print Statistics"; true when the whole job reached the printer.
// `printedAt` is the date and time the title shows.
bool PrintStatistics(const SessionList& list, const TotalsTexts& totals, std::string_view printedAt,
                     PrinterDialog& dialog, UserPrompts& prompts);

}  // namespace orv
