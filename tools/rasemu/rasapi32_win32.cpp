// The entry points of the emulated rasapi32.dll: they check the caller's records as the real
// service does, turn them into plain values for the emulated service and back, and never write
// past a record or a member.

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "monitor/ras_records_win32.h"
#include "monitor/ras_text_win32.h"
#include "tools/rasemu/dial_runner_win32.h"
#include "tools/rasemu/entry_dialog_win32.h"
#include "tools/rasemu/ras_layouts_win32.h"
#include "tools/rasemu/service_instance_win32.h"

namespace {

using orv::ConnectionHandle;
using orv::RasResult;
using orv::rasemu::EmulatedService;
using orv::rasemu::WithService;
namespace ras = orv::ras;
namespace layouts = orv::rasemu::layouts;

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

// A record the caller hands in, of a size some version of the service published.
template <std::size_t N>
bool Published(const void* record, const std::array<DWORD, N>& sizes) {
    return layouts::Accepts(sizes, *static_cast<const DWORD*>(record));
}

// Zero-fills a record the caller's size long and sets that size, for the members to follow.
template <typename Record>
Record& Cleared(Record* record) {
    const DWORD size = record->dwSize;
    std::memset(static_cast<void*>(record), 0, size);
    record->dwSize = size;
    return *record;
}

// An array the caller hands in: null, or one whose first record states a published size.
template <typename Record, std::size_t N>
DWORD CheckArray(const Record* records, const DWORD* bytes, const DWORD* count,
                 const std::array<DWORD, N>& sizes) {
    if (bytes == nullptr || count == nullptr) {
        return kInvalidParameter;
    }
    if (records != nullptr && !Published(records, sizes)) {
        return orv::kRasInvalidSize;
    }
    return ERROR_SUCCESS;
}

// Writes one record per item at the stride of the caller's layout, or reports the bytes needed
// when they do not fit (asked with no buffer, in the newest layout, which holds any).
template <typename Record, typename Item, typename Fill, std::size_t N>
DWORD FillArray(Record* records, DWORD* bytes, DWORD* count, const std::vector<Item>& items,
                const std::array<DWORD, N>& sizes, Fill fill) {
    const DWORD stride = records == nullptr ? sizes.back() : records->dwSize;
    const DWORD needed = static_cast<DWORD>(items.size() * stride);
    const DWORD room = records == nullptr ? 0 : *bytes;
    *count = static_cast<DWORD>(items.size());
    if (room < needed) {
        *bytes = needed;
        return orv::kRasBufferTooSmall;
    }
    auto* first = reinterpret_cast<unsigned char*>(records);
    for (std::size_t at = 0; at < items.size(); ++at) {
        auto* record = reinterpret_cast<Record*>(first + at * stride);
        std::memset(static_cast<void*>(record), 0, stride);
        record->dwSize = stride;
        fill(*record, items[at]);
    }
    *bytes = needed;
    return ERROR_SUCCESS;
}

// What SaveEntry's refusal means to the person at the emulator's entry dialog.
std::string SaveProblem(RasResult result) {
    switch (result) {
        case orv::kRasSuccess:
            return {};
        case orv::kRasInvalidParameter:
            return "Type a name for the entry.";
        case ERROR_ALREADY_EXISTS:
            return "An entry of that name exists already.";
        default:
            return "The entry was not saved (error " + std::to_string(result) + ").";
    }
}

// Shows the emulator's entry dialog for what the service asked the user, and saves the answer
// as the entry oldName (empty: a new one).
void AskTheUser(HWND owner, const std::string& caption, const std::string& oldName,
                const EmulatedService::EntryForm& form) {
    orv::rasemu::ShowEntryDialog(
        owner, caption, form.entry, form.deviceNames, [&](orv::rasemu::PhonebookEntry typed) {
            // The dialog has no domain field: the entry keeps its own.
            typed.domain = form.entry.domain;
            return SaveProblem(WithService(
                [&](EmulatedService& service) { return service.SaveEntry(oldName, typed); }));
        });
}

}  // namespace

