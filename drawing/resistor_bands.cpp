#include "drawing/resistor_bands.h"

namespace drawing {

namespace {

constexpr int bandWidth = 8;
constexpr int bandHeight = 39;

// Four-band places; each follows from the unmoved one before it.
Rect baseBandRect(const ResistorFrame& frame, int position) {
    constexpr int offsets[] = {70, 85, 100, 125};
    const int left = frame.left + offsets[position - 1];
    const int top = frame.top + 15;
    return {left, top, left + bandWidth, top + bandHeight};
}

Rect movedRight(Rect rect, int dx) {
    return {rect.left + dx, rect.top, rect.right + dx, rect.bottom};
}

} // namespace

Rect paintedBandRect(const ResistorFrame& frame, BandCount bandCount, int position) {
    if (position == 5) {
        return movedRight(baseBandRect(frame, 4), 6);
    }
    // The five-band resistor squeezes bands 2 to 4 left to make room for the fifth.
    constexpr int fiveBandShift[] = {0, 2, 3, 14};
    const int shift = bandCount == 4 ? 0 : fiveBandShift[position - 1];
    return movedRight(baseBandRect(frame, position), -shift);
}

int readoutLeft(const ResistorFrame& frame) {
    return baseBandRect(frame, 4).left + 110;
}

void applyBandColours(DrawingSurface& surface, const ResistorFrame& frame, BandReadings& readings,
                      BandCount bandCount, Colour colour1, Colour colour2, Colour colour3,
                      Colour colour4, Colour colour5) {
    const Colour colours[] = {colour1, colour2, colour3, colour4, colour5};
    for (int position = 1; position <= 5; ++position) {
        const Colour colour = colours[position - 1];
        // Bands 1 to 4 take the pen and brush even when not given; band 5 only when given.
        if (position < 5 || colour != 0) {
            surface.setBrushColour(colour);
            surface.setPenColour(colour);
        }
        if (colour != 0) {
            const Rect band = paintedBandRect(frame, bandCount, position);
            surface.drawRectangle(band.left, band.top, band.right, band.bottom);
            colourcode::recordBandReading(readings, bandCount, position, colour);
        }
    }

    surface.setFontSize(24);
    surface.setFontName(readoutFontName);
    const std::optional<std::string> value = colourcode::readoutValueText(bandCount, readings);
    const int x = readoutLeft(frame);
    surface.clearArea(x, 20, 1000, 80);
    if (value) {
        surface.writeText(x, 20, *value);
    }
    surface.setFontSize(18);
    surface.writeText(x, 60, colourcode::readoutToleranceText(bandCount, readings));
}

} // namespace drawing
