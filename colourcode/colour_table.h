#pragma once
// The resistor colour code: the twelve band colours, what each means as a digit, a
// multiplier and a tolerance, and where the colour chart offers it. Constant data, no state.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace colourcode {

// A 24-bit colour packed as 0x00BBGGRR, red in the low byte. 0 is never a band colour:
// it stands for "no colour given", which is why black is 0x000001.
using Colour = std::uint32_t;

// The reading mode, 4 or 5 bands. Positions 1..n-2 are digits, n-1 the multiplier, n the
// tolerance. Code that branches on it treats 4 as four bands and anything else as five.
using BandCount = int;

struct ColourCode {
    int index;                             // 1..12, the row in the chart
    std::string_view chartName;            // name with a full-width colon, as the chart shows it
    Colour colour;                         // the paint of bands and swatches
    std::optional<std::string_view> digit; // none for gold and silver
    std::string_view multiplier;           // run of zeros, or the markers "-1", "-10", "-100"
    std::optional<std::string_view> tolerance; // none for black, orange, yellow and white
};

using ColourTable = std::array<ColourCode, 12>;

// Meanings are texts: a reading is assembled by joining and appending them.
inline constexpr ColourTable colourTable = {{
    {1, "黑：", 0x000001, "0", "-1", std::nullopt},
    {2, "棕：", 0x000080, "1", "0", "正负1%"},
    {3, "红：", 0x0000FF, "2", "00", "正负2%"},
    {4, "橙：", 0x0080FF, "3", "000", std::nullopt},
    {5, "黄：", 0x00FFFF, "4", "0000", std::nullopt},
    {6, "绿：", 0x00FF00, "5", "00000", "正负0.5%"},
    {7, "蓝：", 0xFF0000, "6", "000000", "正负0.25%"},
    {8, "紫：", 0xFF0090, "7", "0000000", "正负0.1%"},
    {9, "灰：", 0x808080, "8", "00000000", "正负0.05%"},
    {10, "白：", 0xFFFFFF, "9", "000000000", std::nullopt},
    {11, "金：", 0x60D8FB, std::nullopt, "-10", "正负5%"},
    {12, "银：", 0xC8C8C8, std::nullopt, "-100", "正负10%"},
}};

// The entry of chart row `index`, 1..12. Any other index is a programming error (asserted).
const ColourCode& codeByIndex(int index);

// The entry painted in `colour`, or none for any other value (0 included).
std::optional<ColourCode> codeByColour(Colour colour);

// Whether the chart draws a swatch for colour row `index` at band `position` (1..bandCount).
bool swatchOffered(BandCount bandCount, int position, int index);

} // namespace colourcode
