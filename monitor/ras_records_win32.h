#pragma once
// The remote-access service's records in their earliest (Windows 95) layout, which every
// version of the service accepts. MinGW's <ras.h> only has the newest layouts, so the program
// and the emulated service both use these.

#include <windows.h>

#include <cstddef>

// The service's headers pack its records to 4 bytes; on x86-64 that puts the 8-byte connection
// handle at offset 4, and the 64-bit service checks dwSize against the packed sizes.
#include <pshpack4.h>

namespace orv::ras {

// Member lengths without the terminating zero.
inline constexpr int kMaxEntryName = 256;
inline constexpr int kMaxDeviceType = 16;
inline constexpr int kMaxDeviceName = 128;
inline constexpr int kMaxPhoneNumber = 128;
inline constexpr int kMaxCallbackNumber = 128;
inline constexpr int kMaxUserName = 256;
inline constexpr int kMaxPassword = 256;
inline constexpr int kMaxDomain = 15;
inline constexpr int kMaxIpAddress = 15;

using Handle = HANDLE;  // HRASCONN

// The PPP IP projection asked of RasGetProjectionInfoA.
inline constexpr DWORD kProjectionPppIp = 0x8021;
// The message id a type-0 dial progress function receives.
inline constexpr UINT kDialEventMessage = 0xCCCD;

using DialFunction = void(WINAPI*)(UINT message, DWORD state, DWORD error);

struct Connection {  // RASCONNA
    DWORD dwSize;
    Handle hrasconn;
    char szEntryName[kMaxEntryName + 1];
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};

struct ConnectionStatus {  // RASCONNSTATUSA
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};

struct Statistics {  // RAS_STATS
    DWORD dwSize;
    DWORD dwBytesXmited;
    DWORD dwBytesRcved;
    DWORD dwFramesXmited;
    DWORD dwFramesRcved;
    DWORD dwCrcErr;
    DWORD dwTimeoutErr;
    DWORD dwAlignmentErr;
    DWORD dwHardwareOverrunErr;
    DWORD dwFramingErr;
    DWORD dwBufferOverrunErr;
    DWORD dwCompressionRatioIn;
    DWORD dwCompressionRatioOut;
    DWORD dwBps;
    DWORD dwConnectDuration;
};

struct PppIp {  // RASPPPIPA
    DWORD dwSize;
    DWORD dwError;
    char szIpAddress[kMaxIpAddress + 1];
    char szServerIpAddress[kMaxIpAddress + 1];
};

struct DialParams {  // RASDIALPARAMSA
    DWORD dwSize;
    char szEntryName[kMaxEntryName + 1];
    char szPhoneNumber[kMaxPhoneNumber + 1];
    char szCallbackNumber[kMaxCallbackNumber + 1];
    char szUserName[kMaxUserName + 1];
    char szPassword[kMaxPassword + 1];
    char szDomain[kMaxDomain + 1];
};

struct EntryName {  // RASENTRYNAMEA
    DWORD dwSize;
    char szEntryName[kMaxEntryName + 1];
};

struct DeviceInfo {  // RASDEVINFOA
    DWORD dwSize;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};

#ifdef _WIN64
static_assert(sizeof(Connection) == 416 && offsetof(Connection, hrasconn) == 4);
#else
static_assert(sizeof(Connection) == 412);
#endif
static_assert(sizeof(ConnectionStatus) == 160);
static_assert(sizeof(Statistics) == 60);
static_assert(sizeof(PppIp) == 40);
static_assert(sizeof(DialParams) == 1052);
static_assert(sizeof(EntryName) == 264);
static_assert(sizeof(DeviceInfo) == 152);

}  // namespace orv::ras

#include <poppack.h>
