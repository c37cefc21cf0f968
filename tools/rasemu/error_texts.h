#pragma once
// The emulated service's texts for its error codes, worded as the service words them.

#include <cstdint>
#include <string>

namespace orv::rasemu {

// The text for code; a code without a text of its own gets a general one naming the code.
std::string ErrorText(std::uint32_t code);

}  // namespace orv::rasemu
