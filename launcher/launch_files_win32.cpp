#include "launcher/launch_files_win32.h"

#include <shellapi.h>

#include "base/win32/code_page_text.h"
#include "base/win32/file_replace.h"
#include "base/win32/resources.h"
#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"

namespace orv {

Outcome Win32LaunchListFile::CreateIfMissing(const std::string& path) {
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        return Outcome::Ok();
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS ? Outcome::Ok() : Outcome::Failed(SystemErrorText(error));
}

FileRead Win32LaunchListFile::ReadText(const std::string& path) {
    FileRead read = ReadEntireFile(path);
    if (read.status == FileRead::Status::Read) {
        read.bytes = AnsiToUtf8(read.bytes);
    }
    return read;
}

Outcome Win32LaunchListFile::ReplaceText(const std::string& path, std::string_view utf8) {
    const std::string ansi = Utf8ToAnsi(utf8);
    return ReplaceFileAtomically(
        path, [&](const std::string& temp) { return WriteWholeFile(temp, ansi); });
}

bool Win32LaunchListFile::Fits(std::string_view utf8) const {
    // A missing character turns into '?' or a look-alike: either way it does not come back.
    return AnsiToUtf8(Utf8ToAnsi(utf8)) == utf8;
}

OpenResult Win32ProgramShell::Open(const std::string& file, const std::string& parameters,
                                   const std::string& folder, int showCommand) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner_ ? owner_() : nullptr, L"open", Widen(file).c_str(),
                      Widen(parameters).c_str(), Widen(folder).c_str(), showCommand));
    if (result > 32) {
        return OpenResult::Started;
    }
    return result == SE_ERR_FNF || result == SE_ERR_PNF ? OpenResult::Missing
                                                          : OpenResult::Failed;
}

Win32ProgramPictures::Win32ProgramPictures()
    : list_(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 4)) {
    // A shared system icon: the list keeps its own copy and the icon is never destroyed.
    ImageList_AddIcon(list_.Get(), LoadIconW(nullptr, IDI_APPLICATION));
}

int Win32ProgramPictures::PictureOf(const std::string& path) {
    HICON extracted = ExtractIconW(GetModuleHandleW(nullptr), Widen(path).c_str(), 0);
    // Null: the file has no icon; 1: it is not a file icons are taken from.
    if (reinterpret_cast<UINT_PTR>(extracted) <= 1) {
        return 0;
    }
    const IconHandle icon(extracted);  // the list keeps its own copy
    const int index = ImageList_AddIcon(list_.Get(), icon.Get());
    return index < 0 ? 0 : index;
}

}  // namespace orv
