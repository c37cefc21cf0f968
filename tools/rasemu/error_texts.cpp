#include "tools/rasemu/error_texts.h"

#include <string_view>
#include <utility>

namespace orv::rasemu {
namespace {

// Every text fits the dialer's 100-character buffer.
constexpr std::pair<std::uint32_t, std::string_view> kTexts[] = {
    {6, "The handle is invalid."},
    {87, "The parameter is incorrect."},
    {603, "The buffer is too small."},
    {608, "The device does not exist."},
    {619, "The port was disconnected."},
    {621, "Cannot open the phone book file."},
    {623, "Cannot find the phone book entry."},
    {628, "The port was disconnected by the remote machine."},
    {631, "The port was disconnected by the user."},
    {632, "The structure size is incorrect."},
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

std::string ErrorText(std::uint32_t code) {
    for (const auto& [known, text] : kTexts) {
        if (known == code) {
            return std::string(text);
        }
    }
    return "Remote access error " + std::to_string(code) + ".";
}

}  // namespace orv::rasemu
