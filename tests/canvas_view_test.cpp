#include "drawing/colour_chart.h"
#include "headless_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace drawing;

namespace {

constexpr Colour brown = 0x000080, black = 0x000001, red = 0x0000FF, yellow = 0x00FFFF,
                 gold = 0x60D8FB, silver = 0xC8C8C8, white = 0xFFFFFF, grey = 0x808080,
                 headerFill = 0xECECEC;

using View = HeadlessView;

int channelDistance(Colour a, Colour b) {
    int worst = 0;
    for (int shift : {0, 8, 16}) {
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return worst;
}

// Every pixel of a band's rectangle, its edge included, is the band's colour.
void expectFilled(const DrawingSurface& surface, Rect r, Colour colour) {
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            ASSERT_EQ(surface.pixel(x, y), colour) << "at (" << x << ", " << y << ")";
        }
    }
}

// The bounding box of pixels in a region that differ from the background.
struct Ink {
    int count = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Ink inkIn(const DrawingSurface& surface, int left, int top, int right, int bottom) {
    Ink ink;
    right = std::min(right, surface.width());
    bottom = std::min(bottom, surface.height());
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (surface.pixel(x, y) != surface.backgroundColour()) {
                ++ink.count;
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
        }
    }
    return ink;
}

void savePng(const DrawingSurface& surface, const QString& name) {
    const QImage image(reinterpret_cast<const uchar*>(surface.pixels().data()), surface.width(),
                       surface.height(), surface.width() * 4, QImage::Format_RGB32);
    image.save(QDir(QCoreApplication::applicationDirPath()).filePath(name));
}

struct ModeCase {
    BandCount bands;
    std::vector<int> bandLefts;
    std::vector<Colour> defaults;
    int frameRight;
    std::vector<int> columnLines;
    int readoutX;
    const char* png;
};

const ModeCase modes[] = {
    {5, {270, 283, 297, 311, 331}, {brown, black, black, red, silver}, 690,
     {40, 160, 290, 420, 550}, 435, "canvas-five-bands.png"},
    {4, {170, 185, 200, 225}, {brown, black, red, silver}, 540, {40, 160, 290, 420}, 335,
     "canvas-four-bands.png"},
};

} // namespace

TEST(CanvasView, RendersEachModeAtItsExactPlaces) {
    for (const ModeCase& mode : modes) {
        SCOPED_TRACE(::testing::Message() << mode.bands << " bands");
        View view(mode.bands);
        const DrawingSurface& s = view.surface;
        savePng(s, mode.png); // written beside the test program, in the build tree, to look at

        for (std::size_t k = 0; k < mode.bandLefts.size(); ++k) {
            const Rect band{mode.bandLefts[k], 25, mode.bandLefts[k] + 8, 64};
            EXPECT_EQ(paintedBandRect(view.state.resistorFrame, mode.bands, int(k + 1)), band);
            expectFilled(s, band, mode.defaults[k]);
        }

        // The frame: grey outline to its right edge, light header band, grey column lines.
        EXPECT_EQ(s.pixel(10, 300), grey);
        EXPECT_EQ(s.pixel(mode.frameRight - 1, 300), grey);
        EXPECT_EQ(s.pixel(mode.frameRight, 300), s.backgroundColour());
        EXPECT_EQ(s.pixel(300, 459), grey);
        EXPECT_EQ(s.pixel(300, 460), s.backgroundColour());
        EXPECT_EQ(s.pixel(12, 112), headerFill);
        EXPECT_EQ(s.pixel(mode.frameRight - 3, 143), headerFill);
        EXPECT_EQ(s.pixel(mode.frameRight - 3, 144), grey) << "header band's bottom edge";
        for (int x : mode.columnLines) {
            for (int y : {110, 200, 459}) {
                EXPECT_EQ(s.pixel(x, y), grey) << "column line at x " << x << ", y " << y;
            }
            EXPECT_EQ(s.pixel(x, 460), s.backgroundColour());
        }

        // Swatches: offered ones filled in their row's colour, the others untouched.
        for (int p = 1; p <= mode.bands; ++p) {
            for (int j = 1; j <= 12; ++j) {
                const int x = 80 + 130 * (p - 1), y = 130 + 25 * j;
                const ChartCell& cell = view.state.chartGrid.cell(p, j);
                const Colour colour = colourcode::codeByIndex(j).colour;
                EXPECT_EQ(cell.colour, colour);
                if (colourcode::swatchOffered(mode.bands, p, j)) {
                    EXPECT_EQ(cell.rect, (Rect{x, y, x + 60, y + 20}));
                    EXPECT_EQ(cell.colourIndex, j);
                    expectFilled(s, cell.rect, colour);
                } else {
                    EXPECT_EQ(cell.rect, Rect{});
                    EXPECT_EQ(cell.colourIndex, 0);
                    // Inside the frame, which is filled light grey like the header band.
                    expectFilled(s, Rect{x, y, x + 60, y + 20}, headerFill);
                }
            }
        }

        // The readout: value and tolerance lines start at their x, nothing else in the area.
        const int x = mode.readoutX;
        const Ink value = inkIn(s, x, 20, x + 400, 56);
        const Ink tolerance = inkIn(s, x, 60, x + 400, 100);
        EXPECT_GT(value.count, 30);
        EXPECT_GT(tolerance.count, 60);
        EXPECT_LE(value.left, x + 4);
        EXPECT_LE(tolerance.left, x + 4);
        EXPECT_GT(tolerance.right, value.right) << "精度：正负10% is longer than 10K / 1K";
    }
}

