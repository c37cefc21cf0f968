#include "app/allowance_view_win32.h"

#include "base/win32/wide_text.h"
#include "monitor/allowance_controls.h"

namespace orv {

AllowanceView::AllowanceView(AllowanceServices services)
    : tally_(services.file, services.document, services.formats),
      allowance_(MonthAllowancePorts{
          services.controls, services.sounds, services.balloons, services.clock,
          services.formats, services.language, std::move(services.hangUp),
          [this](const BillingPeriod& period) { return tally_.StoredIn(period); },
          std::move(services.running)}),
      control_(std::move(services.control)) {}

void AllowanceView::ShowFigures() const {
    const AllowanceStatus status = allowance_.Status();
    const std::string line = allowance_.StatusLine(status);
    // The allowance page shows the period's figures always, the statistics page with a limit.
    SetWindowTextIfChanged(control_(ids::kAllowanceStatus), line);
    SetWindowTextIfChanged(control_(ids::kStatisticsAllowance),
                           status.settings.HasLimit() ? line : std::string());
}

std::string AllowanceView::WithTrayLine(std::string trayText) const {
    const AllowanceStatus status = allowance_.Status();
    if (!status.settings.HasLimit()) {
        return trayText;
    }
    if (!trayText.empty() && trayText.back() != '\r') {
        trayText += '\r';
    }
    trayText += allowance_.StatusLine(status);
    trayText += '\r';
    return trayText;
}

}  // namespace orv
