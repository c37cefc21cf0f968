// The launch list in the whole program: at start only the programs marked to start with the
// monitor run, each in its folder with its parameters and window mode; "Выход" writes the list
// back unchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "base/win32/resources.h"
#include "monitor/popup_menu.h"
#include "support/orvane_process.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;

std::string Ascii(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end());  // the temporary folder's path is ASCII here
}

class Launcher : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveAutorunEntry();
        CloseRunningMonitors();
        ResetSettings();
        CreateDirectoryW(probeFolder.c_str(), nullptr);
        CopyFileW((ProgramTestFolder() + L"launchprobe.exe").c_str(),
                  (probeFolder + L"launchprobe.exe").c_str(), FALSE);
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        DeleteFileW((probeFolder + L"launchprobe.exe").c_str());
        DeleteFileW(log.c_str());
        RemoveDirectoryW(probeFolder.c_str());
    }

    ProgramFolder folder;
    const std::wstring probeFolder = folder.Path() + L"probe dir\\";
    const std::wstring log = probeFolder + L"launchprobe.log";
};

TEST_F(Launcher, OnlyTheEntriesOfTheStartRunAndExitWritesTheListBackUnchanged) {
    const std::string probe = Ascii(probeFolder);
    const std::string list = "launchprobe.exe\r\n@1\r\n\t" + probe +
                             "\r\n\t-first \"two words\"\r\n\tMinimized window\r\n\tWith Orvane\r\n"
                             "launchprobe.exe\r\n@1\r\n\t" +
                             probe +
                             "\r\n\t-second\r\n\tMaximized window\r\n\tAfter dial complete\r\n";
    const std::wstring listPath = folder.Path() + L"apptoload.orl";
    WriteFileBytes(listPath, list);

    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    for (int i = 0; i < 100 && FileBytes(log).empty(); ++i) {
        Sleep(100);
    }
    Sleep(1000);  // time for a second start, which must not come
    const std::string started = FileBytes(log);
    ASSERT_EQ(std::count(started.begin(), started.end(), '\n'), 1) << started;
    EXPECT_NE(started.find("launchprobe.exe"), std::string::npos) << started;
    EXPECT_NE(started.find(" -first \"two words\"|"), std::string::npos) << started;
    EXPECT_NE(started.find("|dir=" + probe.substr(0, probe.size() - 1)), std::string::npos)
        << started;
    EXPECT_NE(started.find("|show=" + std::to_string(SW_SHOWMINIMIZED) + "\r\n"), std::string::npos)
        << started;

    PostMessageW(floating, WM_COMMAND, kExitCommand, 0);  // "Выход"
    EXPECT_EQ(program.WaitForExit(10s), 0u);
    EXPECT_EQ(FileBytes(listPath), list);
}

// Held open by another program while the monitor starts, the list cannot be read: the user is
// told once, nothing of it starts, and "Выход" leaves the file as it was.
TEST_F(Launcher, AListHeldOpenAtTheStartIsLeftAsItWasByTheExit) {
    const std::string list = "launchprobe.exe\r\n@1\r\n\t" + Ascii(probeFolder) +
                             "\r\n\t-held\r\n\tMinimized window\r\n\tWith Orvane\r\n";
    const std::wstring listPath = folder.Path() + L"apptoload.orl";
    WriteFileBytes(listPath, list);
    UniqueHandle held(
        CreateFileW(listPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    const HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    bool told = false;
    for (int i = 0; i < 100 && !told; ++i) {
        told = StatusText(main).find(L"apptoload.orl") != std::wstring::npos;
        Sleep(50);
    }
    EXPECT_TRUE(told);
    held.Reset();

    PostMessageW(floating, WM_COMMAND, kExitCommand, 0);  // "Выход"
    EXPECT_EQ(program.WaitForExit(10s), 0u);
    EXPECT_EQ(FileBytes(listPath), list);
    EXPECT_EQ(FileBytes(log), "");
}

}  // namespace
}  // namespace orv::e2e
