#include "dialer/dial_state_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orv {
namespace {

constexpr std::array<std::pair<std::uint32_t, std::string_view>, 28> kStateTexts{{
    {0, "Open Port"},
    {1, "Port Opened"},
    {2, "Connect Device"},
    {3, "Device Connected"},
    {4, "All Devices Connected"},
    {5, "Authenticate"},
    {6, "Auth Notify"},
    {7, "Auth Retry"},
    {8, "Auth Callback"},
    {9, "Auth Change Password"},
    {10, "Auth Project"},
    {11, "Auth Link Speed"},
    {12, "Auth Ack"},
    {13, "ReAuthenticate"},
    {14, "Authenticated"},
    {15, "Prepare For Callback"},
    {16, "Wait For Modem Reset"},
    {17, "Wait For Callback"},
    {18, "Projected"},
    {19, "Start Authentication"},
    {20, "Callback Complete"},
    {21, "Logon Network"},
    {0x1000, "Interactive"},
    {0x1001, "Retry Authentication"},
    {0x1002, "Callback Set By Caller"},
    {0x1003, "Password Expired"},
    {0x2000, "Connected"},
    {0x2001, "Disconnected"},
}};

constexpr RasResult kInvalidHandle = 6;           // ERROR_INVALID_HANDLE
constexpr RasResult kInvalidParameter = 87;       // ERROR_INVALID_PARAMETER
constexpr RasResult kBufferTooSmall = 603;        // ERROR_BUFFER_TOO_SMALL
constexpr RasResult kBufferInvalid = 610;         // ERROR_BUFFER_INVALID
constexpr RasResult kPortNotFound = 615;          // ERROR_PORT_NOT_FOUND
constexpr RasResult kEntryNotFound = 623;         // ERROR_CANNOT_FIND_PHONEBOOK_ENTRY
constexpr RasResult kInvalidSize = 632;           // ERROR_INVALID_SIZE
constexpr RasResult kAuthenticationFailed = 691;  // ERROR_AUTHENTICATION_FAILURE

// Errors no new attempt can cure. A refused password is among them: dialing it again and again
// only risks the account being locked.
constexpr std::array kIncurable{kInvalidHandle, kInvalidParameter,    kBufferTooSmall,
                                kBufferInvalid, kPortNotFound,        kEntryNotFound,
                                kInvalidSize,   kAuthenticationFailed};

}  // namespace

std::string_view DialStateName(std::uint32_t state) {
    const auto found = std::find_if(kStateTexts.begin(), kStateTexts.end(),
                                    [state](const auto& entry) { return entry.first == state; });
    return found == kStateTexts.end() ? std::string_view() : found->second;
}

bool RedialCures(RasResult error) {
    if (error == kRasSuccess || error == kRasUserDisconnection || error == kRasUserHungUp) {
        return false;
    }
    return std::find(kIncurable.begin(), kIncurable.end(), error) == kIncurable.end();
}

}  // namespace orv
