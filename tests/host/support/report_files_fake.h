#pragma once
// The report's ANSI file writer for host tests: code page 1251, every file kept by name, a
// failure on request.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "stats/html_report.h"

namespace orv::testing {

class FakeReportFiles : public ReportFiles {
  public:
    Outcome WriteAnsiFile(const std::string& name, std::string_view utf8) override {
        if (failWith) {
            return Outcome::Failed(*failWith);
        }
        written[name] = utf8;
        return Outcome::Ok();
    }
    unsigned AnsiCodePage() const override { return 1251; }
    // Plays code page 1251: ASCII and the Russian letters.
    bool HoldsCharacter(std::uint32_t c) const override {
        return c < 0x80 || (c >= 0x410 && c <= 0x44F);
    }

    std::optional<std::string> failWith;
    std::map<std::string, std::string> written;
};

}  // namespace orv::testing
