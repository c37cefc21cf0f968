#include "stats/print_job.h"

namespace orv {

namespace {

constexpr std::string_view kDocumentName = "Orvane Statistics";

bool Failed(const Outcome& outcome, UserPrompts& prompts) {
    if (!outcome.ok()) {
        prompts.ReportError("The statistics cannot be printed: " + outcome.error());
    }
    return !outcome.ok();
}

// Prints every page; the first failure ends the job.
Outcome PrintPages(const PrintLayout& layout, PrintTarget& target) {
    for (std::size_t index = 0; index < layout.PageCount(); ++index) {
        if (Outcome started = target.StartPage(); !started.ok()) {
            return started;
        }
        target.DrawPage(layout.Page(index));
        if (Outcome ended = target.EndPage(); !ended.ok()) {
            return ended;
        }
    }
    return target.EndDocument();
}

}  // namespace

bool PrintStatistics(const SessionList& list, const TotalsTexts& totals, std::string_view printedAt,
                     PrinterDialog& dialog, UserPrompts& prompts) {
    ChosenPrinter chosen = dialog.Choose();
    if (!chosen.target) {
        if (!chosen.error.empty()) {
            Failed(Outcome::Failed(chosen.error), prompts);
        }
        return false;
    }
    PrintTarget& target = *chosen.target;
    const PrintLayout layout(list, totals,
                             std::string(kDocumentName) + ", " + std::string(printedAt),
                             target.PrintableArea(), target);
    if (Failed(target.StartDocument(kDocumentName), prompts)) {
        return false;
    }
    const Outcome printed = PrintPages(layout, target);
    if (!printed.ok()) {
        target.AbortDocument();
    }
    return !Failed(printed, prompts);
}

}  // namespace orv
