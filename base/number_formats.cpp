// Number texts: speeds with the user's decimal separator, and digit pictures.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/regional_formats.h"

namespace orv {
namespace {

// The three significant digits of a magnitude (100 to 999, or 0) and its decimal exponent,
// after rounding to three digits: 1234 gives (123, 3), 0.0456 gives (456, -2).
struct ThreeDigits {
    int digits = 0;
    int exponent = 0;
};

ThreeDigits RoundToThreeDigits(double magnitude) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2e", magnitude);  // "d.dde+XX"
    return {(text[0] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0'), std::atoi(text + 5)};
}

}  // namespace

std::string FormatSpeed(double kilobytesPerSecond, const RegionalFormats& formats) {
    const double magnitude = std::fabs(kilobytesPerSecond);
    const ThreeDigits rounded = RoundToThreeDigits(magnitude);
    std::string text;
    if (rounded.exponent >= 3) {
        const std::string digits = std::to_string(rounded.digits);
        text = digits.substr(0, 1) + formats.decimalSeparator + digits.substr(1) + "E+";
        AppendZeroPadded(text, rounded.exponent, 2);
    } else {
        // Whole hundredths: below 1 the two decimals are the coarser rounding, from 1 on the
        // three significant digits are.
        long long hundredths = 0;
        if (rounded.exponent >= 0) {
            hundredths = rounded.digits;
            for (int i = 0; i < rounded.exponent; ++i) {
                hundredths *= 10;
            }
        } else {
            char fixed[48];
            std::snprintf(fixed, sizeof fixed, "%.2f", magnitude);  // "I.FF", I is 0 or 1
            hundredths = (fixed[0] - '0') * 100 + (fixed[2] - '0') * 10 + (fixed[3] - '0');
        }
        text = std::to_string(hundredths / 100) + formats.decimalSeparator;
        AppendZeroPadded(text, hundredths % 100, 2);
        if (hundredths == 0) {
            return text;  // no minus before a figure that shows as zero
        }
    }
    return kilobytesPerSecond < 0 ? "-" + text : text;
}

void AppendDecimal(std::string& out, long long value, int digits) {
    const unsigned long long magnitude =
        value < 0 ? 0 - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char text[24];
    const auto length = static_cast<int>(std::to_chars(text, text + sizeof text, magnitude).ptr - text);
    if (value < 0) {
        out += '-';
    }
    if (length < digits) {
        out.append(static_cast<std::size_t>(digits - length), '0');
    }
    out.append(text, static_cast<std::size_t>(length));
}

std::string FormatDigitPicture(std::uint64_t value, std::string_view picture) {
    std::string digits = value == 0 ? std::string() : std::to_string(value);
    std::string reversed;
    for (auto it = picture.rbegin(); it != picture.rend(); ++it) {
        if (*it != '#') {
            reversed += *it;
        } else if (!digits.empty()) {
            reversed += digits.back();
            digits.pop_back();
        }
    }
    return digits + std::string(reversed.rbegin(), reversed.rend());
}

std::string FormatTrafficKilobytes(std::uint64_t bytes) {
    return FormatDigitPicture((bytes + 512) / 1024, "### ###");
}

}  // namespace orv
