#pragma once
// Every layout the remote-access service published for the records the emulated service reads
// and writes. The real service takes the record of whichever version its caller was built for
// (dwSize tells which) and fills each record at that size; a size no version published is
// refused with 632. Every later layout starts with the members of the earlier ones at the same
// offsets, so the emulated service fills the members of the earliest layout (ras::*) and leaves
// the later ones zero.
//
// The 32-bit sizes are the published ones. For x86-64 the layouts keep the alignment of the
// program's own records (monitor/ras_records_win32.h).

#include <windows.h>

#include <algorithm>
#include <array>

#include "monitor/ras_records_win32.h"

namespace orv::rasemu::layouts {

// RASCONNA: Windows 95; NT 4 added the phonebook and sub-entry; 2000 the entry's GUID; XP the
// flags and the logon session; Vista the correlation GUID.
#define ORV_RASCONN_95                          \
    DWORD dwSize;                               \
    HANDLE hrasconn;                            \
    char szEntryName[ras::kMaxEntryName + 1];   \
    char szDeviceType[ras::kMaxDeviceType + 1]; \
    char szDeviceName[ras::kMaxDeviceName + 1];
#define ORV_RASCONN_NT4         \
    ORV_RASCONN_95              \
    char szPhonebook[MAX_PATH]; \
    DWORD dwSubEntry;
struct ConnectionNt4 {
    ORV_RASCONN_NT4
};
struct Connection2000 {
    ORV_RASCONN_NT4
    GUID guidEntry;
};
struct ConnectionXp {
    ORV_RASCONN_NT4
    GUID guidEntry;
    DWORD dwFlags;
    LUID luid;
};
struct ConnectionVista {
    ORV_RASCONN_NT4
    GUID guidEntry;
    DWORD dwFlags;
    LUID luid;
    GUID guidCorrelationId;
};
#undef ORV_RASCONN_NT4
#undef ORV_RASCONN_95

// RASCONNSTATUSA: NT 4 SP (0x401) added the phone number; Vista the tunnel end points and the
// sub-state.
struct TunnelEndPoint {  // RASTUNNELENDPOINT: a type and an IPv4 or IPv6 address
    DWORD dwType;
    BYTE address[16];
};
struct ConnectionStatusNt4 {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    char szDeviceType[ras::kMaxDeviceType + 1];
    char szDeviceName[ras::kMaxDeviceName + 1];
    char szPhoneNumber[ras::kMaxPhoneNumber + 1];
};
struct ConnectionStatusVista {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    char szDeviceType[ras::kMaxDeviceType + 1];
    char szDeviceName[ras::kMaxDeviceName + 1];
    char szPhoneNumber[ras::kMaxPhoneNumber + 1];
    TunnelEndPoint localEndPoint;
    TunnelEndPoint remoteEndPoint;
    DWORD rasconnsubstate;
};

// RASPPPIPA: NT 3.5 had no server address; 2000 added the options.
struct PppIpNt35 {
    DWORD dwSize;
    DWORD dwError;
    char szIpAddress[ras::kMaxIpAddress + 1];
};
struct PppIp2000 {
    DWORD dwSize;
    DWORD dwError;
    char szIpAddress[ras::kMaxIpAddress + 1];
    char szServerIpAddress[ras::kMaxIpAddress + 1];
    DWORD dwOptions;
    DWORD dwServerOptions;
};

// RASDIALPARAMSA: NT 4 SP (0x401) added the sub-entry and callback id; Windows 7 the interface
// index; Windows 8 the encrypted password.
#define ORV_RASDIALPARAMS_401                           \
    DWORD dwSize;                                       \
    char szEntryName[ras::kMaxEntryName + 1];           \
    char szPhoneNumber[ras::kMaxPhoneNumber + 1];       \
    char szCallbackNumber[ras::kMaxCallbackNumber + 1]; \
    char szUserName[ras::kMaxUserName + 1];             \
    char szPassword[ras::kMaxPassword + 1];             \
    char szDomain[ras::kMaxDomain + 1];                 \
    DWORD dwSubEntry;                                   \
    ULONG_PTR dwCallbackId;
struct DialParamsNt4 {
    ORV_RASDIALPARAMS_401
};
struct DialParams7 {
    ORV_RASDIALPARAMS_401
    DWORD dwIfIndex;
};
struct DialParams8 {
    ORV_RASDIALPARAMS_401
    DWORD dwIfIndex;
    char* szEncPassword;
};
#undef ORV_RASDIALPARAMS_401

// RASENTRYNAMEA: 2000 added the flags and the phonebook path.
struct EntryName2000 {
    DWORD dwSize;
    char szEntryName[ras::kMaxEntryName + 1];
    DWORD dwFlags;
    char szPhonebookPath[MAX_PATH + 1];
};

// The sizes each record was published in, earliest first. RAS_STATS and RASDEVINFOA have only
// ever had one.
template <typename... Records>
constexpr std::array<DWORD, sizeof...(Records)> SizesOf() {
    return {static_cast<DWORD>(sizeof(Records))...};
}

inline constexpr auto kConnection =
    SizesOf<ras::Connection, ConnectionNt4, Connection2000, ConnectionXp, ConnectionVista>();
inline constexpr auto kConnectionStatus =
    SizesOf<ras::ConnectionStatus, ConnectionStatusNt4, ConnectionStatusVista>();
inline constexpr auto kStatistics = SizesOf<ras::Statistics>();
inline constexpr auto kPppIp = SizesOf<PppIpNt35, ras::PppIp, PppIp2000>();
inline constexpr auto kDialParams =
    SizesOf<ras::DialParams, DialParamsNt4, DialParams7, DialParams8>();
inline constexpr auto kEntryName = SizesOf<ras::EntryName, EntryName2000>();
inline constexpr auto kDeviceInfo = SizesOf<ras::DeviceInfo>();

template <std::size_t N>
constexpr bool Accepts(const std::array<DWORD, N>& published, DWORD size) {
    return std::find(published.begin(), published.end(), size) != published.end();
}

#ifndef _WIN64
static_assert(sizeof(ConnectionNt4) == 676 && sizeof(Connection2000) == 692 &&
              sizeof(ConnectionXp) == 704 && sizeof(ConnectionVista) == 720);
static_assert(sizeof(ConnectionStatusNt4) == 288 && sizeof(ConnectionStatusVista) == 332);
static_assert(sizeof(PppIpNt35) == 24 && sizeof(PppIp2000) == 48);
static_assert(sizeof(DialParamsNt4) == 1060 && sizeof(DialParams7) == 1064 &&
              sizeof(DialParams8) == 1068);
static_assert(sizeof(EntryName2000) == 532);
#endif

}  // namespace orv::rasemu::layouts
