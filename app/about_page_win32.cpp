#include "app/about_page_win32.h"

#include <commctrl.h>
#include <shellapi.h>
#include "base/win32/resources.h"

#include <string>

namespace orv {
namespace {

constexpr UINT_PTR kLinkSubclass = 0x4C4B;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr wchar_t kStateProperty[] = L"OrvWebLink";

struct LinkState {
    HFONT plain = nullptr;
    GdiObject<HFONT> bold;
    bool hovered = false;
};

HFONT BoldVariant(HFONT font) {
    LOGFONTW shape{};
    GetObjectW(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof(shape), &shape);
    shape.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&shape);
}

std::wstring TextOf(HWND label) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Paint(HWND label, const LinkState& state) {
    const PaintDc paint(label);
    const HDC dc = paint.Get();
    RECT area;
    GetClientRect(label, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const SelectedObject font(dc, state.hovered ? state.bold.Get() : state.plain);
    SetTextColor(dc, kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = TextOf(label);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void SetHovered(HWND label, LinkState& state, bool hovered) {
    if (state.hovered == hovered) {
        return;
    }
    state.hovered = hovered;
    if (hovered) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, label, 0};
        TrackMouseEvent(&track);
    }
    InvalidateRect(label, nullptr, FALSE);
}

LRESULT CALLBACK LinkProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto& state = *reinterpret_cast<LinkState*>(data);
    switch (message) {
        case WM_PAINT:
            Paint(label, state);
            return 0;
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE:
            SetHovered(label, state, true);
            return 0;
        case WM_MOUSELEAVE:
            SetHovered(label, state, false);
            return 0;
        case WM_SETFONT:
            // A new DPI brings a new font; the bold one follows it.
            state.plain = reinterpret_cast<HFONT>(wParam);
            state.bold.Reset(BoldVariant(state.plain));
            return DefSubclassProc(label, message, wParam, lParam);
        case WM_LBUTTONUP:
            ShellExecuteW(GetAncestor(label, GA_ROOT), L"open", TextOf(label).c_str(), nullptr,
                          nullptr, SW_SHOWNORMAL);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(label, LinkProc, kLinkSubclass);
            RemovePropW(label, kStateProperty);
            delete &state;
            return DefSubclassProc(label, message, wParam, lParam);
        default:
            return DefSubclassProc(label, message, wParam, lParam);
    }
}

}  // namespace

void MakeWebLink(HWND label) {
    auto* state = new LinkState;
    state->plain = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    state->bold.Reset(BoldVariant(state->plain));
    SetPropW(label, kStateProperty, state);
    SetWindowSubclass(label, LinkProc, kLinkSubclass, reinterpret_cast<DWORD_PTR>(state));
}

bool WebLinkHovered(HWND label) {
    const auto* state = static_cast<const LinkState*>(GetPropW(label, kStateProperty));
    return state && state->hovered;
}

}  // namespace orv
