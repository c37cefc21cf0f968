#include "app/shutdown_notice_win32.h"

#include "base/win32/modal_turn.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr UINT_PTR kSecondTimer = 0x5344;
constexpr int kBoxTextId = 0xFFFF;  // the message box's text, in Windows and in Wine

// The box being counted down; one at a time (the modal turn sees to that).
struct Countdown {
    HHOOK hook = nullptr;
    HWND box = nullptr;
    int secondsLeft = 0;
    bool russian = false;
};
thread_local Countdown countdown;

void CALLBACK SecondPassed(HWND box, UINT, UINT_PTR, DWORD) {
    if (--countdown.secondsLeft <= 0) {
        KillTimer(box, kSecondTimer);
        EndDialog(box, IDOK);
        return;
    }
    SetDlgItemTextW(box, kBoxTextId,
                    Widen(ShutdownNoticeText(countdown.secondsLeft, countdown.russian)).c_str());
}

// Catches the box as it is activated, once, to start its clock.
LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && countdown.box == nullptr) {
        wchar_t className[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
        if (lstrcmpW(className, L"#32770") == 0) {
            countdown.box = reinterpret_cast<HWND>(wParam);
            SetTimer(countdown.box, kSecondTimer, 1000, &SecondPassed);
        }
    }
    return CallNextHookEx(countdown.hook, code, wParam, lParam);
}

}  // namespace

bool MessageBoxShutdownNotice::CountDown(int seconds) {
    HWND owner = owner_ ? owner_() : nullptr;
    const ModalTurn turn(owner);
    if (!turn.Taken()) {
        return false;  // a box of ours is open: nobody would see the countdown
    }
    const bool russian = language_.IsRussian();
    countdown = {nullptr, nullptr, seconds, russian};
    countdown.hook = SetWindowsHookExW(WH_CBT, &BoxHook, nullptr, GetCurrentThreadId());
    const std::wstring text = Widen(ShutdownNoticeText(seconds, russian));
    const int answer =
        MessageBoxW(owner, text.c_str(), L"Orvane",
                    MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TOPMOST | MB_SETFOREGROUND);
    if (countdown.hook != nullptr) {
        UnhookWindowsHookEx(countdown.hook);
    }
    countdown = {};
    return answer == IDOK;
}

}  // namespace orv
