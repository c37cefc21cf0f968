// The emulated rasapi32.dll called directly with raw records, as any program would: its exports,
// the size checks of the real service, and that it never writes past what it was given.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "monitor/connection_source.h"
#include "monitor/ras_records_win32.h"
#include "tests/common/emulated_ras_scenario.h"
#include "tools/rasemu/ras_layouts_win32.h"

namespace orv {
namespace {

using testing::EmulatedScenario;

constexpr const char* kEntryPoints[] = {
    "RasEnumConnectionsA",
    "RasGetConnectStatusA",
    "RasGetConnectionStatistics",
    "RasGetProjectionInfoA",
    "RasGetErrorStringA",
    "RasDialA",
    "RasGetEntryDialParamsA",
    "RasHangUpA",
    "RasEnumEntriesA",
    "RasEnumDevicesA",
    "RasCreatePhonebookEntryA",
    "RasEditPhonebookEntryA",
    "RasDeleteEntryA",
};

class RasDll : public ::testing::Test {
  protected:
    template <typename Function>
    Function Entry(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    }

    HMODULE dll_ = LoadLibraryW(L"rasapi32.dll");
    EmulatedScenario scenario_{R"(
device "Standard Modem" modem
entry "Home ISP" domain WORKGROUP
session "A"
    at 0
    projection-error 733
session "B"
    at 0
session "C"
    at 0
)"};
};

using EnumConnections = DWORD(WINAPI*)(ras::Connection*, DWORD*, DWORD*);
using ConnectStatus = DWORD(WINAPI*)(HANDLE, ras::ConnectionStatus*);
using Statistics = DWORD(WINAPI*)(HANDLE, ras::Statistics*);
using Projection = DWORD(WINAPI*)(HANDLE, DWORD, void*, DWORD*);
using ErrorString = DWORD(WINAPI*)(UINT, char*, DWORD);
using Dial = DWORD(WINAPI*)(void*, const char*, ras::DialParams*, DWORD, void*, HANDLE*);
using EntryDialParams = DWORD(WINAPI*)(const char*, ras::DialParams*, BOOL*);
using EnumEntries = DWORD(WINAPI*)(const char*, const char*, ras::EntryName*, DWORD*, DWORD*);
using EnumDevices = DWORD(WINAPI*)(ras::DeviceInfo*, DWORD*, DWORD*);

TEST_F(RasDll, ExportsEveryEntryPointTheProgramCalls) {
    ASSERT_NE(dll_, nullptr);
    for (const char* name : kEntryPoints) {
        EXPECT_NE(GetProcAddress(dll_, name), nullptr) << name;
    }
}

TEST_F(RasDll, WrongRecordSizesAreRefusedWith632) {
    ASSERT_NE(dll_, nullptr);
    // Sizes that no version of the service published.
    std::vector<ras::Connection> connections(4);
    connections[0].dwSize = sizeof(ras::Connection) + 4;
    DWORD bytes = static_cast<DWORD>(connections.size() * sizeof(ras::Connection));
    DWORD count = 0;
    EXPECT_EQ(Entry<EnumConnections>("RasEnumConnectionsA")(connections.data(), &bytes, &count),
              kRasInvalidSize);

    ras::ConnectionStatus status{};
    status.dwSize = 4 * sizeof(DWORD) + 2 * (17 + 129);
    EXPECT_EQ(Entry<ConnectStatus>("RasGetConnectStatusA")(nullptr, &status), kRasInvalidSize);
    ras::Statistics statistics{};
    statistics.dwSize = sizeof statistics - 4;
    // Its call answers an HRESULT instead, as Windows documents.
    EXPECT_EQ(Entry<Statistics>("RasGetConnectionStatistics")(reinterpret_cast<HANDLE>(0x10000),
                                                              &statistics),
              static_cast<DWORD>(E_INVALIDARG));
    ras::PppIp ip{};
    ip.dwSize = 0;
    DWORD ipBytes = sizeof ip;
    EXPECT_EQ(
        Entry<Projection>("RasGetProjectionInfoA")(nullptr, ras::kProjectionPppIp, &ip, &ipBytes),
        kRasInvalidSize);
    ras::DialParams dial{};
    dial.dwSize = 1056;
    HANDLE handle = nullptr;
    EXPECT_EQ(Entry<Dial>("RasDialA")(nullptr, nullptr, &dial, 0, nullptr, &handle),
              kRasInvalidSize);
    BOOL stored = FALSE;
    EXPECT_EQ(Entry<EntryDialParams>("RasGetEntryDialParamsA")(nullptr, &dial, &stored),
              kRasInvalidSize);
    ras::EntryName entries[2]{};
    entries[0].dwSize = sizeof(ras::EntryName) + 4;
    DWORD entryBytes = sizeof entries;
    EXPECT_EQ(Entry<EnumEntries>("RasEnumEntriesA")(nullptr, nullptr, entries, &entryBytes, &count),
              kRasInvalidSize);
    ras::DeviceInfo devices[2]{};
    devices[0].dwSize = 0;
    DWORD deviceBytes = sizeof devices;
    EXPECT_EQ(Entry<EnumDevices>("RasEnumDevicesA")(devices, &deviceBytes, &count),
              kRasInvalidSize);
}

TEST_F(RasDll, TooSmallBuffersReportTheSizeNeededAndAreNotWrittenPast) {
    ASSERT_NE(dll_, nullptr);
    const auto enumConnections = Entry<EnumConnections>("RasEnumConnectionsA");
    // Room for one record of three; the second is a guard that must stay untouched.
    std::vector<ras::Connection> connections(2);
    std::memset(connections.data(), 0x5A, connections.size() * sizeof(ras::Connection));
    connections[0].dwSize = sizeof(ras::Connection);
    DWORD bytes = sizeof(ras::Connection);
    DWORD count = 0;
    EXPECT_EQ(enumConnections(connections.data(), &bytes, &count), kRasBufferTooSmall);
    EXPECT_EQ(bytes, 3 * sizeof(ras::Connection));
    EXPECT_EQ(count, 3u);
    const auto* guard = reinterpret_cast<const unsigned char*>(&connections[1]);
    for (std::size_t at = 0; at < sizeof(ras::Connection); ++at) {
        ASSERT_EQ(guard[at], 0x5A) << "byte " << at << " of the record past the buffer";
    }

    connections.resize(3);
    bytes = 3 * sizeof(ras::Connection);
    ASSERT_EQ(enumConnections(connections.data(), &bytes, &count), kRasSuccess);
    EXPECT_EQ(count, 3u);
    EXPECT_STREQ(connections[2].szEntryName, "C");
    EXPECT_EQ(connections[1].dwSize, sizeof(ras::Connection));

    // Counting devices: no buffer at all.
    DWORD deviceBytes = 0;
    DWORD devices = 0;
    EXPECT_EQ(Entry<EnumDevices>("RasEnumDevicesA")(nullptr, &deviceBytes, &devices),
              kRasBufferTooSmall);
    EXPECT_EQ(devices, 1u);
    EXPECT_EQ(deviceBytes, sizeof(ras::DeviceInfo));

    ras::PppIp ip{};
    ip.dwSize = sizeof ip;
    DWORD ipBytes = sizeof ip - 1;
    EXPECT_EQ(Entry<Projection>("RasGetProjectionInfoA")(connections[0].hrasconn,
                                                         ras::kProjectionPppIp, &ip, &ipBytes),
              kRasBufferTooSmall);
    EXPECT_EQ(ipBytes, sizeof ip);

    char text[40];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(Entry<ErrorString>("RasGetErrorStringA")(691, text, 20), kRasInsufficientBuffer);
    for (std::size_t at = 20; at < sizeof text; ++at) {
        ASSERT_EQ(text[at], '#');
    }
    EXPECT_EQ(Entry<ErrorString>("RasGetErrorStringA")(676, text, 20), kRasSuccess);
    EXPECT_STREQ(text, "The line is busy.");
}

// Records of one layout, `size` bytes each, with the bytes past them marked to see that the
// service writes nothing there.
struct RawRecords {
    RawRecords(DWORD recordSize, std::size_t records, std::size_t room)
        : size(recordSize), bytes(recordSize * room + 64, 0x5A) {
        std::memset(bytes.data(), 0, recordSize * records);
        *reinterpret_cast<DWORD*>(bytes.data()) = recordSize;
    }
    template <typename Record>
    Record& At(std::size_t index) {
        return *reinterpret_cast<Record*>(bytes.data() + index * size);
    }
    bool UntouchedFrom(std::size_t offset) const {
        return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.end(),
                           [](unsigned char b) { return b == 0x5A; });
    }
    DWORD size;
    std::vector<unsigned char> bytes;
};

TEST_F(RasDll, EveryPublishedLayoutIsFilledAtItsOwnSize) {
    ASSERT_NE(dll_, nullptr);
    DWORD count = 0;
    HANDLE first = nullptr;
    for (const DWORD size : rasemu::layouts::kConnection) {
        RawRecords records(size, 3, 3);
        DWORD bytes = 3 * size;
        ASSERT_EQ(Entry<EnumConnections>("RasEnumConnectionsA")(&records.At<ras::Connection>(0),
                                                                &bytes, &count),
                  kRasSuccess)
            << size;
        EXPECT_EQ(count, 3u);
        EXPECT_EQ(bytes, 3 * size);
        EXPECT_STREQ(records.At<ras::Connection>(1).szEntryName, "B") << size;
        EXPECT_EQ(records.At<ras::Connection>(2).dwSize, size);
        EXPECT_TRUE(records.UntouchedFrom(3 * size)) << size;
        first = records.At<ras::Connection>(0).hrasconn;
    }
    for (const DWORD size : rasemu::layouts::kConnectionStatus) {
        RawRecords status(size, 1, 1);
        ASSERT_EQ(Entry<ConnectStatus>("RasGetConnectStatusA")(
                      first, &status.At<ras::ConnectionStatus>(0)),
                  kRasSuccess)
            << size;
        EXPECT_EQ(status.At<ras::ConnectionStatus>(0).rasconnstate, kStateConnected);
        EXPECT_STREQ(status.At<ras::ConnectionStatus>(0).szDeviceType, "modem");
        EXPECT_TRUE(status.UntouchedFrom(size)) << size;
    }
    for (const DWORD size : rasemu::layouts::kPppIp) {
        RawRecords ip(size, 1, 1);
        DWORD bytes = size;
        ASSERT_EQ(Entry<Projection>("RasGetProjectionInfoA")(first, ras::kProjectionPppIp,
                                                             ip.bytes.data(), &bytes),
                  kRasSuccess)
            << size;
        // The call succeeds; the projection itself failed (no PPP IP control protocol).
        EXPECT_EQ(ip.At<rasemu::layouts::PppIpNt35>(0).dwError, 733u) << size;
        EXPECT_STREQ(ip.At<rasemu::layouts::PppIpNt35>(0).szIpAddress, "");
        EXPECT_TRUE(ip.UntouchedFrom(size)) << size;
    }
    for (const DWORD size : rasemu::layouts::kDialParams) {
        RawRecords params(size, 1, 1);
        std::strcpy(params.At<ras::DialParams>(0).szEntryName, "Home ISP");
        BOOL stored = TRUE;
        ASSERT_EQ(Entry<EntryDialParams>("RasGetEntryDialParamsA")(
                      nullptr, &params.At<ras::DialParams>(0), &stored),
                  kRasSuccess)
            << size;
        EXPECT_FALSE(stored);
        EXPECT_STREQ(params.At<ras::DialParams>(0).szDomain, "WORKGROUP") << size;
        EXPECT_TRUE(params.UntouchedFrom(size)) << size;
    }
    for (const DWORD size : rasemu::layouts::kEntryName) {
        RawRecords entries(size, 1, 1);
        DWORD bytes = size;
        ASSERT_EQ(Entry<EnumEntries>("RasEnumEntriesA")(
                      nullptr, nullptr, &entries.At<ras::EntryName>(0), &bytes, &count),
                  kRasSuccess)
            << size;
        EXPECT_STREQ(entries.At<ras::EntryName>(0).szEntryName, "Home ISP");
        EXPECT_TRUE(entries.UntouchedFrom(size)) << size;
    }
}

TEST(RasDllPhonebook, ListsAHundredAndFiftyEntriesWhenAskedWithRoomForThem) {
    std::string phonebook;
    for (int entry = 1; entry <= 150; ++entry) {
        phonebook += "entry \"Entry " + std::to_string(entry) + "\"\n";
    }
    EmulatedScenario scenario(phonebook);
    const auto enumEntries = reinterpret_cast<EnumEntries>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"rasapi32.dll"), "RasEnumEntriesA")));
    ASSERT_NE(enumEntries, nullptr);
    // Asking how much room they need, with no buffer: in the newest layout, which holds any.
    DWORD bytes = 0;
    DWORD count = 0;
    EXPECT_EQ(enumEntries(nullptr, nullptr, nullptr, &bytes, &count), kRasBufferTooSmall);
    EXPECT_EQ(count, 150u);
    EXPECT_EQ(bytes, 150 * sizeof(rasemu::layouts::EntryName2000));

    std::vector<ras::EntryName> entries(150, ras::EntryName{});
    entries[0].dwSize = sizeof(ras::EntryName);
    bytes = 100 * sizeof(ras::EntryName);
    EXPECT_EQ(enumEntries(nullptr, nullptr, entries.data(), &bytes, &count), kRasBufferTooSmall);
    EXPECT_EQ(bytes, 150 * sizeof(ras::EntryName));
    EXPECT_EQ(count, 150u);
    ASSERT_EQ(enumEntries(nullptr, nullptr, entries.data(), &bytes, &count), kRasSuccess);
    EXPECT_EQ(count, 150u);
    EXPECT_STREQ(entries[149].szEntryName, "Entry 150");
}

