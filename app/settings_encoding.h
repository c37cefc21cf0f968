#pragma once
// How settings are written as registry texts: every value is a string, whatever its logical
// type, and anything that does not parse falls back to the value's default.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// A decimal integer with an optional sign that fits in 32 signed bits; nothing else parses.
std::optional<std::int32_t> ParseDecimalInt32(std::string_view text);

// Flags are stored as "1"/"0"; any non-zero number reads as on.
bool DecodeFlag(std::optional<std::string_view> stored, bool fallback);
std::string EncodeFlag(bool on);

std::int32_t DecodeInteger(std::optional<std::string_view> stored, std::int32_t fallback);
std::string EncodeInteger(std::int32_t value);

// Colours keep their 32 bits and are written as the signed number (0xFF000001 -> "-16777215").
std::uint32_t DecodeColour(std::optional<std::string_view> stored, std::uint32_t fallback);
std::string EncodeColour(std::uint32_t colour);

}  // namespace orv
