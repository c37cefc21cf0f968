// A program for the launcher's tests to start: it appends one line saying how it was started
// (its command line, its working directory and the show command it was given) to
// launchprobe.log beside itself, then ends.

#include <windows.h>

#include <string>

#include "base/win32/resources.h"

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string Utf8(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(),
                        length, nullptr, nullptr);
    return text;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);

    const std::string line = "cmd=" + Utf8(GetCommandLineW()) + "|dir=" + Utf8(directory) +
                             "|show=" + std::to_string(show) + "\r\n";
    const orv::UniqueHandle log(CreateFileW((OwnFolder() + L"launchprobe.log").c_str(),
                                            FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return log && WriteFile(log.Get(), line.data(), static_cast<DWORD>(line.size()), &written,
                            nullptr)
               ? 0
               : 1;
}