TEST_F(RasDll, UnknownHandlesGive6) {
    ASSERT_NE(dll_, nullptr);
    ras::ConnectionStatus status{};
    status.dwSize = sizeof status;
    const HANDLE unknown = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x7777));
    EXPECT_EQ(Entry<ConnectStatus>("RasGetConnectStatusA")(unknown, &status), kRasInvalidHandle);
    ras::Statistics statistics{};
    statistics.dwSize = sizeof statistics;
    EXPECT_EQ(Entry<Statistics>("RasGetConnectionStatistics")(unknown, &statistics),
              kRasInvalidHandle);
    EXPECT_EQ(Entry<DWORD(WINAPI*)(HANDLE)>("RasHangUpA")(unknown), kRasInvalidHandle);
}

// Filled by the service's thread, read by the test's: guarded.
struct NotifiedSteps {
    std::mutex mutex;
    std::vector<DWORD> threads;
    std::vector<DWORD> states;
} gNotified;

void WINAPI RecordProgress(UINT message, DWORD state, DWORD /*error*/) {
    if (message == ras::kDialEventMessage) {
        const std::lock_guard<std::mutex> lock(gNotified.mutex);
        gNotified.threads.push_back(GetCurrentThreadId());
        gNotified.states.push_back(state);
    }
}

