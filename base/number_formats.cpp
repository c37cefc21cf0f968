// Number texts: speeds with the user's decimal separator, and digit pictures.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/regional_formats.h"

namespace orv {
namespace {

// A whole number of any size (32-bit limbs, lowest first): enough arithmetic to compare a
// double with a decimal boundary exactly.
class BigWhole {
  public:
    explicit BigWhole(std::uint64_t value)
        : limbs_{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)} {}

    BigWhole& Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
        return *this;
    }
    BigWhole& ShiftLeft(int bits) {
        for (; bits >= 16; bits -= 16) {
            Multiply(1u << 16);
        }
        return Multiply(1u << bits);
    }
    BigWhole Times(std::uint32_t factor) const {
        BigWhole product = *this;
        return product.Multiply(factor);
    }

    friend int Compare(const BigWhole& a, const BigWhole& b) {
        const std::size_t size = std::max(a.limbs_.size(), b.limbs_.size());
        for (std::size_t i = size; i-- > 0;) {
            const std::uint32_t x = i < a.limbs_.size() ? a.limbs_[i] : 0;
            const std::uint32_t y = i < b.limbs_.size() ? b.limbs_[i] : 0;
            if (x != y) {
                return x < y ? -1 : 1;
            }
        }
        return 0;
    }

  private:
    std::vector<std::uint32_t> limbs_;
};

// The three significant digits of a magnitude (100 to 999, or 0) and its decimal exponent,
// after rounding to three digits: 1234 gives (123, 3), 0.0456 gives (456, -2). As "%.2e".
struct ThreeDigits {
    int digits = 0;
    int exponent = 0;
};

ThreeDigits RoundToThreeDigits(double magnitude) {
    if (magnitude == 0 || !std::isfinite(magnitude)) {
        return {};  // what no reading gives shows as no speed
    }
    // The estimate of the exponent can be one off near a power of ten; the rounded digits tell.
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    for (;;) {
        const auto digits = RoundedDecimal(magnitude, exponent - 2);
        if (digits >= 1000) {
            ++exponent;
        } else if (digits < 100) {
            --exponent;
        } else {
            return {static_cast<int>(digits), exponent};
        }
    }
}

}  // namespace

std::uint32_t RoundedDecimal(double value, int power) {
    // value = mantissa * 2^binary exactly; the quotient is numerator / denominator.
    int binary = 0;
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(std::frexp(value, &binary), 53));
    binary -= 53;
    BigWhole numerator(mantissa);
    BigWhole denominator(1);
    (binary > 0 ? numerator : denominator).ShiftLeft(std::abs(binary));
    // The whole part from the floating-point quotient, corrected by exact comparisons.
    double estimate = value;
    for (int i = 0; i < std::abs(power); ++i) {
        (power > 0 ? denominator : numerator).Multiply(10);
        estimate = power > 0 ? estimate / 10 : estimate * 10;
    }
    auto whole = estimate < 4e9 ? static_cast<std::uint32_t>(estimate) : 0;
    while (whole > 0 && Compare(denominator.Times(whole), numerator) > 0) {
        --whole;
    }
    while (Compare(denominator.Times(whole + 1), numerator) <= 0) {
        ++whole;
    }
    // Up from the half; exactly on it, to the even neighbour.
    const int half = Compare(numerator.Times(2), denominator.Times(2 * whole + 1));
    return half > 0 || (half == 0 && whole % 2 == 1) ? whole + 1 : whole;
}

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
            hundredths = RoundedDecimal(magnitude, -2);  // as "%.2f": 0 to 100
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
    const unsigned long long magnitude = value < 0 ? 0 - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    char text[24];
    const auto length =
        static_cast<int>(std::to_chars(text, text + sizeof text, magnitude).ptr - text);
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
