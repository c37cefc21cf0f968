// procmem: prints the memory figures of a running program, as Windows reports them.
//   procmem NAME|PID    e.g. procmem orvane.exe
// One line: pid, private bytes (PrivateUsage), working set and peak working set, in bytes.
// Exit code 1 when no such process can be opened, 2 on bad usage.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string_view>

#include "base/win32/resources.h"

namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

// The first process of that file name; 0 when none runs.
DWORD ProcessNamed(std::wstring_view name) {
    const orv::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    if (!snapshot || !Process32FirstW(snapshot.Get(), &entry)) {
        return 0;
    }
    do {
        if (SameName(entry.szExeFile, name)) {
            return entry.th32ProcessID;
        }
    } while (Process32NextW(snapshot.Get(), &entry));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: procmem NAME|PID\n", stderr);
        return 2;
    }
    wchar_t* end = nullptr;
    const unsigned long number = std::wcstoul(argv[1], &end, 10);
    const DWORD pid = (end && *end == L'\0') ? static_cast<DWORD>(number) : ProcessNamed(argv[1]);
    const orv::UniqueHandle process(
        pid ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, pid)
            : nullptr);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!process ||
        !GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters))) {
        std::fwprintf(stderr, L"procmem: cannot read the memory of %ls\n", argv[1]);
        return 1;
    }
    std::printf("pid=%lu private_bytes=%llu working_set_bytes=%llu peak_working_set_bytes=%llu\n",
                static_cast<unsigned long>(pid),
                static_cast<unsigned long long>(counters.PrivateUsage),
                static_cast<unsigned long long>(counters.WorkingSetSize),
                static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    return 0;
}
