#include "base/win32/file_replace.h"

#include <windows.h>

#include <algorithm>

#include "base/win32/resources.h"
#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"

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

Outcome ReplaceFileAtomically(const std::string& path,
                              const std::function<Outcome(const std::string&)>& writeTemp) {
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

Outcome WriteToFile(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > (1u << 20) ? (1u << 20) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return Outcome::Failed(LastErrorText());
        }
        bytes.remove_prefix(written);
    }
    return Outcome::Ok();
}

Outcome WriteWholeFile(const std::string& path, std::string_view bytes) {
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return Outcome::Failed(LastErrorText());
    }
    return WriteToFile(file.Get(), bytes);
}

FileRead ReadEntireFile(const std::string& path) {
    const auto failure = [] {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FileRead::NotFound()
                   : FileRead::Refused(SystemErrorText(error));
    };
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) {
        return failure();
    }
    if (size.QuadPart > (1 << 30)) {
        return FileRead::Refused("the file is larger than 1 GB");
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) {
            return FileRead::Refused(LastErrorText());
        }
        if (read == 0) {
            return FileRead::Refused("the file ended before its size");
        }
        done += read;
    }
    return FileRead::Of(std::move(bytes));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileRead read = ReadEntireFile(path);
    if (read.status != FileRead::Status::Read) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

bool FileExists(const std::string& path) {
    if (GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace orv