TEST_F(RasDll, DialProgressComesFromAThreadOfTheService) {
    ASSERT_NE(dll_, nullptr);
    scenario_.Control("dial * connect");
    ras::DialParams params{};
    params.dwSize = sizeof params;
    std::strcpy(params.szEntryName, "Home ISP");
    HANDLE handle = nullptr;
    ASSERT_EQ(Entry<Dial>("RasDialA")(nullptr, nullptr, &params, 0,
                                      reinterpret_cast<void*>(&RecordProgress), &handle),
              kRasSuccess);
    EXPECT_NE(handle, nullptr);
    auto connected = [] {
        const std::lock_guard<std::mutex> lock(gNotified.mutex);
        return !gNotified.states.empty() && gNotified.states.back() == kStateConnected;
    };
    const ULONGLONG deadline = GetTickCount64() + 10'000;
    while (GetTickCount64() < deadline && !connected()) {
        Sleep(20);
    }
    const std::lock_guard<std::mutex> lock(gNotified.mutex);
    ASSERT_FALSE(gNotified.states.empty());
    EXPECT_EQ(gNotified.states.front(), kStateOpenPort);
    EXPECT_EQ(gNotified.states.back(), kStateConnected);
    for (const DWORD thread : gNotified.threads) {
        EXPECT_NE(thread, GetCurrentThreadId());
    }
}

