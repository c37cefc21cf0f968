#include "app/colour_swatch_win32.h"

#include "base/win32/resources.h"
#include "base/win32/stored_colour.h"
#include "base/win32/window_class.h"

namespace orv {
namespace {

void Paint(HWND swatch) {
    const PaintDc dc(swatch);
    RECT area;
    GetClientRect(swatch, &area);
    const GdiObject<HBRUSH> fill(CreateSolidBrush(ToColorRef(SwatchColour(swatch))));
    FillRect(dc.Get(), &area, fill.Get());
    FrameRect(dc.Get(), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

LRESULT CALLBACK SwatchProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(swatch);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const auto id = static_cast<WORD>(GetDlgCtrlID(swatch));
            SendMessageW(GetParent(swatch), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(swatch));
            return 0;
        }
        default:
            return DefWindowProcW(swatch, message, wParam, lParam);
    }
}

}  // namespace

const wchar_t* RegisterColourSwatchClass() {
    static const wchar_t* const name = RegisterWindowClass(
        {.name = kColourSwatchClass, .procedure = SwatchProc, .cursor = IDC_HAND});
    return name;
}

std::uint32_t SwatchColour(HWND swatch) {
    return static_cast<std::uint32_t>(GetWindowLongPtrW(swatch, GWLP_USERDATA));
}

void SetSwatchColour(HWND swatch, std::uint32_t colour) {
    SetWindowLongPtrW(swatch, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    InvalidateRect(swatch, nullptr, TRUE);
}

}  // namespace orv
