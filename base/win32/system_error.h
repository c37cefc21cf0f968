#pragma once
// The system's text for an error code, as the user sees it in a message or the status bar.

#include <windows.h>

#include <optional>
#include <string>

namespace orv {

// The system's message for an error code or HRESULT, without the trailing line break; nothing
// when the system has none.
std::optional<std::string> SystemMessage(DWORD code);
// The same, or "error 0x..." when the system has none.
std::string SystemErrorText(DWORD code);
inline std::string LastErrorText() {
    return SystemErrorText(GetLastError());
}

}  // namespace orv
