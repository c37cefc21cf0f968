#pragma once
// The running session's journal on the Win32 file API: replaced through a flushed temporary
// file and one rename, like the statistics file beside it.

#include "stats/session_journal.h"

namespace orv {

class Win32JournalFile final : public JournalFile {
  public:
    std::optional<std::string> Read(const std::string& path) const override;
    Outcome Replace(const std::string& path, std::string_view bytes) override;
    Outcome Remove(const std::string& path) override;
};

}  // namespace orv