extern "C" {

DWORD WINAPI RasEnumConnectionsA(ras::Connection* connections, DWORD* bytes, DWORD* count) {
    if (const DWORD invalid = CheckArray(connections, bytes, count, layouts::kConnection)) {
        return invalid;
    }
    std::vector<orv::ActiveConnection> listed;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EnumConnections(listed); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    return FillArray(connections, bytes, count, listed, layouts::kConnection,
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
    if (!Published(status, layouts::kConnectionStatus)) {
        return orv::kRasInvalidSize;
    }
    std::uint32_t state = 0;
    orv::DeviceInfo device;
    RasResult lineError = orv::kRasSuccess;
    const RasResult result = WithService([&](EmulatedService& service) {
        return service.ConnectStatus(HandleValue(connection), state, device, lineError);
    });
    if (result == orv::kRasSuccess) {
        Cleared(status).rasconnstate = state;
        status->dwError = lineError;
        ras::CutIntoMember(device.type, status->szDeviceType);
        ras::CutIntoMember(device.name, status->szDeviceName);
    }
    return result;
}

DWORD WINAPI RasGetConnectionStatistics(HANDLE connection, ras::Statistics* statistics) {
    // The one call of the service that answers with an HRESULT: a null handle or record, or a
    // size no version published, is E_INVALIDARG.
    if (connection == nullptr || statistics == nullptr ||
        !Published(statistics, layouts::kStatistics)) {
        return static_cast<DWORD>(E_INVALIDARG);
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
    const bool sized = *bytes >= sizeof(DWORD);
    if (sized && !Published(buffer, layouts::kPppIp)) {
        return orv::kRasInvalidSize;
    }
    const DWORD needed = sized ? *static_cast<const DWORD*>(buffer) : sizeof(ras::PppIp);
    if (*bytes < needed) {
        *bytes = needed;
        return orv::kRasBufferTooSmall;
    }
    orv::IpProjection addresses;
    RasResult projectionError = orv::kRasSuccess;
    const RasResult result = WithService([&](EmulatedService& service) {
        return service.Projection(HandleValue(connection), addresses, projectionError);
    });
    if (result == orv::kRasSuccess) {
        // The NT 3.5 layout ends before the server's address.
        auto& record = Cleared(static_cast<layouts::PppIpNt35*>(buffer));
        record.dwError = projectionError;
        ras::CutIntoMember(addresses.clientIp, record.szIpAddress);
        if (needed >= sizeof(ras::PppIp)) {
            ras::CutIntoMember(addresses.serverIp,
                               static_cast<ras::PppIp*>(buffer)->szServerIpAddress);
        }
        *bytes = needed;
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
        return orv::kRasInsufficientBuffer;
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
    if (!Published(params, layouts::kDialParams)) {
        return orv::kRasInvalidSize;
    }
    orv::DialParams dial;
    dial.entryName = ras::MemberText(params->szEntryName);
    dial.phoneNumber = ras::MemberText(params->szPhoneNumber);
    dial.callbackNumber = ras::MemberText(params->szCallbackNumber);
    dial.userName = ras::MemberText(params->szUserName);
    dial.password = ras::MemberText(params->szPassword);
    dial.domain = ras::MemberText(params->szDomain);
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
    if (!Published(params, layouts::kDialParams)) {
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
        ras::CutIntoMember(stored.domain, params->szDomain);
        *passwordStored = hasPassword ? TRUE : FALSE;
    }
    return result;
}

DWORD WINAPI RasHangUpA(HANDLE connection) {
    const RasResult result = WithService(
        [&](EmulatedService& service) { return service.HangUp(HandleValue(connection)); });
    if (result == orv::kRasSuccess) {
        // Once the hang-up has returned, the dial reports nothing more.
        orv::rasemu::StopDialProgress(HandleValue(connection));
    }
    return result;
}

DWORD WINAPI RasEnumEntriesA(const char* reserved, const char* /*phonebook*/,
                             ras::EntryName* entries, DWORD* bytes, DWORD* count) {
    if (reserved != nullptr) {
        return kInvalidParameter;
    }
    if (const DWORD invalid = CheckArray(entries, bytes, count, layouts::kEntryName)) {
        return invalid;
    }
    std::vector<std::string> names;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EnumEntries(names); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    return FillArray(entries, bytes, count, names, layouts::kEntryName,
                     [](ras::EntryName& record, const std::string& name) {
                         ras::CutIntoMember(name, record.szEntryName);
                     });
}

DWORD WINAPI RasEnumDevicesA(ras::DeviceInfo* devices, DWORD* bytes, DWORD* count) {
    if (const DWORD invalid = CheckArray(devices, bytes, count, layouts::kDeviceInfo)) {
        return invalid;
    }
    std::vector<orv::DeviceInfo> listed;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EnumDevices(listed); });
    if (result != orv::kRasSuccess) {
        return result;
    }
    return FillArray(devices, bytes, count, listed, layouts::kDeviceInfo,
                     [](ras::DeviceInfo& record, const orv::DeviceInfo& device) {
                         ras::CutIntoMember(device.type, record.szDeviceType);
                         ras::CutIntoMember(device.name, record.szDeviceName);
                     });
}

// The entry dialogs do what the scenario says the user did; with nothing scripted they show
// the emulator's own dialog (or cancel, as the scenario chooses). The dialog runs outside the
// service's lock: the program's timers go on calling the service meanwhile.
DWORD WINAPI RasCreatePhonebookEntryA(HWND owner, const char* /*phonebook*/) {
    std::optional<EmulatedService::EntryForm> ask;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.CreateEntry(ask); });
    if (result == orv::kRasSuccess && ask) {
        AskTheUser(owner, orv::rasemu::kNewEntryCaption, "", *ask);
    }
    return result;
}

DWORD WINAPI RasEditPhonebookEntryA(HWND owner, const char* /*phonebook*/, const char* entryName) {
    if (entryName == nullptr) {
        return kInvalidParameter;
    }
    const std::string name = Text(entryName);
    std::optional<EmulatedService::EntryForm> ask;
    const RasResult result =
        WithService([&](EmulatedService& service) { return service.EditEntry(name, ask); });
    if (result == orv::kRasSuccess && ask) {
        AskTheUser(owner, "Edit \"" + name + "\" (emulated service)", name, *ask);
    }
    return result;
}

DWORD WINAPI RasDeleteEntryA(const char* /*phonebook*/, const char* entryName) {
    if (entryName == nullptr) {
        return kInvalidParameter;
    }
    return WithService(
        [&](EmulatedService& service) { return service.DeleteEntry(Text(entryName)); });
}

}  // extern "C"
