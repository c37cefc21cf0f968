#pragma once
// The remote-access service of Windows (rasapi32, ANSI entry points) behind ConnectionSource.

#include <windows.h>

#include "monitor/connection_source.h"

namespace orv {

class Win32ConnectionSource final : public ConnectionSource {
  public:
    // Create it on the interface thread: dial progress is handed over on that thread.
    Win32ConnectionSource();
    ~Win32ConnectionSource() override;
    Win32ConnectionSource(const Win32ConnectionSource&) = delete;
    Win32ConnectionSource& operator=(const Win32ConnectionSource&) = delete;

    RasResult EnumConnections(std::vector<ActiveConnection>& connections) override;
    RasResult GetConnectStatus(ConnectionHandle connection, std::uint32_t& state) override;
    RasResult GetConnectionStatistics(ConnectionHandle connection,
                                      ConnectionStatistics& statistics) override;
    RasResult GetProjectionInfo(ConnectionHandle connection, IpProjection& projection) override;
    RasResult GetErrorString(RasResult code, std::size_t bufferChars, std::string& text) override;
    // FormatMessageW's system message.
    RasResult GetSystemErrorString(RasResult code, std::string& text) override;

    // One dial at a time: the service's progress calls carry no handle, so a new dial takes
    // over the progress of any earlier one.
    RasResult Dial(const DialParams& params, DialProgressHandler progress,
                   ConnectionHandle& connection) override;
    RasResult GetEntryDialParams(DialParams& params) override;
    RasResult HangUp(ConnectionHandle connection) override;

    RasResult EnumEntries(std::vector<std::string>& entryNames) override;
    RasResult EnumDevices(std::vector<DeviceInfo>& devices) override;
    RasResult CreatePhonebookEntry(NativeWindow owner) override;
    RasResult EditPhonebookEntry(NativeWindow owner, const std::string& entryName) override;
    RasResult DeleteEntry(const std::string& entryName) override;

  private:
    static void WINAPI DialProgressArrived(UINT message, DWORD state, DWORD error);
    static LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam);

    HWND progressWindow_ = nullptr;  // message-only, on the interface thread
    DialProgressHandler dialProgress_;
};

}  // namespace orv
