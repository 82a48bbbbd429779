#include "drawing/colour_chart.h"

#include "drawing/resistor_picture.h"

namespace drawing {

namespace {

constexpr Colour chartGrey = 0x808080;
constexpr Colour headerFill = 0xECECEC;
constexpr int chartLeft = 80, chartTop = 130;
constexpr int swatchWidth = 60, swatchHeight = 20;

int swatchLeft(int position) {
    return chartLeft + 130 * (position - 1);
}
int swatchTop(int row) {
    return chartTop + 25 * row;
}

bool fourBandsSelected(const Canvas& canvas) {
    return canvas.fourBandsSelected && canvas.fourBandsSelected();
}

void applyDefaultBands(Canvas& canvas, BandCount bandCount) {
    constexpr Colour brown = 0x000080, black = 0x000001, red = 0x0000FF, silver = 0xC8C8C8;
    ViewState& state = canvas.state;
    if (bandCount == 4) {
        applyBandColours(canvas.surface, state.resistorFrame, state.bandReadings, 4, brown, black,
                         red, silver, 0);
    } else {
        applyBandColours(canvas.surface, state.resistorFrame, state.bandReadings, bandCount, brown,
                         black, black, red, silver);
    }
}

// The swatches, row names and value digits, recording every swatch in the grid.
void drawSwatches(Canvas& canvas, BandCount bandCount) {
    DrawingSurface& surface = canvas.surface;
    for (int position = 1; position <= bandCount; ++position) {
        for (int row = 1; row <= 12; ++row) {
            const colourcode::ColourCode& code = colourcode::codeByIndex(row);
            const int x = swatchLeft(position), y = swatchTop(row);
            ChartCell& cell = canvas.state.chartGrid.cell(position, row);
            surface.setBrushColour(code.colour);
            surface.setPenColour(code.colour);
            cell.colour = code.colour;
            // The value column shows every digit, also "0" where position 1 offers no black.
            if (position == 1 && code.digit) {
                surface.writeText(20, y + 3, *code.digit);
            }
            if (!colourcode::swatchOffered(bandCount, position, row)) {
                continue;
            }
            surface.drawRectangle(x, y, x + swatchWidth, y + swatchHeight);
            cell.rect = {x, y, x + swatchWidth, y + swatchHeight};
            cell.colourIndex = row;
            surface.writeText(x - 25, y + 3, code.chartName);
        }
    }
}

} // namespace

void renderView(Canvas& canvas, BandCount bandCount) {
    DrawingSurface& surface = canvas.surface;
    ViewState& state = canvas.state;

    surface.clear();
    const PictureHandle previous = state.picture;
    state.picture = surface.loadPicture(resistorPicture());
    surface.releasePicture(previous);
    surface.setBrushStyle(BrushSolid);
    state.resistorFrame = {bandCount == 4 ? 100 : 200, 10, 200, 70};
    const ResistorFrame& frame = state.resistorFrame;
    surface.drawPicture(state.picture, frame.left, frame.top, frame.width, frame.height);
    applyDefaultBands(canvas, bandCount);

    surface.setBrushColour(chartGrey);
    surface.setPenColour(chartGrey); // the frame and its lines keep this pen
    state.chartGrid = ChartGrid(bandCount);
    surface.setFontName(readoutFontName);
    surface.setBrushStyle(BrushSolid);
    drawChartFrame(canvas, chartLeft, chartTop);
    surface.setFontSize(9);
    drawSwatches(canvas, bandCount);
}

void drawChartFrame(Canvas& canvas, int left, int top) {
    DrawingSurface& surface = canvas.surface;
    const int l = left - 70, t = top - 20;
    surface.setBrushColour(headerFill);
    const int width = fourBandsSelected(canvas) ? 530 : 680;
    surface.drawRectangle(l, t, l + width, t + 350);
    surface.drawRectangle(l, t, l + width, t + 35);
    for (int dx : {30, 150, 280, 410}) {
        surface.drawLine(l + dx, t, l + dx, t + 350);
    }
    surface.setFontSize(16);
    surface.writeText(l + 5, t + 5, "值");
    surface.writeText(l + 60, t + 5, "第一环");
    surface.writeText(l + 185, t + 5, "第二环");
    surface.writeText(l + 315, t + 5, "第三环");
    if (fourBandsSelected(canvas)) {
        surface.writeText(l + 445, t + 5, "精  度");
    } else {
        surface.writeText(l + 445, t + 5, "第四环");
        surface.writeText(l + 585, t + 5, "精  度");
        surface.drawLine(l + 540, t, l + 540, t + 350);
    }
}

std::optional<ChartHit> findChartCell(const ChartGrid& grid, int x, int y, BandCount bandCount) {
    // A band count beyond the grid (mode and view out of step) must not read past its end.
    const int positions = std::min(bandCount, grid.bandCount);
    std::optional<ChartHit> hit;
    for (int position = 1; position <= positions; ++position) {
        for (int row = 1; row <= 12; ++row) {
            const ChartCell& cell = grid.cell(position, row);
            const Rect& r = cell.rect;
            if (r.left < x && x < r.right && r.top < y && y < r.bottom) {
                hit = ChartHit{position, cell};
            }
        }
    }
    return hit;
}

void handleChartClick(Canvas& canvas, int x, int y) {
    const BandCount bandCount = fourBandsSelected(canvas) ? 4 : 5;
    const std::optional<ChartHit> hit = findChartCell(canvas.state.chartGrid, x, y, bandCount);
    if (!hit) {
        return;
    }
    Colour colours[5] = {0, 0, 0, 0, 0};
    colours[hit->position - 1] = hit->cell.colour;
    ViewState& state = canvas.state;
    applyBandColours(canvas.surface, state.resistorFrame, state.bandReadings, bandCount, colours[0],
                     colours[1], colours[2], colours[3], colours[4]);
}

} // namespace drawing
