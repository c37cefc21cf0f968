#include "tools/rasemu/error_texts.h"

#include <string_view>
#include <utility>

namespace orv::rasemu {
namespace {

// The codes of the remote-access service (RASBASE to RASBASEEND); all others belong to
// Windows itself, and the service has no text for them.
constexpr std::uint32_t kFirstCode = 600;
constexpr std::uint32_t kLastCode = 999;

// Every text fits the dialer's 100-character buffer; a scenario adds longer ones.
constexpr std::pair<std::uint32_t, std::string_view> kTexts[] = {
    {603, "The buffer is too small."},
    {608, "The device does not exist."},
    {619, "The port was disconnected."},
    {621, "Cannot open the phone book file."},
    {623, "Cannot find the phone book entry."},
    {628, "The port was disconnected by the remote machine."},
    {629, "The connection was closed by the remote computer."},
    {631, "The port was disconnected by the user."},
    {632, "The structure size is incorrect."},
    {633, "The port is already in use or is not configured for Remote Access dialout."},
    {668, "The connection dropped."},
    {676, "The line is busy."},
    {678, "There is no answer."},
    {679, "Cannot detect carrier."},
    {680, "There is no dial tone."},
    {691, "Access denied because username and/or password is invalid on the domain."},
    {730, "The IP projection is not complete."},
    {731, "The protocol is not configured."},
};

}  // namespace

bool IsRemoteAccessError(std::uint32_t code) {
    return code >= kFirstCode && code <= kLastCode;
}

std::string ErrorText(std::uint32_t code) {
    for (const auto& [known, text] : kTexts) {
        if (known == code) {
            return std::string(text);
        }
    }
    return "Remote access error " + std::to_string(code) + ".";
}

}  // namespace orv::rasemu
