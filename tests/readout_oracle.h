#pragma once
// An independent reckoning of what the readout must say for a set of band colours: the value
// is digits x 10^exponent in exact integer arithmetic, written as exact decimals; nothing of
// the program's own text assembly or number formatting is used.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace oracle {

// Band colours as chart rows 1..12 (black, brown, red, orange, yellow, green, blue, violet,
// grey, white, gold, silver).
inline int digitOf(int row) {
    return row - 1;
} // rows 1..10
inline int exponentOf(int row) {
    return row <= 10 ? row - 1 : 10 - row;
} // gold -1, silver -2
// Tolerance in hundredths of a percent; 0 where the colour has none.
inline int toleranceOf(int row) {
    constexpr int hundredths[13] = {0, 0, 100, 200, 0, 0, 50, 25, 10, 5, 0, 500, 1000};
    return hundredths[row];
}

// n / 10^places as the shortest exact decimal text.
inline std::string decimal(std::int64_t n, int places) {
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i) {
        scale *= 10;
    }
    std::string text = std::to_string(n / scale);
    std::string fraction = std::to_string(n % scale + scale).substr(1); // zero-padded
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction.empty() ? text : text + "." + fraction;
}

// rows: band 1 first, one per band (4 or 5), as the chart offers them.
inline std::optional<std::string> valueText(const std::vector<int>& rows) {
    const std::size_t digits = rows.size() - 2;
    std::int64_t d = 0;
    for (std::size_t k = 0; k < digits; ++k) {
        d = d * 10 + digitOf(rows[k]);
    }
    const int exponent = exponentOf(rows[digits]);
    if (exponent < 0) {
        return decimal(d, -exponent) + "Ω";
    }
    std::int64_t v = d;
    for (int i = 0; i < exponent; ++i) {
        v *= 10;
    }
    if (v < 1'000) {
        return decimal(v, 0) + "Ω";
    }
    if (v < 1'000'000) {
        return decimal(v, 3) + "K";
    }
    if (v <= 99'000'000'000) {
        return decimal(v, 6) + "M";
    }
    return std::nullopt;
}

inline std::string toleranceLine(const std::vector<int>& rows) {
    return "精度：正负" + decimal(toleranceOf(rows.back()), 2) + "%";
}

} // namespace oracle
