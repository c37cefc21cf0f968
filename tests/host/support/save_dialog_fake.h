#pragma once
// The report's save dialog for host tests: it answers what the test set and keeps what it was
// given.

#include <optional>
#include <string>
#include <string_view>

#include "stats/html_report.h"

namespace orv::testing {

class FakeSaveDialog final : public SaveDialog {
  public:
    void SetFilter(std::string_view f) override { filter = f; }
    std::optional<std::string> Execute() override { return answer; }
    void SetFileName(const std::string& name) override { kept = name; }
    std::size_t ChosenFilter() const override { return chosen; }

    std::string filter;
    std::optional<std::string> answer;
    std::string kept;
    std::size_t chosen = 0;
};

}  // namespace orv::testing
