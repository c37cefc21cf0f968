#include "stats/file_storage_win32.h"

#include <windows.h>

#include <algorithm>

#include "base/win32/code_page_text.h"
#include "base/win32/resources.h"
#include "stats/com_text_win32.h"

namespace orv {

namespace {

Outcome Flush(const std::wstring& path) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !FlushFileBuffers(file.Get())) {
        return Outcome::Failed(LastErrorText());
    }
    return Outcome::Ok();
}

}  // namespace

bool Win32FileStorage::Exists(const std::string& path) const {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

Outcome Win32FileStorage::ReplaceAtomically(
    const std::string& path, const std::function<Outcome(const std::string&)>& writeTemp) {
    const std::wstring target = Widen(path);
    // A read-only file stays as it is, as the user asked (not every file system refuses it).
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Outcome::Failed(SystemErrorText(ERROR_ACCESS_DENIED));
    }
    const std::string tempPath = path + ".saving";
    const std::wstring temp = Widen(tempPath);
    DeleteFileW(temp.c_str());  // left over from an interrupted save
    Outcome result = writeTemp(tempPath);
    if (result.ok()) {
        result = Flush(temp);
    }
    if (result.ok() && !MoveFileExW(temp.c_str(), target.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        result = Outcome::Failed(LastErrorText());
    }
    if (!result.ok()) {
        DeleteFileW(temp.c_str());
    }
    return result;
}

Outcome Win32FileStorage::WriteBytes(const std::string& path, std::string_view bytes) {
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return Outcome::Failed(LastErrorText());
    }
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > (1u << 20) ? (1u << 20) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
            return Outcome::Failed(LastErrorText());
        }
        bytes.remove_prefix(written);
    }
    return Outcome::Ok();
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
