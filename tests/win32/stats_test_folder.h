#pragma once
// A throw-away program folder with a statistics folder for the statistics tests, and the
// fakes that keep them from blocking on message boxes.

#include <windows.h>

#include <string>
#include <vector>

#include "base/regional_formats.h"
#include "stats/statistics_ports.h"

namespace orv::testing {

class TempProgramFolder {
  public:
    // With withStatisticsFolder the folder `statistics` exists, as an installation has it.
    explicit TempProgramFolder(bool withStatisticsFolder = true);
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::string& Path() const { return path_; }  // with a trailing separator
    std::string StatisticsFile() const { return path_ + "statistics\\dialstat.xml"; }
    void CreateStatisticsFolder() const;
    std::vector<std::string> StatisticsFolderEntries() const;

  private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::size_t CountOccurrences(const std::string& text, const std::string& part);

class ScriptedPrompts final : public UserPrompts {
  public:
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return answerYes;
    }
    void ReportError(std::string_view message) override { errors.emplace_back(message); }

    bool answerYes = true;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
};

class FixedLogonName final : public LogonName {
  public:
    std::string UserName() const override { return name; }
    std::string name = "tester";
};

class FixedClock final : public Clock {
  public:
    LocalDateTime Now() const override { return {2026, 12, 8, 19, 5, 7, 0}; }
};

}  // namespace orv::testing
