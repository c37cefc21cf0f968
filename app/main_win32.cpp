// orvane.exe: one monitor at a time; the first instance builds its windows and runs until the
// floating window closes. No command-line argument is read.
#include <windows.h>

#include "app/program_win32.h"
#include "app/single_instance_win32.h"
#include "base/win32/resources.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!orv::AcquireSingleInstanceLock()) {
        orv::BringRunningInstanceForward();
        return 0;
    }
    // COM once for the interface thread: the statistics document is an MSXML object.
    const orv::ComApartment com;
    orv::Program program(instance);
    if (!program.Create()) {
        return 1;
    }
    return program.Run();
}
