#pragma once
// Overwrites a text before its memory is given back, so that a password does not linger in
// freed memory. The volatile writes cannot be dropped as dead stores.

#include <string>

namespace orv {

template <typename Char>
void WipeText(std::basic_string<Char>& text) noexcept {
    volatile Char* at = text.data();
    for (std::size_t index = 0; index < text.size(); ++index) {
        at[index] = Char{};
    }
    text.clear();
}

}  // namespace orv
