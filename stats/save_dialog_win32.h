#pragma once
// The common save dialog of the HTML report; it remembers the last name for its next use.

#include <windows.h>

#include <string>

#include "stats/html_report.h"

namespace orv {

class Win32SaveDialog final : public SaveDialog {
  public:
    explicit Win32SaveDialog(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    void SetFilter(std::string_view filter) override;
    std::optional<std::string> Execute() override;
    void SetFileName(const std::string& fileName) override { fileName_ = fileName; }

  private:
    HWND owner_;
    std::string filter_;  // "name|pattern" pairs
    std::string fileName_;
};

}  // namespace orv
