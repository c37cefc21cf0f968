#pragma once
// What the statistics file needs from the platform: the files of its folder, the user's
// answers and the logon name. Small so that tests never block on a dialog.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_read.h"
#include "base/outcome.h"

namespace orv {

class StatisticsStorage {
  public:
    virtual ~StatisticsStorage() = default;
    // False only when the system says the file is not there: a file whose attributes cannot be
    // read for another reason exists, and nothing may be written over it as if it were new.
    virtual bool Exists(const std::string& path) const = 0;
    // Lets writeTemp fill a temporary file beside path, flushes it and puts it in place of path
    // in one step. On any failure path keeps its previous content.
    virtual Outcome ReplaceAtomically(
        const std::string& path, const std::function<Outcome(const std::string&)>& writeTemp) = 0;
    virtual Outcome WriteBytes(const std::string& path, std::string_view bytes) = 0;
    // The file's bytes, or whether it is missing or could not be opened or read.
    virtual FileRead ReadBytes(const std::string& path) const = 0;
    virtual Outcome Rename(const std::string& from, const std::string& to) = 0;
    // The file's size; nothing when it cannot be found.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) const = 0;
    // When the file at `from` still holds, from byte `keep` to its end, exactly `expectedEnd`,
    // writes to `to` its first `keep` bytes followed by `more`, and gives the outcome of that;
    // gives nothing, and writes nothing, when `from` is missing, unreadable or different.
    virtual std::optional<Outcome> WriteExtendedCopy(const std::string& from, std::uint64_t keep,
                                                     std::string_view expectedEnd,
                                                     const std::string& to,
                                                     std::string_view more) = 0;
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // A Yes/No question with the information icon and Yes as default; Escape and closing the
    // box answer No.
    virtual bool AskYesNo(std::string_view question) = 0;
    virtual void ReportError(std::string_view message) = 0;
};

class LogonName {
  public:
    virtual ~LogonName() = default;
    // Empty when the system gives none.
    virtual std::string UserName() const = 0;
};

}  // namespace orv
