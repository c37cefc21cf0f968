// One emulated service for every program of the prefix, as Windows has one: a second copy of
// the DLL (standing in for another process, or the monitor started again) sees the same lines
// and handles, and the service counts the handles nobody hung up.

#include <gtest/gtest.h>

#include <string>

#include "monitor/ras_connection_source_win32.h"
#include "monitor/ras_records_win32.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv {
namespace {

using testing::EmulatedScenario;
using testing::PumpMessagesUntil;

// Another copy of rasapi32.dll under its own name: its own module, its own memory, only the
// files and kernel objects in common, as with another process.
class OtherProgram {
  public:
    OtherProgram() : first_(LoadLibraryW(L"rasapi32.dll")) {
        wchar_t loaded[MAX_PATH];
        GetModuleFileNameW(first_, loaded, MAX_PATH);
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"rasemu-other-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(++copies_) + L".dll";
        CopyFileW(loaded, path_.c_str(), FALSE);
        dll_ = LoadLibraryW(path_.c_str());
    }
    ~OtherProgram() {
        FreeLibrary(dll_);
        FreeLibrary(first_);
        DeleteFileW(path_.c_str());
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool Loaded() const { return first_ != nullptr && dll_ != nullptr && dll_ != first_; }

    std::vector<ras::Connection> Connections() {
        std::vector<ras::Connection> records(8);
        records[0].dwSize = sizeof(ras::Connection);
        DWORD bytes = static_cast<DWORD>(records.size() * sizeof(ras::Connection));
        DWORD count = 0;
        EXPECT_EQ(Entry<DWORD(WINAPI*)(ras::Connection*, DWORD*, DWORD*)>("RasEnumConnectionsA")(
                      records.data(), &bytes, &count),
                  kRasSuccess);
        records.resize(count);
        return records;
    }
    DWORD Status(HANDLE connection, ras::ConnectionStatus& status) {
        status = {};
        status.dwSize = sizeof status;
        return Entry<DWORD(WINAPI*)(HANDLE, ras::ConnectionStatus*)>("RasGetConnectStatusA")(
            connection, &status);
    }
    ras::Statistics Statistics(HANDLE connection) {
        ras::Statistics statistics{};
        statistics.dwSize = sizeof statistics;
        EXPECT_EQ(Entry<DWORD(WINAPI*)(HANDLE, ras::Statistics*)>("RasGetConnectionStatistics")(
                      connection, &statistics),
                  kRasSuccess);
        return statistics;
    }
    DWORD HangUp(HANDLE connection) {
        return Entry<DWORD(WINAPI*)(HANDLE)>("RasHangUpA")(connection);
    }
    // A dial without a progress function, which returns when the dial has ended.
    DWORD DialToTheEnd(const char* entryName, HANDLE& connection) {
        ras::DialParams params{};
        params.dwSize = sizeof params;
        lstrcpynA(params.szEntryName, entryName, sizeof params.szEntryName);
        return Entry<DWORD(WINAPI*)(void*, const char*, ras::DialParams*, DWORD, void*, HANDLE*)>(
            "RasDialA")(nullptr, nullptr, &params, 0, nullptr, &connection);
    }

  private:
    template <typename Function>
    Function Entry(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    }
    static inline int copies_ = 0;
    HMODULE first_ = nullptr;
    std::wstring path_;
    HMODULE dll_ = nullptr;
};

constexpr const char* kScenario = R"(
hangup-delay 0.5
device "Standard Modem" modem
entry "Home ISP"
entry "Office"
dial "Office" busy
session "Home ISP"
    rate 0 1000 1000 100
)";

TEST(RasSharedService, AnotherProgramSeesTheSameLineAndItsHangUp) {
    EmulatedScenario scenario(kScenario);
    Win32ConnectionSource source;
    scenario.Control("start \"Home ISP\"");
    std::vector<ActiveConnection> listed;
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    ASSERT_EQ(listed.size(), 1u);
    const ConnectionHandle handle = listed[0].handle;
    Sleep(1200);

    {
        OtherProgram other;
        ASSERT_TRUE(other.Loaded());
        const auto records = other.Connections();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(reinterpret_cast<ConnectionHandle>(records[0].hrasconn), handle);
        EXPECT_STREQ(records[0].szEntryName, "Home ISP");
        // Scenario time runs from the first load: the line has been up since then.
        EXPECT_GE(other.Statistics(records[0].hrasconn).dwConnectDuration, 1200u);
    }
    // The other program has gone; the line is still up, and a new one finds it again.
    OtherProgram restarted;
    ASSERT_EQ(restarted.Connections().size(), 1u);
    const auto hrasconn = reinterpret_cast<HANDLE>(handle);
    ASSERT_EQ(restarted.HangUp(hrasconn), kRasSuccess);
    std::uint32_t state = 0;
    EXPECT_EQ(source.GetConnectStatus(handle, state), kRasSuccess);
    EXPECT_EQ(state, kStateDisconnected);
    EXPECT_EQ(source.HangUp(handle), kRasInvalidHandle);  // hung up already, by the other
    EXPECT_TRUE(PumpMessagesUntil(
        [&] { return source.GetConnectStatus(handle, state) == kRasInvalidHandle; }));
    ras::ConnectionStatus status{};
    EXPECT_EQ(restarted.Status(hrasconn, status), kRasInvalidHandle);
}

TEST(RasSharedService, CountsTheHandlesNobodyHungUp) {
    EmulatedScenario scenario(kScenario);
    Win32ConnectionSource source;
    EXPECT_EQ(scenario.HandlesNotHungUp(), 0);

    OtherProgram other;
    ASSERT_TRUE(other.Loaded());
    HANDLE failed = nullptr;
    EXPECT_EQ(other.DialToTheEnd("Office", failed), kRasLineBusy);
    ASSERT_NE(failed, nullptr);  // to be hung up all the same
    scenario.Control("start \"Home ISP\"");
    std::vector<ActiveConnection> listed;
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    ASSERT_EQ(listed.size(), 1u);
    const ConnectionHandle dropped = listed[0].handle;
    scenario.Control("drop \"Home ISP\" 629");
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(scenario.HandlesNotHungUp(), 2) << scenario.HandlesReport();
    EXPECT_NE(scenario.HandlesReport().find("\"Home ISP\" 629"), std::string::npos)
        << scenario.HandlesReport();

    // Both keep their handles, disconnected with the reason, in either program.
    ras::ConnectionStatus status{};
    ASSERT_EQ(other.Status(failed, status), kRasSuccess);
    EXPECT_EQ(status.rasconnstate, kStateDisconnected);
    EXPECT_EQ(status.dwError, kRasLineBusy);
    ASSERT_EQ(other.Status(reinterpret_cast<HANDLE>(dropped), status), kRasSuccess);
    EXPECT_EQ(status.dwError, 629u);

    EXPECT_EQ(other.HangUp(failed), kRasSuccess);
    EXPECT_EQ(source.HangUp(dropped), kRasSuccess);
    EXPECT_EQ(scenario.HandlesNotHungUp(), 0) << scenario.HandlesReport();
}

}  // namespace
}  // namespace orv