TEST(CanvasView, ResistorBodyShowsAroundAndBetweenTheBands) {
    for (BandCount bands : {4, 5}) {
        View view(bands);
        const Colour body = view.surface.pixel(view.state.resistorFrame.left + 65, 45);
        EXPECT_GT(body & 0xFF, (body >> 16) & 0xFF) << "the body is warm beige, not grey";
        for (int position = 1; position <= bands; ++position) {
            const Rect band = paintedBandRect(view.state.resistorFrame, bands, position);
            for (auto [x, y] : {std::pair{band.left - 2, 40}, {band.right + 1, 40},
                                {band.left + 4, band.top - 3}, {band.left + 4, band.bottom + 2}}) {
                EXPECT_LE(channelDistance(view.surface.pixel(x, y), body), 12)
                    << bands << " bands, around band " << position << " at (" << x << ", " << y
                    << ")";
            }
        }
    }
}

TEST(CanvasView, FindsCellsOnlyStrictlyInsideSwatches) {
    View view(5);
    struct Case {
        int x, y;
        std::optional<std::pair<int, Colour>> hit;
    };
    const Case cases[] = {
        {81, 181, std::pair{1, brown}}, {139, 199, std::pair{1, brown}},
        {80, 190, std::nullopt},        {140, 190, std::nullopt},
        {100, 180, std::nullopt},       {100, 200, std::nullopt},
        {81, 156, std::nullopt},        {139, 174, std::nullopt}, // no black at position 1
        {630, 415, std::pair{5, gold}}, {230, 260, std::pair{2, yellow}},
        {20, 160, std::nullopt},        {300, 120, std::nullopt},
        {500, 190, std::pair{4, brown}},
    };
    for (const Case& c : cases) {
        const auto hit = findChartCell(view.state.chartGrid, c.x, c.y, 5);
        ASSERT_EQ(hit.has_value(), c.hit.has_value()) << "(" << c.x << ", " << c.y << ")";
        if (hit) {
            EXPECT_EQ(hit->position, c.hit->first);
            EXPECT_EQ(hit->cell.colour, c.hit->second);
        }
    }
}

