#include "colourcode/band_readings.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace colourcode {

namespace {

constexpr std::int64_t upperLimit = 99'000'000'000; // white, white, white with four bands

int tolerancePosition(BandCount bandCount) {
    return bandCount == 4 ? 4 : 5;
}
int multiplierPosition(BandCount bandCount) {
    return tolerancePosition(bandCount) - 1;
}

std::string_view skipSpaceAndPlus(std::string_view text) {
    const auto start = text.find_first_not_of(" \t\n\v\f\r");
    text.remove_prefix(start == std::string_view::npos ? text.size() : start);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return {}; // "+-" starts no number
        }
    }
    return text;
}

} // namespace

std::int64_t readInteger(std::string_view text) {
    text = skipSpaceAndPlus(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Saturate as strtoll does rather than leave an arbitrary value.
        return !text.empty() && text.front() == '-' ? std::numeric_limits<std::int64_t>::min()
                                                    : std::numeric_limits<std::int64_t>::max();
    }
    return error == std::errc() ? value : 0;
}

double readNumber(std::string_view text) {
    text = skipSpaceAndPlus(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0.0;
}

std::string numberText(std::int64_t value) {
    return std::to_string(value);
}

std::string numberText(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

void recordBandReading(BandReadings& readings, BandCount bandCount, int position, Colour colour) {
    const auto code = codeByColour(colour);
    const int tolerance = tolerancePosition(bandCount);
    if (!code || position < 1 || position > tolerance) {
        return;
    }
    std::optional<std::string_view> meaning;
    if (position == tolerance) {
        meaning = code->tolerance;
    } else if (position == tolerance - 1) {
        meaning = code->multiplier;
    } else {
        meaning = code->digit;
    }
    if (meaning) {
        readings[static_cast<std::size_t>(position - 1)] = *meaning;
    }
}

std::optional<std::string> readoutValueText(BandCount bandCount, const BandReadings& readings) {
    const int multiplier = multiplierPosition(bandCount);
    std::string digits;
    for (int k = 1; k < multiplier; ++k) {
        digits += readings[static_cast<std::size_t>(k - 1)];
    }
    const std::string& m = readings[static_cast<std::size_t>(multiplier - 1)];

    if (m == "-10" || m == "-100") {
        // Gold and silver scale by 0.1 and 0.01: always shown in ohms, even when whole.
        const double value = readNumber(digits) / (m == "-10" ? 10.0 : 100.0);
        return numberText(value) + "Ω";
    }
    const std::int64_t value = readInteger(m == "-1" ? digits : digits + m);
    if (value >= 0 && value < 1'000) {
        return numberText(value) + "Ω";
    }
    if (value >= 1'000 && value < 1'000'000) {
        return numberText(static_cast<double>(value) / 1e3) + "K";
    }
    if (value >= 1'000'000 && value <= upperLimit) {
        return numberText(static_cast<double>(value) / 1e6) + "M";
    }
    return std::nullopt;
}

std::string readoutToleranceText(BandCount bandCount, const BandReadings& readings) {
    return "精度：" + readings[static_cast<std::size_t>(tolerancePosition(bandCount) - 1)];
}

} // namespace colourcode
