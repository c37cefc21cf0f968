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
// The attached picture has changed: the box copies it again, at once if it is on screen, or
// when it is next shown (showing a window repaints it), so a hidden box costs nothing.
void ShowChangedPicture(HWND box);

}  // namespace orv
