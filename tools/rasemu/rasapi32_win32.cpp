// The entry points of the emulated rasapi32.dll: they check the caller's records as the real
// service does, turn them into plain values for the emulated service and back, and never write
// past a record or a member.

#include <windows.h>

#include <string>
#include <vector>

#include "monitor/ras_records_win32.h"
#include "monitor/ras_text_win32.h"
#include "tools/rasemu/dial_runner_win32.h"
#include "tools/rasemu/service_instance_win32.h"

namespace {

using orv::ConnectionHandle;
using orv::RasResult;
using orv::rasemu::EmulatedService;
using orv::rasemu::WithService;
namespace ras = orv::ras;

constexpr DWORD kInvalidParameter = ERROR_INVALID_PARAMETER;
constexpr DWORD kProtocolNotConfigured = 731;

ConnectionHandle HandleValue(HANDLE handle) {
    return reinterpret_cast<ConnectionHandle>(handle);
}
HANDLE ToHandle(ConnectionHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string Text(const char* ansi) {
    return ansi == nullptr ? std::string() : orv::AnsiToUtf8(ansi);
}

// An array the caller hands in: null, or one whose first record states its size.
template <typename Record>
DWORD CheckArray(const Record* records, const DWORD* bytes, const DWORD* count) {
    if (bytes == nullptr || count == nullptr) {
        return kInvalidParameter;
    }
    if (records != nullptr && records->dwSize != sizeof(Record)) {
        return orv::kRasInvalidSize;
    }
    return ERROR_SUCCESS;
}

// Writes one record per item, or reports the bytes needed when they do not fit.
template <typename Record, typename Item, typename Fill>
DWORD FillArray(Record* records, DWORD* bytes, DWORD* count, const std::vector<Item>& items,
                Fill fill) {
    const DWORD needed = static_cast<DWORD>(items.size() * sizeof(Record));
    const DWORD room = records == nullptr ? 0 : *bytes;
    *count = static_cast<DWORD>(items.size());
    if (room < needed) {
        *bytes = needed;
        return orv::kRasBufferTooSmall;
    }
    for (std::size_t at = 0; at < items.size(); ++at) {
        records[at].dwSize = sizeof(Record);
        fill(records[at], items[at]);
    }
    *bytes = needed;
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

DWORD WINAPI RasEnumConnectionsA(ras::Connection* connections, DWORD* bytes, DWORD* count) {
    if (const DWORD invalid = CheckArray(connections, bytes, count)) {
        return invalid;
    }
    std::vector<orv::ActiveConnection> listed;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EnumConnections(listed); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    return FillArray(connections, bytes, count, listed,
                     [](ras::Connection& record, const orv::ActiveConnection& connection) {
                         record.hrasconn = ToHandle(connection.handle);
                         ras::CutIntoMember(connection.entryName, record.szEntryName);
                         ras::CutIntoMember(connection.deviceType, record.szDeviceType);
                         ras::CutIntoMember(connection.deviceName, record.szDeviceName);
                     });
}

DWORD WINAPI RasGetConnectStatusA(HANDLE connection, ras::ConnectionStatus* status) {
    if (status == nullptr) {
        return kInvalidParameter;
    }
    if (status->dwSize != sizeof(ras::ConnectionStatus)) {
        return orv::kRasInvalidSize;
    }
    std::uint32_t state = 0;
    orv::DeviceInfo device;
    const RasResult result = WithService([&](EmulatedService& service) {
        return service.ConnectStatus(HandleValue(connection), state, device);
    });
    if (result == orv::kRasSuccess) {
        status->rasconnstate = state;
        status->dwError = 0;
        ras::CutIntoMember(device.type, status->szDeviceType);
        ras::CutIntoMember(device.name, status->szDeviceName);
    }
    return result;
}

DWORD WINAPI RasGetConnectionStatistics(HANDLE connection, ras::Statistics* statistics) {
    if (statistics == nullptr) {
        return kInvalidParameter;
    }
    if (statistics->dwSize != sizeof(ras::Statistics)) {
        return orv::kRasInvalidSize;
    }
    orv::ConnectionStatistics figures;
    const RasResult result = WithService([&](EmulatedService& service) {
        return service.Statistics(HandleValue(connection), figures);
    });
    if (result == orv::kRasSuccess) {
        *statistics = ras::Statistics{};
        statistics->dwSize = sizeof(ras::Statistics);
        statistics->dwBytesXmited = figures.bytesSent;
        statistics->dwBytesRcved = figures.bytesReceived;
        statistics->dwCompressionRatioIn = figures.compressionIn;
        statistics->dwCompressionRatioOut = figures.compressionOut;
        statistics->dwBps = figures.linkSpeedBps;
        statistics->dwConnectDuration = figures.durationMs;
    }
    return result;
}

DWORD WINAPI RasGetProjectionInfoA(HANDLE connection, DWORD projection, void* buffer,
                                   DWORD* bytes) {
    if (buffer == nullptr || bytes == nullptr) {
        return kInvalidParameter;
    }
    if (projection != ras::kProjectionPppIp) {
        return kProtocolNotConfigured;
    }
    if (*bytes < sizeof(ras::PppIp)) {
        *bytes = sizeof(ras::PppIp);
        return orv::kRasBufferTooSmall;
    }
    auto* record = static_cast<ras::PppIp*>(buffer);
    if (record->dwSize != sizeof(ras::PppIp)) {
        return orv::kRasInvalidSize;
    }
    orv::IpProjection addresses;
    const RasResult result = WithService([&](EmulatedService& service) {
        return service.Projection(HandleValue(connection), addresses);
    });
    if (result == orv::kRasSuccess) {
        record->dwError = 0;
        ras::CutIntoMember(addresses.clientIp, record->szIpAddress);
        ras::CutIntoMember(addresses.serverIp, record->szServerIpAddress);
        *bytes = sizeof(ras::PppIp);
    }
    return result;
}

DWORD WINAPI RasGetErrorStringA(UINT code, char* buffer, DWORD chars) {
    if (buffer == nullptr || chars == 0) {
        return kInvalidParameter;
    }
    std::string text;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.ErrorText(code, text); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    const std::string ansi = orv::Utf8ToAnsi(text);
    if (ansi.size() >= chars) {
        return orv::kRasBufferTooSmall;
    }
    ansi.copy(buffer, ansi.size());
    buffer[ansi.size()] = '\0';
    return ERROR_SUCCESS;
}

DWORD WINAPI RasDialA(void* /*extensions*/, const char* /*phonebook*/, ras::DialParams* params,
                      DWORD notifierType, void* notifier, HANDLE* connection) {
    if (params == nullptr || connection == nullptr || (notifier != nullptr && notifierType != 0)) {
        return kInvalidParameter;
    }
    if (params->dwSize != sizeof(ras::DialParams)) {
        return orv::kRasInvalidSize;
    }
    orv::DialParams dial;
    dial.entryName = ras::MemberText(params->szEntryName);
    dial.phoneNumber = ras::MemberText(params->szPhoneNumber);
    dial.callbackNumber = ras::MemberText(params->szCallbackNumber);
    dial.userName = ras::MemberText(params->szUserName);
    dial.password = ras::MemberText(params->szPassword);
    ConnectionHandle handle = 0;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.Dial(dial, handle); });
    *connection = ToHandle(handle);
    if (result != orv::kRasSuccess) {
        return result;
    }
    if (notifier == nullptr) {
        return orv::rasemu::RunDialToEnd(handle);
    }
    orv::rasemu::StartDialProgress(handle, reinterpret_cast<ras::DialFunction>(notifier));
    return ERROR_SUCCESS;
}

DWORD WINAPI RasGetEntryDialParamsA(const char* /*phonebook*/, ras::DialParams* params,
                                    BOOL* passwordStored) {
    if (params == nullptr || passwordStored == nullptr) {
        return kInvalidParameter;
    }
    if (params->dwSize != sizeof(ras::DialParams)) {
        return orv::kRasInvalidSize;
    }
    orv::DialParams stored;
    stored.entryName = ras::MemberText(params->szEntryName);
    bool hasPassword = false;
    const RasResult result = WithService(
        [&](EmulatedService& service) { return service.EntryDialParams(stored, hasPassword); });
    if (result == orv::kRasSuccess) {
        ras::CutIntoMember(stored.userName, params->szUserName);
        ras::CutIntoMember(stored.password, params->szPassword);
        *passwordStored = hasPassword ? TRUE : FALSE;
    }
    return result;
}

DWORD WINAPI RasHangUpA(HANDLE connection) {
    return WithService(
        [&](EmulatedService& service) { return service.HangUp(HandleValue(connection)); });
}

DWORD WINAPI RasEnumEntriesA(const char* reserved, const char* /*phonebook*/,
                             ras::EntryName* entries, DWORD* bytes, DWORD* count) {
    if (reserved != nullptr) {
        return kInvalidParameter;
    }
    if (const DWORD invalid = CheckArray(entries, bytes, count)) {
        return invalid;
    }
    std::vector<std::string> names;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EnumEntries(names); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    return FillArray(entries, bytes, count, names,
                     [](ras::EntryName& record, const std::string& name) {
                         ras::CutIntoMember(name, record.szEntryName);
                     });
}

DWORD WINAPI RasEnumDevicesA(ras::DeviceInfo* devices, DWORD* bytes, DWORD* count) {
    if (const DWORD invalid = CheckArray(devices, bytes, count)) {
        return invalid;
    }
    std::vector<orv::DeviceInfo> listed;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EnumDevices(listed); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    return FillArray(devices, bytes, count, listed,
                     [](ras::DeviceInfo& record, const orv::DeviceInfo& device) {
                         ras::CutIntoMember(device.type, record.szDeviceType);
                         ras::CutIntoMember(device.name, record.szDeviceName);
                     });
}

// The emulated dialogs show nothing: they do what the scenario says the user did.
DWORD WINAPI RasCreatePhonebookEntryA(HWND /*owner*/, const char* /*phonebook*/) {
    return WithService([](EmulatedService& service) { return service.CreateEntry(); });
}

DWORD WINAPI RasEditPhonebookEntryA(HWND /*owner*/, const char* /*phonebook*/,
                                    const char* entryName) {
    if (entryName == nullptr) {
        return kInvalidParameter;
    }
    return WithService(
        [&](EmulatedService& service) { return service.EditEntry(Text(entryName)); });
}

DWORD WINAPI RasDeleteEntryA(const char* /*phonebook*/, const char* entryName) {
    if (entryName == nullptr) {
        return kInvalidParameter;
    }
    return WithService(
        [&](EmulatedService& service) { return service.DeleteEntry(Text(entryName)); });
}

}  // extern "C"
