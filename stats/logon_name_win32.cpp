#include "stats/logon_name_win32.h"

#include <windows.h>

#include "stats/com_text_win32.h"

namespace orv {

std::string Win32LogonName::UserName() const {
    wchar_t name[256] = {};
    DWORD size = 256;
    if (!GetUserNameW(name, &size)) {
        return {};
    }
    return Narrow(name);
}

}  // namespace orv
