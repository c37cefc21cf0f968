#pragma once
// The emulated service's texts for its error codes, worded as the service words them.

#include <cstdint>
#include <string>

namespace orv::rasemu {

// Whether code is one of the service's own (600 to 999), which are the codes it has texts for.
bool IsRemoteAccessError(std::uint32_t code);

// The text for a remote-access code; a code without a text of its own gets a general one naming the
// code.
std::string ErrorText(std::uint32_t code);

}  // namespace orv::rasemu
