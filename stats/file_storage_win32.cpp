#include "stats/file_storage_win32.h"

#include <windows.h>

#include <algorithm>

#include "base/win32/code_page_text.h"
#include "base/win32/file_replace.h"
#include "stats/com_text_win32.h"

namespace orv {

bool Win32FileStorage::Exists(const std::string& path) const {
    return FileExists(path);
}

Outcome Win32FileStorage::ReplaceAtomically(
    const std::string& path, const std::function<Outcome(const std::string&)>& writeTemp) {
    return ReplaceFileAtomically(path, writeTemp);
}

Outcome Win32FileStorage::WriteBytes(const std::string& path, std::string_view bytes) {
    return WriteWholeFile(path, bytes);
}

FileRead Win32FileStorage::ReadBytes(const std::string& path) const {
    return ReadEntireFile(path);
}

Outcome Win32FileStorage::Rename(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
        return Outcome::Failed(LastErrorText());
    }
    return Outcome::Ok();
}

std::optional<std::uint64_t> Win32FileStorage::FileSize(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

namespace {

bool ReadExactly(HANDLE file, char* buffer, DWORD count) {
    while (count > 0) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, count, &read, nullptr) || read == 0) {
            return false;
        }
        buffer += read;
        count -= read;
    }
    return true;
}

}  // namespace

std::optional<Outcome> Win32FileStorage::WriteExtendedCopy(const std::string& from,
                                                           std::uint64_t keep,
                                                           std::string_view expectedEnd,
                                                           const std::string& to,
                                                           std::string_view more) {
    const UniqueHandle source(CreateFileW(Widen(from).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                          nullptr));
    LARGE_INTEGER size{};
    if (!source || !GetFileSizeEx(source.Get(), &size) ||
        static_cast<std::uint64_t>(size.QuadPart) != keep + expectedEnd.size()) {
        return std::nullopt;
    }
    // The end first: a file of the right size that someone else wrote is not ours to extend.
    std::string end(expectedEnd.size(), '\0');
    LARGE_INTEGER endAt{};
    endAt.QuadPart = static_cast<LONGLONG>(keep);
    if (!SetFilePointerEx(source.Get(), endAt, nullptr, FILE_BEGIN) ||
        !ReadExactly(source.Get(), end.data(), static_cast<DWORD>(end.size())) ||
        end != expectedEnd ||
        !SetFilePointerEx(source.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        return std::nullopt;
    }
    const UniqueHandle target(CreateFileW(Widen(to).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target) {
        return Outcome::Failed(LastErrorText());
    }
    std::string buffer(std::min<std::uint64_t>(keep, 4u << 20), '\0');
    for (std::uint64_t left = keep; left > 0;) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::uint64_t>(left, buffer.size()));
        if (!ReadExactly(source.Get(), buffer.data(), chunk)) {
            return Outcome::Failed(LastErrorText());
        }
        if (Outcome written = WriteToFile(target.Get(), std::string_view(buffer.data(), chunk));
            !written.ok()) {
            return written;
        }
        left -= chunk;
    }
    return WriteToFile(target.Get(), more);
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

unsigned Win32FileStorage::AnsiCodePage() const {
    return GetACP();
}

bool Win32FileStorage::HoldsCharacter(std::uint32_t character) const {
    if (GetACP() == CP_UTF8) {
        return true;
    }
    wchar_t wide[2];
    int length = 1;
    if (character < 0x10000) {
        wide[0] = static_cast<wchar_t>(character);
    } else {
        wide[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        length = 2;
    }
    // Without best fit, and checked back: a look-alike ("e" for "ё") is not the character.
    char ansi[8];
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, ansi,
                                         sizeof ansi, nullptr, &usedDefault);
    wchar_t back[4];
    return size > 0 && !usedDefault &&
           MultiByteToWideChar(CP_ACP, 0, ansi, size, back, 4) == length &&
           std::equal(wide, wide + length, back);
}

}  // namespace orv
