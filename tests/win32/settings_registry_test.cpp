// Runs inside the throw-away Wine prefix: real registry reads and writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/machine_autorun_win32.h"
#include "app/registry_settings_store_win32.h"

namespace orv {
namespace {

const std::wstring kTestKey =
    L"Software\\Quillon\\OrvaneTest" + std::to_wstring(GetCurrentProcessId());

class RegistryStore : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }

    static DWORD TypeOf(const wchar_t* name) {
        DWORD type = 0;
        const std::wstring section = kTestKey + L"\\Main";
        if (RegGetValueW(HKEY_CURRENT_USER, section.c_str(), name, RRF_RT_ANY, &type, nullptr,
                         nullptr) != ERROR_SUCCESS) {
            return REG_NONE;
        }
        return type;
    }
};

TEST_F(RegistryStore, MissingKeyReadsAbsentAndTheFirstWriteCreatesTheSection) {
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    EXPECT_EQ(store.Read("BytesRecv"), std::nullopt);
    EXPECT_EQ(TypeOf(L"BytesRecv"), static_cast<DWORD>(REG_NONE));

    store.Write("BytesRecv", "1");
    store.Write("SndTimeFile", "C:\\Звуки\\тик.wav");
    store.Write("SpeedValueToInform", "");
    EXPECT_EQ(store.Read("BytesRecv"), "1");
    EXPECT_EQ(store.Read("SpeedValueToInform"), "");
    EXPECT_EQ(TypeOf(L"BytesRecv"), static_cast<DWORD>(REG_SZ));

    RegistrySettingsStore reopened(HKEY_CURRENT_USER, kTestKey);
    EXPECT_EQ(reopened.Read("SndTimeFile"), "C:\\Звуки\\тик.wav");
    EXPECT_EQ(TypeOf(L"SndTimeFile"), static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStore, AValueOfAnotherTypeCountsAsAbsent) {
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    store.Write("AutoRun", "0");
    const std::wstring section = kTestKey + L"\\Main";
    const DWORD number = 1;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"AutoRun", REG_DWORD, &number,
                              sizeof(number)),
              ERROR_SUCCESS);
    const wchar_t expandable[] = L"1";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"ShutDown", REG_EXPAND_SZ,
                              expandable, sizeof(expandable)),
              ERROR_SUCCESS);
    EXPECT_EQ(store.Read("AutoRun"), std::nullopt);
    EXPECT_EQ(store.Read("ShutDown"), std::nullopt);
}

// A write the registry refuses is reported with the system's reason, not dropped.
TEST_F(RegistryStore, ARefusedWriteFailsWithTheSystemsReason) {
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(store.Write("BytesRecv", "1").ok());
    // The store keeps its section open; deleting the key under it makes every write fail.
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()), ERROR_SUCCESS);
    const Outcome written = store.Write("BytesSend", "1");
    EXPECT_FALSE(written.ok());
    EXPECT_NE(written.error(), "unknown error");
}

// The machine-wide Run key of the Wine prefix, restored after each test (the user's Run key of
// the prefix loses its "Orvane", which no test leaves there).
class MachineRunKey : public ::testing::Test {
  protected:
    static constexpr wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    void SetUp() override { saved_ = Value(L"Orvane"); }
    void TearDown() override {
        if (saved_) {
            SetValue(L"Orvane", *saved_);
        } else {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRun, L"Orvane");
        }
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRun, L"OrvaneTestNeighbour");
    }

    static std::optional<std::wstring> Value(const wchar_t* name) {
        wchar_t data[1024] = {};
        DWORD bytes = sizeof(data);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, kRun, name, RRF_RT_REG_SZ, nullptr, data, &bytes) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::wstring(data);
    }
    static void SetValue(const wchar_t* name, const std::wstring& data) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRun, name, REG_SZ, data.c_str(),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }

    RunKeyHive machine_{HKEY_LOCAL_MACHINE};
    RunKeyHive user_{HKEY_CURRENT_USER};

  private:
    std::optional<std::wstring> saved_;
};

TEST_F(MachineRunKey, OnWritesTheProgramPathAndOffRemovesOnlyThatValue) {
    SetValue(L"OrvaneTestNeighbour", L"C:\\other.exe /quiet");
    RunKeyAutorunEntry entry(ProgramFilePath(), machine_, user_);

    ASSERT_TRUE(entry.Enable(true).ok());
    EXPECT_EQ(Value(L"Orvane"), L"\"" + ProgramFilePath() + L"\"");
    EXPECT_NE(ProgramFilePath().find(L"orvane_win32_tests.exe"), std::wstring::npos);
    EXPECT_EQ(user_.Command(), std::nullopt);  // one entry is enough

    ASSERT_TRUE(entry.Disable().ok());
    EXPECT_EQ(Value(L"Orvane"), std::nullopt);
    EXPECT_EQ(Value(L"OrvaneTestNeighbour"), L"C:\\other.exe /quiet");
    EXPECT_TRUE(entry.Disable().ok());  // already absent
}

// An unquoted entry of an earlier version is ours: on rewrites it in quotes.
TEST_F(MachineRunKey, AnUnquotedEntryIsOursAndGetsQuoted) {
    const std::wstring path = L"C:\\Program Files\\Orvane\\orvane.exe";
    EXPECT_TRUE(RunCommandNamesProgram(path, path));
    EXPECT_TRUE(RunCommandNamesProgram(L"\"c:\\program files\\orvane\\ORVANE.exe\"", path));
    EXPECT_FALSE(RunCommandNamesProgram(L"C:\\Program.exe", path));
    EXPECT_FALSE(RunCommandNamesProgram(L"\"" + path + L"\" /quiet", path));

    SetValue(L"Orvane", path);
    RunKeyAutorunEntry entry(path, machine_, user_);
    ASSERT_TRUE(entry.Enable(false).ok());
    EXPECT_EQ(Value(L"Orvane"), L"\"" + path + L"\"");
}

}  // namespace
}  // namespace orv
