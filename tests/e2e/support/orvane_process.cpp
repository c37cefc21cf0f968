#include "support/orvane_process.h"

#include <algorithm>

#include "app/page_controls_win32.h"

namespace orv::e2e {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

constexpr const wchar_t* kProgramFiles[] = {L"orvane.exe", L"rasapi32.dll", L"plugins\\talvex.exe"};

// The folder (ending in '\\') with everything in it, read-only files too.
void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (name != L"." && name != L"..") {
                    RemoveFolder(folder + name + L"\\");
                }
            } else {
                SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((folder + name).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (ClassOf(window) == search.className &&
        (!search.caption || TextOf(window) == search.caption) &&
        (search.process == 0 || process == search.process)) {
        search.found.push_back(window);
    }
    return TRUE;
}

HWND FirstOf(const wchar_t* className, const wchar_t* caption, DWORD process) {
    WindowSearch search{className, caption, process, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

}  // namespace

std::wstring ProgramTestFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(path);
}

void CloseRunningMonitors() {
    for (HWND floating : TopLevelWindows(L"TForm2", L"ORVMainWindow")) {
        DWORD id = 0;
        GetWindowThreadProcessId(floating, &id);
        const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
        PostMessageW(floating, WM_CLOSE, 0, 0);
        if (process) {
            WaitForSingleObject(process.Get(), 5000);
        }
    }
}

// The machine-wide entry, and the user's that a refused machine-wide write leaves instead.
void RemoveAutorunEntry() {
    RemoveRunValue(L"Orvane");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Orvane");
}

std::wstring RegistryText(HKEY root, const wchar_t* key, const wchar_t* name) {
    wchar_t text[MAX_PATH * 2] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return L"<absent>";
    }
    return text;
}

std::wstring RunValue(const wchar_t* name) {
    return RegistryText(HKEY_LOCAL_MACHINE, kRunKey, name);
}

void SetRunValue(const wchar_t* name, const std::wstring& data) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, name, REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void RemoveRunValue(const wchar_t* name) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, name);
}

void ResetSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    const std::wstring section = std::wstring(kSettingsKey) + L"\\Main";
    const wchar_t off[] = L"0";
    RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"AutoRun", REG_SZ, off, sizeof(off));
}

std::wstring SavedSetting(const wchar_t* name) {
    const std::wstring section = std::wstring(kSettingsKey) + L"\\Main";
    wchar_t text[512] = {};
    DWORD size = sizeof(text);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, section.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     text, &size) != ERROR_SUCCESS) {
        return L"<absent>";
    }
    return type == REG_SZ ? std::wstring(text) : L"<type " + std::to_wstring(type) + L">";
}

void StoreSetting(const wchar_t* name, const wchar_t* value) {
    const std::wstring section = std::wstring(kSettingsKey) + L"\\Main";
    RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

ProgramFolder::ProgramFolder() {
    static int serial = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"orvane-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial) + L"\\";
    // Wine's process numbers come round again: an earlier run's folder of the same name, with
    // its statistics or journal, must not be this test's start.
    RemoveFolder(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
    CreateDirectoryW((path_ + L"statistics").c_str(), nullptr);
    CreateDirectoryW((path_ + L"plugins").c_str(), nullptr);
    for (const wchar_t* file : kProgramFiles) {
        CopyFileW((ProgramTestFolder() + file).c_str(), (path_ + file).c_str(), FALSE);
    }
}

ProgramFolder::~ProgramFolder() {
    RemoveFolder(path_);
}

OrvaneProcess::OrvaneProcess(const std::wstring& programFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const std::wstring program = programFolder + L"orvane.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       programFolder.c_str(), &startup, &info)) {
        const UniqueHandle thread(info.hThread);  // not needed: closed at once
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

OrvaneProcess::~OrvaneProcess() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        Kill();
    }
}

HWND OrvaneProcess::WaitForFloatingWindow(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (HWND window = FirstOf(L"TForm2", L"ORVMainWindow", id_)) {
            // The floating window comes first; the main window and the rest of the start-up
            // are done once the program waits for input in its message loop.
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            WaitForInputIdle(process_.Get(),
                             static_cast<DWORD>(std::max<long long>(left.count(), 0)));
            return window;
        }
        if (WaitForSingleObject(process_.Get(), 50) != WAIT_TIMEOUT) {
            return nullptr;
        }
    }
    return nullptr;
}

HWND OrvaneProcess::MainWindow() const {
    return FirstOf(L"TForm1", nullptr, id_);
}

DWORD OrvaneProcess::WaitForExit(std::chrono::milliseconds timeout) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.Get(), &code);
    }
    return code;
}

void OrvaneProcess::Kill() {
    TerminateProcess(process_.Get(), 9);
    WaitForSingleObject(process_.Get(), 5000);
}

std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* caption) {
    WindowSearch search{className, caption, 0, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className) {
    WindowSearch search{className, nullptr, 0, {}};
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void EmulatedProgramTest::SetUp() {
    RemoveAutorunEntry();
    CloseRunningMonitors();
    ResetSettings();
    SetEnvironmentVariableW(L"ORVANE_RAS_SPEED", nullptr);
}

void EmulatedProgramTest::TearDown() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

std::wstring DurationText(int seconds) {
    wchar_t separator[8] = L":";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, 8);
    wchar_t leadingZero[4] = L"0";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ITLZERO, leadingZero, 4);
    wchar_t text[64] = {};
    swprintf(text, 64, leadingZero[0] == L'1' ? L"%02d%ls%02d%ls%02d" : L"%d%ls%02d%ls%02d",
             seconds / 3600, separator, seconds / 60 % 60, separator, seconds % 60);
    return text;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return text;
}

std::wstring StatusText(HWND mainWindow) {
    const std::vector<HWND> bars = ChildWindows(mainWindow, L"msctls_statusbar32");
    return bars.empty() ? L"<no status bar>" : TextOf(bars.front());
}

std::string FileBytes(const std::wstring& path) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    if (!file) {
        return {};
    }
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

HWND PageControl(HWND mainWindow, std::string_view id) {
    return FindPageControl(mainWindow, id);
}

std::vector<std::uint32_t> Picture(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return {};
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const WindowDc source(window, WindowDc::Area::WholeWindow);
    const MemoryDc copy(CreateCompatibleDC(source.Get()));
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(source.Get(), width, height));
    bool copied = false;
    {
        const SelectedObject selected(copy.Get(), bitmap.Get());
        copied = BitBlt(copy.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const bool read = copied && GetDIBits(copy.Get(), bitmap.Get(), 0, static_cast<UINT>(height),
                                          pixels.data(), &format, DIB_RGB_COLORS) == height;
    if (!read) {
        return {};
    }
    for (std::uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFF;  // the fourth byte is not part of the picture
    }
    return pixels;
}

}  // namespace orv::e2e
