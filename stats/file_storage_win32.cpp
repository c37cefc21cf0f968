#include "stats/file_storage_win32.h"

#include <windows.h>

#include <algorithm>

#include "base/win32/code_page_text.h"
#include "base/win32/file_replace.h"
#include "stats/com_text_win32.h"

namespace orv {

bool Win32FileStorage::Exists(const std::string& path) const {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

Outcome Win32FileStorage::ReplaceAtomically(
    const std::string& path, const std::function<Outcome(const std::string&)>& writeTemp) {
    return ReplaceFileAtomically(path, writeTemp);
}

Outcome Win32FileStorage::WriteBytes(const std::string& path, std::string_view bytes) {
    return WriteWholeFile(path, bytes);
}

Outcome Win32FileStorage::Rename(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
        return Outcome::Failed(LastErrorText());
    }
    return Outcome::Ok();
}

Outcome Win32FileStorage::WriteAnsiFile(const std::string& fileName, std::string_view utf8) {
    // ASCII is the same in every ANSI code page: such text needs no conversion.
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string ansi = ascii ? std::string() : Utf8ToAnsi(utf8);
    const std::string_view bytes = ascii ? utf8 : std::string_view(ansi);
    return ReplaceAtomically(fileName,
                             [&](const std::string& temp) { return WriteBytes(temp, bytes); });
}

}  // namespace orv
