#pragma once
// The about page's link label: its address in blue with a hand cursor, bold while the mouse is
// over it; a click asks the shell to open the address.

#include <windows.h>

namespace orv {

void MakeWebLink(HWND label);

// Whether the label shows its text bold now (the mouse is over it).
bool WebLinkHovered(HWND label);

}  // namespace orv
