#pragma once
// A drawing area that repaints by copying an off-screen picture, unchanged, at its own place
// and size (the statistics page's traffic graph copies MainGraphPicture).

#include <windows.h>

#include "monitor/gdi_canvas_win32.h"

namespace orv {

// Registers the class once per process; returns its name.
const wchar_t* RegisterPictureBoxClass();

// The picture the box copies from now on (null: the box shows its background).
void AttachPicture(HWND box, const GdiCanvas* picture);

}  // namespace orv
