#pragma once
// Runs a copy of orvane.exe in a throw-away program folder of its own (with a `statistics`
// folder), so that whole-program tests share no files, and finds its windows from outside.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/win32/resources.h"

namespace orv::e2e {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Quillon\\Orvane";

// A monitor started by the prefix's own autorun entry (written by any run with "Автозагрузка"
// on) would hold the single-instance lock: close it, and remove the entry.
void CloseRunningMonitors();
void RemoveAutorunEntry();

// A string value of the prefix's registry; "<absent>" when there is none.
std::wstring RegistryText(HKEY root, const wchar_t* key, const wchar_t* name);
// Values of the prefix's machine-wide Run key; "<absent>" when there is none.
std::wstring RunValue(const wchar_t* name);
void SetRunValue(const wchar_t* name, const std::wstring& data);
void RemoveRunValue(const wchar_t* name);

// Starts every test from a known store: no settings but AutoRun off, so that no run writes
// the machine-wide Run key.
void ResetSettings();
// A value of HKCU\Software\Quillon\Orvane\Main as REG_SZ; "<absent>" or "<type N>" otherwise.
std::wstring SavedSetting(const wchar_t* name);
// Stores one such value before the program starts.
void StoreSetting(const wchar_t* name, const wchar_t* value);

// A test of the program against the emulated service: no other monitor running, no autorun
// entry, settings holding only AutoRun "0" and the service at real time; the settings go after.
class EmulatedProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// orvane.exe and the emulated rasapi32.dll beside it, and plugins\talvex.exe; without a
// scenario the service it plays has no connections.
class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& Path() const { return path_; }  // with a trailing separator
    std::wstring Program() const { return path_ + L"orvane.exe"; }
    std::wstring StatisticsFile() const { return path_ + L"statistics\\dialstat.xml"; }
    std::wstring Plugin() const { return path_ + L"plugins\\talvex.exe"; }

  private:
    std::wstring path_;
};

class OrvaneProcess {
  public:
    explicit OrvaneProcess(const ProgramFolder& folder) : OrvaneProcess(folder.Path()) {}
    // orvane.exe of a folder the test does not own (with a trailing separator), e.g. an
    // installed copy.
    explicit OrvaneProcess(const std::wstring& programFolder);
    // Kills the process if a test left it running.
    ~OrvaneProcess();
    OrvaneProcess(const OrvaneProcess&) = delete;
    OrvaneProcess& operator=(const OrvaneProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    // The floating window once it exists, null after the timeout.
    HWND WaitForFloatingWindow(std::chrono::milliseconds timeout = std::chrono::seconds(15));
    HWND MainWindow() const;
    // The exit code once the process ended, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(std::chrono::milliseconds timeout);
    void Kill();

  private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// The folder of this test program, where the build puts every program and DLL it tests.
std::wstring ProgramTestFolder();

// Top-level windows of this class (and caption, when given) in any process.
std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* caption = nullptr);
std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className);
std::wstring TextOf(HWND window);
// The main window's status bar text (its first 255 characters).
std::wstring StatusText(HWND mainWindow);
// A file's bytes, read while another program may write it; empty when it cannot be opened.
std::string FileBytes(const std::wstring& path);
// Creates or truncates the file and writes the bytes.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// A duration as the program's fields should show it: hours (two digits when the locale writes
// hours with a leading zero), the locale's time separator, two-digit minutes and seconds.
std::wstring DurationText(int seconds);
// The control of the main window's pages with this layout identifier (e.g. "Label20"), found by
// the command id the program gives it; null when the window has none.
HWND PageControl(HWND mainWindow, std::string_view id);
// The window's pixels as the screen shows them (0x00RRGGBB, rows top down); empty on failure.
std::vector<std::uint32_t> Picture(HWND window);

}  // namespace orv::e2e
