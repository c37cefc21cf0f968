// Measures the statistics on the real platform pieces (the file system, MSXML where a file needs
// it, a virtual list view) over a large statistics file: statsbench <program folder> <report file>.
// Prints one "name=value" line per figure; scripts/bench-stats.sh compares them with a bare parse.

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "base/win32/user_locale.h"
#include "stats/com_text_win32.h"
#include "stats/file_storage_win32.h"
#include "stats/logon_name_win32.h"
#include "stats/msxml_reader_win32.h"
#include "stats/session_list_view_win32.h"
#include "stats/statistics_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class PrintingPrompts final : public orv::UserPrompts, public orv::Notices {
  public:
    bool AskYesNo(std::string_view) override { return false; }
    void Notify(std::string_view message) override {
        std::fprintf(stderr, "notice: %.*s\n", static_cast<int>(message.size()), message.data());
    }
    void ReportError(std::string_view message) override {
        std::fprintf(stderr, "error: %.*s\n", static_cast<int>(message.size()), message.data());
        failed = true;
    }
    bool failed = false;
};

HWND CreateSessionListControl() {
    const HWND frame =
        CreateWindowExW(0, L"STATIC", L"statsbench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420,
                        300, nullptr, nullptr, nullptr, nullptr);
    const HWND list =
        CreateWindowExW(0, WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, 0,
                        0, 400, 260, frame, nullptr, nullptr, nullptr);
    for (int column = 0; column < 11; ++column) {
        wchar_t caption[] = L"Column";
        LVCOLUMNW columnInfo{};
        columnInfo.mask = LVCF_TEXT | LVCF_WIDTH;
        columnInfo.pszText = caption;
        columnInfo.cx = 60;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&columnInfo));
    }
    return list;
}

// Lets the list view paint its visible rows, answering its text requests.
void PaintList(HWND list, const orv::SessionListView& view) {
    const HWND frame = GetParent(list);
    SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
    UpdateWindow(list);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// The process's private bytes, in megabytes (Wine leaves PrivateUsage at 0 and counts them as
// the page-file usage).
double PrivateMegabytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    const SIZE_T bytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* view =
            reinterpret_cast<const orv::SessionListView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (view != nullptr) {
            view->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam));
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: statsbench <program folder> <report file>\n");
        return 2;
    }
    const std::string folder = orv::Narrow(argv[1]);
    const std::string report = orv::Narrow(argv[2]);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND list = CreateSessionListControl();
    SetWindowLongPtrW(GetParent(list), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc));

    const orv::ComApartment com;
    orv::Win32FileStorage storage;
    orv::MsxmlRecordReader reader;
    orv::StatisticsStore document(storage, reader);
    PrintingPrompts prompts;
    orv::Win32LogonName logon;
    orv::SystemClock clock;
    orv::StatisticsFile file(document, {storage, prompts, prompts, logon, clock});
    orv::SessionList sessions;
    const orv::SessionListView view(list, sessions);

    const double privateBefore = PrivateMegabytes();
    const auto openStart = Clock::now();
    file.OpenStatistics(folder);
    const double openMs = MsSince(openStart);
    const double privateStore = PrivateMegabytes() - privateBefore;
    const auto listStart = Clock::now();
    const orv::TotalsTexts totals = orv::FormatTotals(orv::LoadSessionList(document, sessions));
    const double listBuildMs = MsSince(listStart);
    view.Refresh();
    PaintList(list, view);
    const double listMs = MsSince(listStart);
    const double privateWithList = PrivateMegabytes() - privateBefore;

    orv::ConnectionInfo session{"Bench",
                                "12/8/2026 6:00:00 PM",
                                "12/8/2026 7:00:00 PM",
                                "1.50",
                                "10.0.0.1",
                                "10.0.0.2",
                                "115200",
                                "1536",
                                "512",
                                "3600000"};
    std::vector<double> appends;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        file.AppendSession(session);
        appends.push_back(MsSince(start));
    }
    std::sort(appends.begin(), appends.end());

    orv::LoadSessionList(document, sessions);
    const auto reportStart = Clock::now();
    orv::WriteHtmlReport(sessions, report, storage, prompts);
    const double reportMs = MsSince(reportStart);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    std::printf("rows=%zu\n", sessions.RowCount());
    std::printf("online_time=%s\n", totals.onlineTime.c_str());
    std::printf("open_ms=%.1f\n", openMs);
    std::printf("list_ms=%.1f\n", listMs);
    std::printf("list_build_ms=%.1f\n", listBuildMs);
    std::printf("open_and_list_ms=%.1f\n", openMs + listMs);
    std::printf("append_median_ms=%.1f\n", appends[appends.size() / 2]);
    std::printf("append_max_ms=%.1f\n", appends.back());
    std::printf("report_ms=%.1f\n", reportMs);
    std::printf("store_private_mb=%.1f\n", privateStore);
    std::printf("store_and_list_private_mb=%.1f\n", privateWithList);
    std::printf("peak_working_set_mb=%.1f\n",
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    std::printf("peak_pagefile_mb=%.1f\n",
                static_cast<double>(memory.PeakPagefileUsage) / (1024.0 * 1024.0));
    return prompts.failed ? 1 : 0;
}
