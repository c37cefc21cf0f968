#include "stats/journal_file_win32.h"

#include <windows.h>

#include "base/win32/file_replace.h"
#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"

namespace orv {

std::optional<std::string> Win32JournalFile::Read(const std::string& path) const {
    return ReadWholeFile(path);
}

Outcome Win32JournalFile::Replace(const std::string& path, std::string_view bytes) {
    return ReplaceFileAtomically(
        path, [bytes](const std::string& temp) { return WriteWholeFile(temp, bytes); });
}

Outcome Win32JournalFile::Remove(const std::string& path) {
    if (!DeleteFileW(Widen(path).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
        GetLastError() != ERROR_PATH_NOT_FOUND) {
        return Outcome::Failed(LastErrorText());
    }
    return Outcome::Ok();
}

}  // namespace orv
