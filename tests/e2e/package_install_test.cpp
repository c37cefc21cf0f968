// Whole-program test of the installer that scripts/package.sh makes into build/packages: a silent
// per-user installation, a session stored by the installed program against the emulated
// service, and a silent uninstallation that takes the program and leaves the user's statistics.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "orvane_version.h"
#include "support/orvane_process.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvane";
#ifdef _WIN64
constexpr wchar_t kInstallerName[] = L"orvane-" ORVANE_VERSION_TEXT L"-win64-setup.exe";
#else
constexpr wchar_t kInstallerName[] = L"orvane-" ORVANE_VERSION_TEXT L"-win32-setup.exe";
#endif

constexpr char kScenario[] = R"(device "Test Modem 33600" modem
entry "Home ISP" device "Test Modem 33600"

session "Home ISP"
    link 49333
    bytes 123456 7890
)";

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    fs::path found;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        found = path;
    }
    CoTaskMemFree(path);
    return found;
}

// build/<preset>/bin/../../packages
fs::path Installer() {
    return fs::path(ProgramTestFolder()).parent_path().parent_path().parent_path() / L"packages" /
           kInstallerName;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::wstring Registered(const wchar_t* name) {
    return RegistryText(HKEY_CURRENT_USER, kUninstallKey, name);
}

// Runs a command line to its end; the exit code, or STILL_ACTIVE when it did not end in time.
DWORD RunToEnd(std::wstring commandLine, std::chrono::milliseconds timeout) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return GetLastError();
    }
    const UniqueHandle thread(info.hThread);
    const UniqueHandle process(info.hProcess);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.Get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.Get(), &code);
    }
    return code;
}

template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(100ms);
    }
    return done();
}

class InstalledPackage : public EmulatedProgramTest {
  protected:
    void SetUp() override {
        EmulatedProgramTest::SetUp();
        if (!fs::exists(Installer())) {
            GTEST_SKIP() << "no installer at " << Installer().string()
                         << ": scripts/package.sh makes it from the build";
        }
        // What an interrupted earlier run left behind.
        std::error_code ignored;
        fs::remove_all(installed, ignored);
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(installed, ignored);
        fs::remove(shortcut, ignored);
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
        EmulatedProgramTest::TearDown();
    }

    // Starts the installed program, plays one session and closes the program by its menu.
    void PlaySession() {
        const orv::testing::EmulatedScenario scenario{kScenario};
        OrvaneProcess program(installed.wstring() + L"\\");
        const HWND floating = program.WaitForFloatingWindow();
        ASSERT_NE(floating, nullptr);
        const HWND name = PageControl(program.MainWindow(), "Label20");
        ASSERT_NE(name, nullptr);
        scenario.Control("start \"Home ISP\"");
        ASSERT_TRUE(WaitUntil([&] { return TextOf(name) == L"Home ISP"; }, 5s));
        std::this_thread::sleep_for(1200ms);
        scenario.Control("drop");
        EXPECT_TRUE(
            WaitUntil([&] { return Stored().find("\"Home ISP\"") != std::string::npos; }, 5s))
            << Stored();
        PostMessageW(floating, WM_COMMAND, MAKEWPARAM(100, 0), 0);  // "Выход"
        EXPECT_EQ(program.WaitForExit(10s), 0u);
    }

    std::string Stored() const { return ReadFile(installed / L"statistics" / L"dialstat.xml"); }

    const fs::path installed = KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Orvane";
    const fs::path shortcut = KnownFolder(FOLDERID_Programs) / L"Orvane.lnk";
};

constexpr wchar_t kUserRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

TEST_F(InstalledPackage, SilentInstallRunsAndSilentUninstallKeepsTheStatistics) {
    ASSERT_EQ(RunToEnd(L"\"" + Installer().wstring() + L"\" /S", 60s), 0u);
    const fs::path built = ProgramTestFolder();
    // Compared whole but not printed: two programs' bytes would fill the log.
    EXPECT_TRUE(ReadFile(installed / L"orvane.exe") == ReadFile(built / L"orvane.exe"))
        << "the installer holds another build than this one: run scripts/package.sh again";
    for (const wchar_t* file : {L"plugins\\talvex.exe", L"Languages\\Eng.lang",
                                L"Languages\\Rus.lang", L"readme.txt", L"uninstall.exe"}) {
        EXPECT_TRUE(fs::is_regular_file(installed / file)) << fs::path(file).string();
    }
    EXPECT_TRUE(fs::is_directory(installed / L"statistics"));
    EXPECT_TRUE(fs::exists(shortcut)) << shortcut.string();
    EXPECT_EQ(Registered(L"DisplayVersion"), L"" ORVANE_VERSION_TEXT);
    const std::wstring uninstall = Registered(L"UninstallString");
    ASSERT_EQ(uninstall, L"\"" + (installed / L"uninstall.exe").wstring() + L"\"");

    // The emulated service goes beside the installed program for the session, and away again.
    ASSERT_TRUE(fs::copy_file(built / L"rasapi32.dll", installed / L"rasapi32.dll"));
    ASSERT_NO_FATAL_FAILURE(PlaySession());
    fs::remove(installed / L"rasapi32.dll");
    const std::string stored = Stored();
    // "Автозагрузка" of a user without rights to the machine-wide key: the user's entry, marked.
    const std::wstring command = L"\"" + (installed / L"orvane.exe").wstring() + L"\"";
    RegSetKeyValueW(HKEY_CURRENT_USER, kUserRunKey, L"Orvane", REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    const BYTE enabled[12] = {0x02};
    RegSetKeyValueW(HKEY_CURRENT_USER, kApprovedKey, L"Orvane", REG_BINARY, enabled,
                    sizeof(enabled));

    ASSERT_EQ(RunToEnd(uninstall + L" /S", 60s), 0u);
    // The uninstaller works from a copy of itself in the temporary folder, so that it can
    // delete itself: its first process ends before the files are gone.
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !fs::exists(installed / L"uninstall.exe") &&
                   Registered(L"UninstallString") == L"<absent>";
        },
        30s));
    EXPECT_FALSE(fs::exists(shortcut));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUserRunKey, L"Orvane"), L"<absent>");
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, L"Orvane", RRF_RT_ANY, nullptr,
                           nullptr, nullptr),
              ERROR_SUCCESS);
    // Only what the program wrote is left: the statistics (untouched) and the launch list.
    std::set<std::wstring> left;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(installed, missing)) {
        left.insert(entry.path().filename().wstring());
    }
    left.erase(L"apptoload.orl");
    EXPECT_EQ(left, std::set<std::wstring>{L"statistics"});
    EXPECT_EQ(Stored(), stored);
}

// A silent installation never overwrites a running monitor (nor closes it: its exit may shut
// the computer down); it gives up with NSIS's code for a run the script aborted.
TEST_F(InstalledPackage, SilentInstallGivesUpWhileAMonitorRuns) {
    const ProgramFolder folder;
    OrvaneProcess running(folder);
    ASSERT_NE(running.WaitForFloatingWindow(), nullptr);
    EXPECT_EQ(RunToEnd(L"\"" + Installer().wstring() + L"\" /S", 60s), 2u);
    EXPECT_FALSE(fs::exists(installed / L"orvane.exe"));
    EXPECT_EQ(running.WaitForExit(0ms), STILL_ACTIVE);
}

}  // namespace
}  // namespace orv::e2e
