// One modal dialog at a time: a request for a second dialog while one is open (a message
// handled inside the open dialog's loop) is refused at once and opens nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "base/win32/user_dialogs.h"
#include "support/thread_boxes.h"

namespace orv {
namespace {

Win32UserDialogs* dialogs = nullptr;
int boxesSeenInside = -1;
bool secondRefused = false;

using testing::OpenBox;

// Runs inside the open box's message loop, as a stray command would.
void CALLBACK InsideTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = OpenBox();
    if (box == nullptr) {
        return;  // not up yet
    }
    KillTimer(nullptr, timer);
    secondRefused = !dialogs->ChooseColour(0x00FF0000).has_value();
    dialogs->ShowError("Second", "must not open");  // returns at once
    boxesSeenInside = static_cast<int>(testing::ThreadBoxes().size());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(ModalTurn, ADialogAskedForWhileOneIsOpenIsRefusedAndTheNextOpensAgain) {
    Win32UserDialogs boxes([] { return HWND{nullptr}; });
    dialogs = &boxes;
    SetTimer(nullptr, 0, 50, &InsideTheBox);
    boxes.ShowError("First", "the open box");
    EXPECT_TRUE(secondRefused);
    EXPECT_EQ(boxesSeenInside, 1);

    // The turn is free again once the box has closed.
    boxesSeenInside = -1;
    SetTimer(nullptr, 0, 50, &InsideTheBox);
    boxes.ShowError("Third", "opens");
    EXPECT_EQ(boxesSeenInside, 1);
    dialogs = nullptr;
}

}  // namespace
}  // namespace orv
