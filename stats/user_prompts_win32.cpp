#include "stats/user_prompts_win32.h"

#include "base/win32/modal_turn.h"
#include "stats/com_text_win32.h"

namespace orv {

namespace {

thread_local HHOOK questionHook = nullptr;
thread_local WNDPROC questionBoxProc = nullptr;

LRESULT CALLBACK QuestionBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool escape = message == WM_COMMAND && LOWORD(wParam) == IDCANCEL;
    const bool close =
        message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
    if (escape || close) {
        EndDialog(box, IDNO);
        return 0;
    }
    return CallWindowProcW(questionBoxProc, box, message, wParam, lParam);
}

// Catches the message box as it is activated, once, to answer Escape and close with No.
LRESULT CALLBACK QuestionHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && questionBoxProc == nullptr) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(box, className, 16);
        if (lstrcmpW(className, L"#32770") == 0) {
            questionBoxProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QuestionBoxProc)));
            EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
        }
    }
    return CallNextHookEx(questionHook, code, wParam, lParam);
}

}  // namespace

bool MessageBoxPrompts::AskYesNo(std::string_view question) {
    const ModalTurn turn(owner_);
    if (!turn.Taken()) {
        return false;  // asked again while a box is open: the open box is the answer
    }
    const std::wstring text = Widen(question);
    questionBoxProc = nullptr;
    questionHook = SetWindowsHookExW(WH_CBT, &QuestionHook, nullptr, GetCurrentThreadId());
    // No is the default: the questions ask before deleting, and Enter must not delete.
    const int answer = MessageBoxW(owner_, text.c_str(), L"Information",
                                   MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2);
    if (questionHook != nullptr) {
        UnhookWindowsHookEx(questionHook);
        questionHook = nullptr;
    }
    questionBoxProc = nullptr;
    return answer == IDYES;
}

void MessageBoxPrompts::ReportError(std::string_view message) {
    const ModalTurn turn(owner_);
    if (!turn.Taken()) {
        return;
    }
    const std::wstring text = Widen(message);
    MessageBoxW(owner_, text.c_str(), L"Orvane", MB_OK | MB_ICONERROR);
}

}  // namespace orv
