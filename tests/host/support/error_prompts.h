#pragma once
// User prompts that answer every question No and keep the error reports.

#include <string>
#include <string_view>
#include <vector>

#include "stats/statistics_ports.h"

namespace orv::testing {

class ErrorPrompts final : public UserPrompts {
  public:
    bool AskYesNo(std::string_view) override { return false; }
    void ReportError(std::string_view message) override { errors.emplace_back(message); }
    std::vector<std::string> errors;
};

}  // namespace orv::testing
