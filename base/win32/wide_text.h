#pragma once
// UTF-8 inside the program, UTF-16 at the window API: the conversions at that boundary.

#include <windows.h>

#include <string>
#include <string_view>

namespace orv {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A window's text (caption, label text) as UTF-8.
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);
// Writes the text only when the window does not show it already, and says whether it wrote.
// For what a timer rewrites: even the same text costs a WM_SETTEXT and a repaint (and under
// Wine a round trip to its server).
bool SetWindowTextIfChanged(HWND window, std::string_view text);

}  // namespace orv
