#pragma once
// A colour swatch: a plain child window filled with one stored colour. A press of any mouse
// button tells the parent through WM_COMMAND with BN_CLICKED and the swatch's control id.

#include <windows.h>

#include <cstdint>

namespace orv {

inline constexpr wchar_t kColourSwatchClass[] = L"OrvColourSwatch";

// Registers the window class once per process; returns its name.
const wchar_t* RegisterColourSwatchClass();

std::uint32_t SwatchColour(HWND swatch);
void SetSwatchColour(HWND swatch, std::uint32_t colour);

}  // namespace orv
