#include "app/settings_encoding.h"

#include <charconv>

namespace orv {

std::optional<std::int32_t> ParseDecimalInt32(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

bool DecodeFlag(std::optional<std::string_view> stored, bool fallback) {
    const auto number = stored ? ParseDecimalInt32(*stored) : std::nullopt;
    return number ? *number != 0 : fallback;
}

std::string EncodeFlag(bool on) {
    return on ? "1" : "0";
}

std::int32_t DecodeInteger(std::optional<std::string_view> stored, std::int32_t fallback) {
    const auto number = stored ? ParseDecimalInt32(*stored) : std::nullopt;
    return number.value_or(fallback);
}

std::string EncodeInteger(std::int32_t value) {
    return std::to_string(value);
}

std::uint32_t DecodeColour(std::optional<std::string_view> stored, std::uint32_t fallback) {
    const auto number = stored ? ParseDecimalInt32(*stored) : std::nullopt;
    return number ? static_cast<std::uint32_t>(*number) : fallback;
}

std::string EncodeColour(std::uint32_t colour) {
    return EncodeInteger(static_cast<std::int32_t>(colour));
}

}  // namespace orv
