#pragma once
// The whole canvas view: the resistor with its bands and readout above, the colour chart
// below, and the handling of a click on a chart swatch.
//
// Data flow: renderView(bandCount) clears the canvas, draws the resistor picture into the
// ResistorFrame, paints the mode's default bands (applyBandColours), rebuilds the ChartGrid and
// draws the chart, recording each swatch's rectangle in its ChartCell. A click is looked up in
// the grid (findChartCell) and paints that one band through applyBandColours.

#include "drawing/resistor_bands.h"

#include <functional>
#include <optional>
#include <vector>

namespace drawing {

// One cell of the chart: a band position and a colour row.
struct ChartCell {
    Rect rect;           // the swatch; all zeros while the cell has none
    Colour colour = 0;   // the row's colour once the chart is drawn; 0 in an empty cell
    int colourIndex = 0; // the row, 1..12, once a swatch is drawn; 0 otherwise
    friend bool operator==(const ChartCell&, const ChartCell&) = default;
};

// bandCount x 12 cells; band positions 1..bandCount, colour rows 1..12.
struct ChartGrid {
    explicit ChartGrid(BandCount bands = 4) : bandCount(bands), cells(std::size_t(bands) * 12) {}
    ChartCell& cell(int position, int row) {
        return cells[std::size_t((position - 1) * 12 + row - 1)];
    }
    const ChartCell& cell(int position, int row) const {
        return cells[std::size_t((position - 1) * 12 + row - 1)];
    }
    friend bool operator==(const ChartGrid&, const ChartGrid&) = default;

    BandCount bandCount;
    std::vector<ChartCell> cells;
};

// The program-wide state the view draws from and into. Created once at start-up.
struct ViewState {
    ChartGrid chartGrid;         // 4 x 12 empty cells until the first renderView
    ResistorFrame resistorFrame; // all zero until the first renderView
    BandReadings bandReadings;   // five empty slots
    PictureHandle picture = 0;   // the resistor picture the view last drew
};

// Answers whether the four-band mode is selected. The band count of a click and the layout of
// the chart's frame are read from it, not from the grid.
using FourBandQuery = std::function<bool()>;

// What the view draws on and with; the window owns all three.
struct Canvas {
    DrawingSurface& surface;
    ViewState& state;
    FourBandQuery fourBandsSelected;
};

// Clears the canvas and draws the whole view for 4 or 5 bands with the mode's default bands.
void renderView(Canvas& canvas, BandCount bandCount);

// The chart's frame, header band, column lines and header texts; the frame's top-left corner is
// 70 pixels left of and 20 above (left, top). Four-band layout while that mode is selected.
void drawChartFrame(Canvas& canvas, int left, int top);

struct ChartHit {
    int position; // band position 1..bandCount
    ChartCell cell;
};

// The cell whose swatch strictly contains (x, y): edges belong to no cell, empty cells never
// match. Only band positions the grid has are visited.
std::optional<ChartHit> findChartCell(const ChartGrid& grid, int x, int y, BandCount bandCount);

// A left-button release at (x, y): over a swatch, paints that one band in its colour and
// rewrites the readout; anywhere else, nothing.
void handleChartClick(Canvas& canvas, int x, int y);

} // namespace drawing
