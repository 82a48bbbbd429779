#include "drawing/drawing_surface.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace drawing;

namespace {

constexpr Colour pen = 0x102030, brush = 0x405060;

// Compares every pixel of the surface with an expectation; reports the first difference.
template <typename Expected>
void expectEveryPixel(const DrawingSurface& surface, Expected expected) {
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const Colour want = expected(x, y);
            if (surface.pixel(x, y) != want) {
                FAIL() << "pixel (" << x << ", " << y << ") is 0x" << std::hex
                       << surface.pixel(x, y) << ", expected 0x" << want;
            }
        }
    }
}

// Paints the whole client area (and beyond: clipped) in one colour.
void paintAll(DrawingSurface& surface, Colour colour) {
    surface.setPenColour(colour);
    surface.setBrushColour(colour);
    surface.setBrushStyle(BrushSolid);
    surface.drawRectangle(-50, -50, surface.width() + 50, surface.height() + 50);
}

} // namespace

TEST(DrawingSurface, StartsWithTheDocumentedSettings) {
    DrawingSurface surface(10, 10);
    EXPECT_EQ(surface.penColour(), 0xECECECu);
    EXPECT_EQ(surface.brushColour(), 0xFFFFFFu);
    EXPECT_EQ(surface.brushStyle(), BrushNone);
    const QFont font = QGuiApplication::font();
    EXPECT_EQ(surface.fontName(), font.family().toStdString());
    EXPECT_GT(surface.fontSize(), 0);
    expectEveryPixel(surface, [&](int, int) { return surface.backgroundColour(); });
}

TEST(DrawingSurface, RectangleReversedCornersOutlineAndSolidFill) {
    DrawingSurface surface(30, 20);
    const Colour background = surface.backgroundColour();
    surface.setPenColour(pen);
    surface.setBrushColour(brush);
    surface.setBrushStyle(BrushSolid);
    surface.drawRectangle(20, 15, 10, 10);
    expectEveryPixel(surface, [&](int x, int y) {
        if (x < 10 || x > 19 || y < 10 || y > 14) {
            return background;
        }
        return x == 10 || x == 19 || y == 10 || y == 14 ? pen : brush;
    });
}

TEST(DrawingSurface, RectangleWithoutBrushKeepsTheInside) {
    DrawingSurface surface(12, 12);
    const Colour background = surface.backgroundColour();
    surface.setPenColour(pen);
    surface.drawRectangle(2, 3, 8, 9);
    expectEveryPixel(surface, [&](int x, int y) {
        const bool outline = (x == 2 || x == 7) && y >= 3 && y <= 8;
        const bool edge = (y == 3 || y == 8) && x >= 2 && x <= 7;
        return outline || edge ? pen : background;
    });
}

TEST(DrawingSurface, DrawingIsClippedToTheClientArea) {
    DrawingSurface surface(300, 120);
    paintAll(surface, pen); // covers everything, writes nowhere else
    surface.clearArea(100, 20, 1000, 80);
    const Colour background = surface.backgroundColour();
    expectEveryPixel(
        surface, [&](int x, int y) { return x >= 100 && y >= 20 && y < 100 ? background : pen; });
    surface.drawLine(-10, 5, 310, 5);
    EXPECT_EQ(surface.pixel(0, 5), pen);
    EXPECT_EQ(surface.pixel(299, 5), pen);
}

TEST(DrawingSurface, LinesLeaveTheirEndPoint) {
    struct Case {
        int x1, y1, x2, y2;
        std::vector<std::pair<int, int>> drawn;
    };
    const Case cases[] = {
        {2, 5, 6, 5, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {6, 1, 6, 4, {{6, 1}, {6, 2}, {6, 3}}},
        {7, 7, 4, 4, {{7, 7}, {6, 6}, {5, 5}}},
        {3, 3, 3, 3, {}},
    };
    for (const Case& c : cases) {
        DrawingSurface surface(10, 10);
        const Colour background = surface.backgroundColour();
        surface.setPenColour(pen);
        surface.drawLine(c.x1, c.y1, c.x2, c.y2);
        expectEveryPixel(surface, [&](int x, int y) {
            for (auto [dx, dy] : c.drawn) {
                if (x == dx && y == dy) {
                    return pen;
                }
            }
            return background;
        });
    }
}

TEST(DrawingSurface, FontSizeGivesCharacterHeightInPixels) {
    DrawingSurface surface(1, 1);
    const int dpi = static_cast<int>(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    for (auto [points, at96] : {std::pair{9, 12}, {16, 21}, {18, 24}, {24, 32}}) {
        surface.setFontSize(points);
        EXPECT_EQ(surface.fontPixelHeight(), static_cast<int>(std::lround(points * dpi / 72.0)));
        if (dpi == 96) {
            EXPECT_EQ(surface.fontPixelHeight(), at96);
        }
    }
}

TEST(DrawingSurface, TextIsBlackOnTransparentFromItsTopLeftCorner) {
    DrawingSurface surface(200, 60);
    paintAll(surface, brush);
    surface.setFontName("微软雅黑");
    surface.setFontSize(24);
    surface.writeText(20, 10, "14K 精度");
    int minX = 1000, minY = 1000, maxY = -1, black = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const Colour c = surface.pixel(x, y);
            if (c != brush) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
                black += c == 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(black, 20) << "text is drawn in black";
    EXPECT_GE(minX, 20);
    EXPECT_LE(minX, 24);
    EXPECT_GE(minY, 10) << "nothing above the character cell";
    EXPECT_LE(maxY, 10 + 40) << "a 32-pixel font stays within its cell";
    EXPECT_EQ(surface.pixel(10, 30), brush) << "the background behind the text is kept";
}

TEST(DrawingSurface, UndecodablePicturesGiveNoHandleAndDrawNothing) {
    DrawingSurface surface(20, 20);
    const std::uint8_t junk[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'};
    EXPECT_EQ(surface.loadPicture(junk), 0);
    EXPECT_EQ(surface.loadPicture({}), 0);
    const Colour background = surface.backgroundColour();
    surface.drawPicture(0, 0, 0, 20, 20);
    surface.drawPicture(7, 0, 0, 20, 20);
    expectEveryPixel(surface, [&](int, int) { return background; });
}

TEST(DrawingSurface, ResizeKeepsTheTopLeftAndFillsNewArea) {
    DrawingSurface surface(4, 3);
    paintAll(surface, pen);
    surface.resize(6, 2);
    surface.resize(7, 4);
    const Colour background = surface.backgroundColour();
    expectEveryPixel(surface, [&](int x, int y) { return x < 4 && y < 2 ? pen : background; });
}
