#pragma once
// The live state of the main window's controls, read by identifier: while the program runs the
// controls hold the settings' values, and the logic reads them at the moment it needs them.

#include <string>
#include <string_view>

namespace orv {

class ControlStates {
  public:
    virtual ~ControlStates() = default;
    virtual bool Checked(std::string_view id) const = 0;
    // Edit fields and the edit part of editable lists.
    virtual std::string Text(std::string_view id) const = 0;
};

}  // namespace orv