TEST(CanvasView, FourBandGridNeverYieldsPositionFive) {
    View view(4);
    EXPECT_FALSE(findChartCell(view.state.chartGrid, 630, 415, 4).has_value());
    EXPECT_FALSE(findChartCell(view.state.chartGrid, 630, 415, 5).has_value())
        << "a band count beyond the grid reads nothing past it";
    const auto gold4 = findChartCell(view.state.chartGrid, 500, 415, 4);
    ASSERT_TRUE(gold4.has_value());
    EXPECT_EQ(gold4->position, 4);
}

TEST(CanvasView, WalkThroughClickPaintsBandTwoYellow) {
    View view(5);
    const DrawingSurface before = view.surface;
    handleChartClick(view.canvas, 230, 260);
    expectFilled(view.surface, {283, 25, 291, 64}, yellow);
    EXPECT_EQ(view.state.bandReadings[1], "4");
    EXPECT_EQ(colourcode::readoutValueText(5, view.state.bandReadings), "14K");
    // Other bands and the whole chart keep their pixels.
    for (int x : {270, 297, 311, 331}) {
        EXPECT_EQ(view.surface.pixel(x + 3, 40), before.pixel(x + 3, 40));
    }
    EXPECT_EQ(inkIn(view.surface, 435, 20, 700, 100).count > 0, true);
    for (int y = 100; y < view.surface.height(); ++y) {
        for (int x = 0; x < view.surface.width(); ++x) {
            ASSERT_EQ(view.surface.pixel(x, y), before.pixel(x, y)) << x << ", " << y;
        }
    }
}

TEST(CanvasView, ClicksOffTheSwatchesChangeNothing) {
    View view(5);
    const DrawingSurface before = view.surface;
    const colourcode::BandReadings readings = view.state.bandReadings;
    for (auto [x, y] : {std::pair{80, 190}, {100, 165}, {20, 185}, {5, 5}, {-3, 500}, {600, 160}}) {
        handleChartClick(view.canvas, x, y);
    }
    EXPECT_EQ(view.state.bandReadings, readings);
    EXPECT_TRUE(std::equal(before.pixels().begin(), before.pixels().end(),
                           view.surface.pixels().begin()));
}

TEST(CanvasView, ClickReadsTheModeFromTheRadioButton) {
    View view(4);
    handleChartClick(view.canvas, 500, 190); // brown at position 4: tolerance 正负1%
    EXPECT_EQ(view.state.bandReadings[3], "正负1%");
    expectFilled(view.surface, {225, 25, 233, 64}, brown);
}

TEST(CanvasView, ValueAboveTheLimitLeavesTheValueAreaBlank) {
    View view(5);
    ViewState& state = view.state;
    applyBandColours(view.surface, state.resistorFrame, state.bandReadings, 5, brown, black, black,
                     white, brown);
    EXPECT_EQ(inkIn(view.surface, 435, 20, 698, 56).count, 0);
    EXPECT_GT(inkIn(view.surface, 435, 60, 698, 100).count, 0);
}

TEST(CanvasView, GoldAtPositionOnePaintsButKeepsTheDigit) {
    View view(5);
    ViewState& state = view.state;
    applyBandColours(view.surface, state.resistorFrame, state.bandReadings, 5, gold, 0, 0, 0, 0);
    expectFilled(view.surface, {270, 25, 278, 64}, gold);
    EXPECT_EQ(state.bandReadings[0], "1");
    expectFilled(view.surface, {283, 25, 291, 64}, black);
}

TEST(CanvasView, RenderingTwiceGivesTheSamePixelsAndGrid) {
    for (BandCount bands : {4, 5}) {
        View view(bands);
        const DrawingSurface first = view.surface;
        const ChartGrid grid = view.state.chartGrid;
        handleChartClick(view.canvas, 230, 260);
        renderView(view.canvas, bands);
        EXPECT_EQ(view.state.chartGrid, grid);
        EXPECT_TRUE(std::equal(first.pixels().begin(), first.pixels().end(),
                               view.surface.pixels().begin()))
            << bands << " bands";
    }
}
