#pragma once
// The common save dialog of the report; it remembers the last name and kind for its next use.

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
    std::size_t ChosenFilter() const override { return filterIndex_ == 0 ? 0 : filterIndex_ - 1; }

  private:
    HWND owner_;
    std::string filter_;  // "name|pattern" pairs
    std::string fileName_;
    DWORD filterIndex_ = 1;  // the dialog's own count, from 1; the last choice is offered again
};

}  // namespace orv
