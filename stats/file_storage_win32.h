#pragma once
// The statistics folder and the report file on the Win32 file API. Every replacement goes
// through a flushed temporary file beside the target and one rename, so a crash, a kill or a
// full disk leaves the previous file whole.

#include "stats/html_report.h"
#include "stats/statistics_ports.h"

namespace orv {

class Win32FileStorage final : public StatisticsStorage, public ReportFiles {
  public:
    bool Exists(const std::string& path) const override;
    Outcome ReplaceAtomically(const std::string& path,
                              const std::function<Outcome(const std::string&)>& writeTemp) override;
    Outcome WriteBytes(const std::string& path, std::string_view bytes) override;
    FileRead ReadBytes(const std::string& path) const override;
    Outcome Rename(const std::string& from, const std::string& to) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) const override;
    std::optional<Outcome> WriteExtendedCopy(const std::string& from, std::uint64_t keep,
                                             std::string_view expectedEnd, const std::string& to,
                                             std::string_view more) override;
    Outcome WriteAnsiFile(const std::string& fileName, std::string_view utf8) override;
    unsigned AnsiCodePage() const override;
    bool HoldsCharacter(std::uint32_t character) const override;
};

}  // namespace orv
