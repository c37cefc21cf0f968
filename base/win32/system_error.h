#pragma once
// The system's text for an error code, as the user sees it in a message or the status bar.

#include <windows.h>

#include <string>

namespace orv {

// The system's text for an error code or HRESULT, without the trailing line break.
std::string SystemErrorText(DWORD code);
inline std::string LastErrorText() {
    return SystemErrorText(GetLastError());
}

}  // namespace orv
