#include "monitor/tray_hint_win32.h"

#include <string>

#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr UINT_PTR kToolId = 1;
constexpr wchar_t kTitle[] = L"Information";
// Wide enough for the longest line of the information text, and what turns line breaks on.
constexpr LPARAM kMaxWidth = 400;

ScreenRect DesktopAround(ScreenPoint point) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST), &info);
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

LPARAM PointParam(ScreenPoint point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

}  // namespace

TrayHint::~TrayHint() {
    Destroy();
}

void TrayHint::Destroy() {
    if (tooltip_) {
        KillTimer(owner_, kTimerId);
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
}

TOOLINFOW TrayHint::Tool(wchar_t* text) const {
    TOOLINFOW tool{};
    // The size every version of the common controls accepts, with or without a v6 manifest.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner_;
    tool.uId = kToolId;
    tool.lpszText = text;
    return tool;
}

bool TrayHint::Create(HINSTANCE instance, HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    owner_ = owner;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_BALLOON | TTS_CLOSE | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                               nullptr, instance, nullptr);
    if (!tooltip_) {
        return false;
    }
    wchar_t empty[] = L"";
    TOOLINFOW tool = Tool(empty);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kMaxWidth);
    SendMessageW(tooltip_, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(kTitle));
    return true;
}

void TrayHint::Show(ScreenPoint anchor, std::string_view body) {
    if (!tooltip_) {
        return;
    }
    std::wstring text = Widen(body);
    TOOLINFOW tool = Tool(text.data());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Shown once at the anchor to learn its size, then moved to its place beside the anchor.
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, PointParam(anchor));
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    RECT shown;
    GetWindowRect(tooltip_, &shown);
    const ScreenPoint topLeft = HintTopLeft(anchor, shown.right - shown.left,
                                            shown.bottom - shown.top, DesktopAround(anchor));
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, PointParam(topLeft));
    SetTimer(owner_, kTimerId, kVisibleMs, nullptr);
}

void TrayHint::Hide() {
    if (!tooltip_) {
        return;
    }
    KillTimer(owner_, kTimerId);
    TOOLINFOW tool = Tool(nullptr);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace orv
