#pragma once
// What each painted band contributes to the reading, and the two readout lines built from
// all of them: the resistance text ("4.7K", "22Ω") and the tolerance line ("精度：正负5%").

#include "colourcode/colour_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace colourcode {

// Slot k (readings[k - 1]) holds what band position k last recorded: a digit, a multiplier
// or a tolerance text, or stays empty until first written. Slots are never cleared; with
// four bands slot 5 is neither read nor written.
using BandReadings = std::array<std::string, 5>;

// Stores in slot `position` what `colour` means there. A colour with no meaning at the
// position (or position 5 with four bands) leaves the readings unchanged.
void recordBandReading(BandReadings& readings, BandCount bandCount, int position, Colour colour);

// The resistance text of the recorded bands, or none when it is above 99 000 000 000 Ω.
std::optional<std::string> readoutValueText(BandCount bandCount, const BandReadings& readings);

// "精度：" followed by the tolerance slot (nothing more while it is empty).
std::string readoutToleranceText(BandCount bandCount, const BandReadings& readings);

// Integers in plain decimal; reals as "%.13g" would write them. Neither depends on the locale.
std::string numberText(std::int64_t value);
std::string numberText(double value);

// A text read as a number the way the readout reads digit texts: leading white space, an
// optional sign, then the leading digits (or decimal number); an empty text reads as 0.
std::int64_t readInteger(std::string_view text);
double readNumber(std::string_view text);

} // namespace colourcode