// A progress function that takes its time, so that hang-ups land while it runs.
struct SlowProgress {
    std::atomic<int> calls{0};
    std::atomic<int> running{0};
    std::atomic<bool> hungUp{false};
    std::atomic<int> late{0};
} gSlow;

void WINAPI RecordSlowly(UINT /*message*/, DWORD /*state*/, DWORD /*error*/) {
    ++gSlow.running;
    if (gSlow.hungUp) {
        ++gSlow.late;
    }
    Sleep(3);
    ++gSlow.calls;
    --gSlow.running;
}

TEST_F(RasDll, NoProgressAfterTheHangUpHasReturned) {
    ASSERT_NE(dll_, nullptr);
    // Each port is free again at once: the dials follow each other without waiting.
    EmulatedScenario fast("dial-step 0.004\nhangup-delay 0\nentry \"Home ISP\"\ndial * connect\n");
    const auto dial = Entry<Dial>("RasDialA");
    const auto hangUp = Entry<DWORD(WINAPI*)(HANDLE)>("RasHangUpA");
    for (int attempt = 0; attempt < 10; ++attempt) {
        gSlow.calls = 0;
        gSlow.hungUp = false;
        ras::DialParams params{};
        params.dwSize = sizeof params;
        std::strcpy(params.szEntryName, "Home ISP");
        HANDLE handle = nullptr;
        ASSERT_EQ(
            dial(nullptr, nullptr, &params, 0, reinterpret_cast<void*>(&RecordSlowly), &handle),
            kRasSuccess);
        for (int wait = 0; wait < 500 && gSlow.calls < 1 + attempt % 4; ++wait) {
            Sleep(1);
        }
        ASSERT_EQ(hangUp(handle), kRasSuccess);
        EXPECT_EQ(gSlow.running, 0) << "a progress call still under way, attempt " << attempt;
        gSlow.hungUp = true;
        Sleep(30);  // several more steps would have been due
        EXPECT_EQ(gSlow.late, 0) << "attempt " << attempt;
    }
}

}  // namespace
}  // namespace orv
