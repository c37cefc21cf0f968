#include "monitor/ras_connection_source_win32.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

#include "base/win32/messages.h"
#include "base/win32/modal_turn.h"
#include "base/win32/system_error.h"
#include "base/win32/window_class.h"
#include "base/wipe_text.h"
#include "monitor/ras_records_win32.h"
#include "monitor/ras_text_win32.h"

namespace orv {
namespace {

constexpr wchar_t kProgressWindowClass[] = L"OrvaneDialProgress";
constexpr UINT kProgressMessage = messages::kDialProgress;

// The window of the dial in progress: a type-0 progress function gets no context of its own.
std::atomic<HWND> gDialWindow{nullptr};

// What a call gives when the service lacks the entry point.
constexpr RasResult kEntryPointMissing = ERROR_PROC_NOT_FOUND;

// The ANSI entry points, looked up by name: their records are the earliest layouts, which
// MinGW's <ras.h> does not declare, and a service without one of them fails that call only.
struct RasApi {
    DWORD(WINAPI* enumConnections)(ras::Connection*, DWORD*, DWORD*);
    DWORD(WINAPI* getConnectStatus)(HANDLE, ras::ConnectionStatus*);
    DWORD(WINAPI* getConnectionStatistics)(HANDLE, ras::Statistics*);
    DWORD(WINAPI* getProjectionInfo)(HANDLE, DWORD, void*, DWORD*);
    DWORD(WINAPI* getErrorString)(UINT, char*, DWORD);
    DWORD(WINAPI* dial)(void*, const char*, ras::DialParams*, DWORD, void*, HANDLE*);
    DWORD(WINAPI* getEntryDialParams)(const char*, ras::DialParams*, BOOL*);
    DWORD(WINAPI* hangUp)(HANDLE);
    DWORD(WINAPI* enumEntries)(const char*, const char*, ras::EntryName*, DWORD*, DWORD*);
    DWORD(WINAPI* enumDevices)(ras::DeviceInfo*, DWORD*, DWORD*);
    DWORD(WINAPI* createPhonebookEntry)(HWND, const char*);
    DWORD(WINAPI* editPhonebookEntry)(HWND, const char*, const char*);
    DWORD(WINAPI* deleteEntry)(const char*, const char*);
};

template <typename Function>
void Find(HMODULE dll, const char* name, Function& function) {
    function = dll == nullptr
                   ? nullptr
                   : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

const RasApi& Api() {
    static const RasApi api = [] {
        // Never freed: the functions found here are called until the process ends.
        const HMODULE dll = LoadLibraryW(L"rasapi32.dll");
        RasApi found{};
        Find(dll, "RasEnumConnectionsA", found.enumConnections);
        Find(dll, "RasGetConnectStatusA", found.getConnectStatus);
        Find(dll, "RasGetConnectionStatistics", found.getConnectionStatistics);
        Find(dll, "RasGetProjectionInfoA", found.getProjectionInfo);
        Find(dll, "RasGetErrorStringA", found.getErrorString);
        Find(dll, "RasDialA", found.dial);
        Find(dll, "RasGetEntryDialParamsA", found.getEntryDialParams);
        Find(dll, "RasHangUpA", found.hangUp);
        Find(dll, "RasEnumEntriesA", found.enumEntries);
        Find(dll, "RasEnumDevicesA", found.enumDevices);
        Find(dll, "RasCreatePhonebookEntryA", found.createPhonebookEntry);
        Find(dll, "RasEditPhonebookEntryA", found.editPhonebookEntry);
        Find(dll, "RasDeleteEntryA", found.deleteEntry);
        return found;
    }();
    return api;
}

template <typename Function, typename... Args>
RasResult Call(Function function, Args... args) {
    return function == nullptr ? kEntryPointMissing : function(args...);
}

HANDLE ToHandle(ConnectionHandle connection) {
    return reinterpret_cast<HANDLE>(connection);
}
ConnectionHandle FromHandle(HANDLE handle) {
    return reinterpret_cast<ConnectionHandle>(handle);
}

template <typename Record>
Record SizedRecord() {
    Record record{};
    record.dwSize = sizeof(Record);
    return record;
}

// Room for `capacity` records, the first one stating the record size.
template <typename Record>
std::vector<Record> SizedArray(std::size_t capacity) {
    std::vector<Record> records(capacity, Record{});
    if (!records.empty()) {
        records.front().dwSize = sizeof(Record);
    }
    return records;
}

// A service that reports more records than it was given room for is not believed.
std::size_t Listed(DWORD count, std::size_t capacity) {
    return std::min<std::size_t>(count, capacity);
}

// Records of recordSize that `bytes` holds, a part record counting as one.
std::size_t RecordsFor(DWORD bytes, std::size_t recordSize) {
    return (bytes + recordSize - 1) / recordSize;
}

// As ras::PutIntoMember, wiping the converted copy of the password.
template <std::size_t N>
bool PutSecretIntoMember(std::string_view utf8, char (&member)[N]) {
    std::string ansi = orv::Utf8ToAnsi(utf8);
    member[0] = '\0';
    const bool fits = ansi.size() < N;
    if (fits) {
        std::memcpy(member, ansi.c_str(), ansi.size() + 1);
    }
    WipeText(ansi);
    return fits;
}

// The dial request; false when a text does not fit its member (nothing is cut: a cut name or
// password would dial something else).
bool FillDialRequest(const DialParams& params, ras::DialParams& request) {
    return ras::PutIntoMember(params.entryName, request.szEntryName) &&
           ras::PutIntoMember(params.phoneNumber, request.szPhoneNumber) &&
           ras::PutIntoMember(params.callbackNumber, request.szCallbackNumber) &&
           ras::PutIntoMember(params.userName, request.szUserName) &&
           PutSecretIntoMember(params.password, request.szPassword) &&
           ras::PutIntoMember(params.domain, request.szDomain);
}

}  // namespace

Win32ConnectionSource::Win32ConnectionSource() {
    RegisterWindowClass(
        {.name = kProgressWindowClass, .procedure = &ProgressWindowProc, .cursor = nullptr});
    progressWindow_ = CreateWindowExW(0, kProgressWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, GetModuleHandleW(nullptr), this);
}

Win32ConnectionSource::~Win32ConnectionSource() {
    HWND mine = progressWindow_;
    gDialWindow.compare_exchange_strong(mine, nullptr);
    if (progressWindow_ != nullptr) {
        DestroyWindow(progressWindow_);
    }
}

// On a thread of the service: only hand the step over.
void WINAPI Win32ConnectionSource::DialProgressArrived(UINT /*message*/, DWORD state, DWORD error) {
    if (HWND window = gDialWindow.load()) {
        PostMessageW(window, kProgressMessage, state, static_cast<LPARAM>(error));
    }
}

LRESULT CALLBACK Win32ConnectionSource::ProgressWindowProc(HWND window, UINT message, WPARAM wParam,
                                                           LPARAM lParam) {
    auto* self = WindowOwner<Win32ConnectionSource>(window, message, lParam);
    if (message != kProgressMessage) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self != nullptr && self->dialProgress_) {
        // A copy: the handler may start the next dial, which replaces the member.
        const DialProgressHandler handler = self->dialProgress_;
        handler(DialProgress{static_cast<std::uint32_t>(wParam), static_cast<RasResult>(lParam)});
    }
    return 0;
}

RasResult Win32ConnectionSource::EnumConnections(std::vector<ActiveConnection>& connections) {
    auto records = SizedArray<ras::Connection>(kMaxConnections);
    DWORD bytes = static_cast<DWORD>(records.size() * sizeof(ras::Connection));
    DWORD count = 0;
    const RasResult result = Call(Api().enumConnections, records.data(), &bytes, &count);
    if (result != kRasSuccess) {
        return result;
    }
    connections.clear();
    for (std::size_t at = 0; at < Listed(count, records.size()); ++at) {
        const ras::Connection& record = records[at];
        connections.push_back({FromHandle(record.hrasconn), ras::MemberText(record.szEntryName),
                               ras::MemberText(record.szDeviceType),
                               ras::MemberText(record.szDeviceName)});
    }
    return kRasSuccess;
}

RasResult Win32ConnectionSource::GetConnectStatus(ConnectionHandle connection,
                                                  std::uint32_t& state) {
    auto status = SizedRecord<ras::ConnectionStatus>();
    const RasResult result = Call(Api().getConnectStatus, ToHandle(connection), &status);
    if (result == kRasSuccess) {
        state = status.rasconnstate;
    }
    return result;
}

RasResult Win32ConnectionSource::GetConnectionStatistics(ConnectionHandle connection,
                                                         ConnectionStatistics& statistics) {
    auto record = SizedRecord<ras::Statistics>();
    const RasResult result = Call(Api().getConnectionStatistics, ToHandle(connection), &record);
    if (result == kRasSuccess) {
        statistics = {
            record.dwBytesXmited,         record.dwBytesRcved, record.dwCompressionRatioIn,
            record.dwCompressionRatioOut, record.dwBps,        record.dwConnectDuration};
    }
    return result;
}

RasResult Win32ConnectionSource::GetProjectionInfo(ConnectionHandle connection,
                                                   IpProjection& projection) {
    auto record = SizedRecord<ras::PppIp>();
    DWORD bytes = sizeof record;
    RasResult result =
        Call(Api().getProjectionInfo, ToHandle(connection), ras::kProjectionPppIp, &record, &bytes);
    // The call can succeed while the IP projection itself failed.
    if (result == kRasSuccess && record.dwError != 0) {
        result = record.dwError;
    }
    if (result == kRasSuccess) {
        projection = {ras::MemberText(record.szIpAddress),
                      ras::MemberText(record.szServerIpAddress)};
    }
    return result;
}

RasResult Win32ConnectionSource::GetErrorString(RasResult code, std::size_t bufferChars,
                                                std::string& text) {
    if (bufferChars == 0) {
        return kRasInvalidParameter;
    }
    std::vector<char> buffer(bufferChars, '\0');
    const RasResult result =
        Call(Api().getErrorString, code, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (result == kRasSuccess) {
        text =
            orv::AnsiToUtf8(std::string_view(buffer.data(), strnlen(buffer.data(), bufferChars)));
    }
    return result;
}

RasResult Win32ConnectionSource::GetSystemErrorString(RasResult code, std::string& text) {
    // An HRESULT that wraps a Win32 code (0x8007xxxx) is looked up as that code when the system
    // has no message under the HRESULT itself.
    auto message = SystemMessage(code);
    if (!message && (code & 0xFFFF0000u) == 0x80070000u) {
        message = SystemMessage(code & 0xFFFFu);
    }
    if (!message) {
        return ERROR_MR_MID_NOT_FOUND;
    }
    text = std::move(*message);
    return kRasSuccess;
}

RasResult Win32ConnectionSource::Dial(const DialParams& params, DialProgressHandler progress,
                                      ConnectionHandle& connection) {
    auto request = SizedRecord<ras::DialParams>();
    const bool fits = FillDialRequest(params, request);
    if (!fits) {
        SecureZeroMemory(&request, sizeof request);
        return kRasInvalidParameter;
    }
    dialProgress_ = std::move(progress);
    gDialWindow.store(progressWindow_);
    HANDLE handle = nullptr;
    const RasResult result =
        Call(Api().dial, nullptr, nullptr, &request, 0,
             reinterpret_cast<void*>(&Win32ConnectionSource::DialProgressArrived), &handle);
    SecureZeroMemory(&request, sizeof request);
    connection = FromHandle(handle);
    return result;
}

RasResult Win32ConnectionSource::GetEntryDialParams(DialParams& params) {
    auto request = SizedRecord<ras::DialParams>();
    if (!ras::PutIntoMember(params.entryName, request.szEntryName)) {
        return kRasInvalidParameter;
    }
    BOOL passwordStored = FALSE;
    const RasResult result = Call(Api().getEntryDialParams, nullptr, &request, &passwordStored);
    if (result == kRasSuccess) {
        params.userName = ras::MemberText(request.szUserName);
        params.password = ras::MemberText(request.szPassword);
        params.domain = ras::MemberText(request.szDomain);
    }
    SecureZeroMemory(&request, sizeof request);
    return result;
}

RasResult Win32ConnectionSource::HangUp(ConnectionHandle connection) {
    return Call(Api().hangUp, ToHandle(connection));
}

RasResult Win32ConnectionSource::EnumEntries(std::vector<std::string>& entryNames) {
    // Room for kMaxEntries first; a longer phonebook says how many bytes it needs, and is listed
    // whole into a buffer of that size (a second try covers an entry added in between).
    std::size_t capacity = kMaxEntries;
    std::vector<ras::EntryName> records;
    DWORD count = 0;
    RasResult result = kRasBufferTooSmall;
    for (int attempt = 0; attempt < 3 && result == kRasBufferTooSmall; ++attempt) {
        records = SizedArray<ras::EntryName>(capacity);
        DWORD bytes = static_cast<DWORD>(records.size() * sizeof(ras::EntryName));
        count = 0;
        result = Call(Api().enumEntries, nullptr, nullptr, records.data(), &bytes, &count);
        capacity = std::max<std::size_t>(RecordsFor(bytes, sizeof(ras::EntryName)), count);
    }
    if (result != kRasSuccess) {
        return result;
    }
    entryNames.clear();
    for (std::size_t at = 0; at < Listed(count, records.size()); ++at) {
        entryNames.push_back(ras::MemberText(records[at].szEntryName));
    }
    return kRasSuccess;
}

RasResult Win32ConnectionSource::EnumDevices(std::vector<DeviceInfo>& devices) {
    // First with no buffer, to learn the size ("too small" is the expected answer). The byte
    // count is the documented result; the count alone is not relied on.
    DWORD bytes = 0;
    DWORD count = 0;
    RasResult result = Call(Api().enumDevices, nullptr, &bytes, &count);
    if (result != kRasSuccess && result != kRasBufferTooSmall) {
        return result;
    }
    auto records = SizedArray<ras::DeviceInfo>(
        std::max<std::size_t>(RecordsFor(bytes, sizeof(ras::DeviceInfo)), count));
    bytes = static_cast<DWORD>(records.size() * sizeof(ras::DeviceInfo));
    count = 0;
    if (!records.empty()) {
        result = Call(Api().enumDevices, records.data(), &bytes, &count);
    }
    if (result != kRasSuccess) {
        return result;
    }
    devices.clear();
    for (std::size_t at = 0; at < Listed(count, records.size()); ++at) {
        devices.push_back(
            {ras::MemberText(records[at].szDeviceName), ras::MemberText(records[at].szDeviceType)});
    }
    return kRasSuccess;
}

RasResult Win32ConnectionSource::CreatePhonebookEntry(NativeWindow owner) {
    const ModalTurn turn(static_cast<HWND>(owner));
    if (!turn.Taken()) {
        return kRasCancelled;
    }
    return Call(Api().createPhonebookEntry, static_cast<HWND>(owner), nullptr);
}

RasResult Win32ConnectionSource::EditPhonebookEntry(NativeWindow owner,
                                                    const std::string& entryName) {
    const ModalTurn turn(static_cast<HWND>(owner));
    if (!turn.Taken()) {
        return kRasCancelled;
    }
    return Call(Api().editPhonebookEntry, static_cast<HWND>(owner), nullptr,
                orv::Utf8ToAnsi(entryName).c_str());
}

RasResult Win32ConnectionSource::DeleteEntry(const std::string& entryName) {
    return Call(Api().deleteEntry, nullptr, orv::Utf8ToAnsi(entryName).c_str());
}

}  // namespace orv
