#pragma once
// What the statistics file needs from the platform: the files of its folder, the user's
// answers and the logon name. Small so that tests never block on a dialog.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/outcome.h"

namespace orv {

class StatisticsStorage {
  public:
    virtual ~StatisticsStorage() = default;
    virtual bool Exists(const std::string& path) const = 0;
    // Lets writeTemp fill a temporary file beside path, flushes it and puts it in place of path
    // in one step. On any failure path keeps its previous content.
    virtual Outcome ReplaceAtomically(
        const std::string& path, const std::function<Outcome(const std::string&)>& writeTemp) = 0;
    virtual Outcome WriteBytes(const std::string& path, std::string_view bytes) = 0;
    // The file's bytes; nothing when it cannot be read.
    virtual std::optional<std::string> ReadBytes(const std::string& path) const = 0;
    virtual Outcome Rename(const std::string& from, const std::string& to) = 0;
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
