#pragma once
// One modal dialog of ours at a time. A modal dialog runs its own message loop, in which any
// message may ask for another dialog; nested common dialogs crash Wine's comdlg32, and a pile of
// boxes helps nobody. Every modal dialog of the program opens only with the turn taken.

#include <windows.h>

namespace orv {

class ModalTurn {
  public:
    // Takes the turn when no dialog of ours is open. When one is, the turn is refused and the
    // open dialog is brought to the front instead.
    explicit ModalTurn(HWND owner);
    ~ModalTurn();
    ModalTurn(const ModalTurn&) = delete;
    ModalTurn& operator=(const ModalTurn&) = delete;

    bool Taken() const { return taken_; }

    // True while a dialog of ours is open on this thread.
    static bool DialogOpen();

  private:
    bool taken_ = false;
};

}  // namespace orv
