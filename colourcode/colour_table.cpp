#include "colourcode/colour_table.h"

#include <cassert>

namespace colourcode {

const ColourCode& codeByIndex(int index) {
    assert(index >= 1 && index <= static_cast<int>(colourTable.size()));
    return colourTable[static_cast<std::size_t>(index - 1)];
}

std::optional<ColourCode> codeByColour(Colour colour) {
    for (const ColourCode& code : colourTable) {
        if (code.colour == colour) {
            return code;
        }
    }
    return std::nullopt;
}

bool swatchOffered(BandCount bandCount, int position, int index) {
    const int tolerancePosition = bandCount == 4 ? 4 : 5;
    const bool digitPosition = position <= tolerancePosition - 2;
    const int black = 1, orange = 4, yellow = 5, white = 10, gold = 11, silver = 12;

    if (index == black) {
        // Its digit 0 is never offered first, so no reading starts with a zero.
        return position != 1 && position != tolerancePosition;
    }
    if (index == orange || index == yellow || index == white) {
        return position != tolerancePosition;
    }
    if (index == gold || index == silver) {
        return !digitPosition;
    }
    return true;
}

} // namespace colourcode
