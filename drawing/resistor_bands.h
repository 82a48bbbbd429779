#pragma once
// The resistor's colour bands and the readout beside it. applyBandColours is the one operation
// through which bands change: it paints the bands it is given over the resistor picture,
// records what each means in the band readings, and rewrites the readout from all the slots.

#include "colourcode/band_readings.h"
#include "drawing/drawing_surface.h"

namespace drawing {

using colourcode::BandCount;
using colourcode::BandReadings;

// Canvas rectangle as left, top, right, bottom (right and bottom exclusive).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Where the resistor picture is drawn, as left, top, width, height.
struct ResistorFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ResistorFrame&, const ResistorFrame&) = default;
};

// The rectangle painted for band `position` (1..5) of a resistor in `frame`: 8 x 39 pixels.
// Band 5 sits 6 pixels right of band 4's four-band place, whatever the band count.
Rect paintedBandRect(const ResistorFrame& frame, BandCount bandCount, int position);

// The left edge of both readout lines: 235 pixels right of the frame's left edge.
int readoutLeft(const ResistorFrame& frame);

// Paints each band whose colour is not 0 and records it; a colour of 0 leaves that band's
// paint and slot alone. Then clears the readout area (x, 20, 1000 x 80) and writes the value
// text at (x, 20) in size 24 (nothing above the value limit) and the tolerance line at
// (x, 60) in size 18, both in "微软雅黑". Leaves the surface's settings as it last set them.
void applyBandColours(DrawingSurface& surface, const ResistorFrame& frame, BandReadings& readings,
                      BandCount bandCount, Colour colour1, Colour colour2, Colour colour3,
                      Colour colour4, Colour colour5);

// The face of the readout and the chart.
inline constexpr std::string_view readoutFontName = "微软雅黑";

} // namespace drawing
