#include "app/picture_box_win32.h"

#include "base/win32/resources.h"
#include "base/win32/window_class.h"

namespace orv {
namespace {

constexpr wchar_t kPictureBoxClass[] = L"OrvPictureBox";

const GdiCanvas* PictureOf(HWND box) {
    return reinterpret_cast<const GdiCanvas*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcW(box, message, wParam, lParam);
    }
    const PaintDc dc(box);
    if (const GdiCanvas* picture = PictureOf(box)) {
        // The picture keeps its design size; the box is scaled to the window's DPI.
        RECT area;
        GetClientRect(box, &area);
        picture->StretchTo(dc.Get(), area.right, area.bottom);
    } else {
        FillRect(dc.Get(), &dc.Area(), GetSysColorBrush(COLOR_BTNFACE));
    }
    return 0;
}

}  // namespace

const wchar_t* RegisterPictureBoxClass() {
    static const wchar_t* const name =
        RegisterWindowClass({.name = kPictureBoxClass, .procedure = PictureBoxProc});
    return name;
}

void AttachPicture(HWND box, const GdiCanvas* picture) {
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
    InvalidateRect(box, nullptr, FALSE);
}

void ShowChangedPicture(HWND box) {
    if (IsWindowVisible(box)) {
        InvalidateRect(box, nullptr, FALSE);
    }
}

}  // namespace orv
