#pragma once
// Threshold fields take digits and backspace only; other keys, and a paste holding anything
// but digits, are dropped with the beep.

#include <windows.h>

namespace orv {

// For an editable list the filter goes on its edit part.
void AcceptDigitsOnly(HWND field);

}  // namespace orv
