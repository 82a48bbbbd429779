#pragma once
// The canvas's retained drawing surface: a plain 32-bit pixel buffer the size of the canvas's
// client area, with the drawing operations and settings the views use. Clears, rectangles,
// lines and pictures are exact integer operations on the buffer, identical on every platform;
// text is the one operation handed to the toolkit (surface_text_*.cpp), which draws onto the
// same buffer. A window shows the surface by copying the buffer to the screen.

#include "colourcode/colour_table.h"
#include "drawing/picture.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawing {

using colourcode::Colour;

// A decoded picture owned by the surface; 0 is "no picture".
using PictureHandle = int;

enum BrushStyle : int {
    BrushNone = 0,  // rectangles are outlined only
    BrushSolid = 1, // rectangles are filled with the brush colour inside the outline
};

class DrawingSurface {
public:
    // A client area of width x height pixels, cleared to the background colour.
    DrawingSurface(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Changes the client area's size, keeping the content at the top left and filling any new
    // area with the background colour.
    void resize(int width, int height);

    // Every operation is clipped to the client area.
    void clear();
    void clearArea(int left, int top, int width, int height);
    // Corners are swapped where reversed. Outline in the pen colour on columns left and
    // right - 1 and rows top and bottom - 1; with BrushSolid the inside takes the brush colour.
    void drawRectangle(int left, int top, int right, int bottom);
    // From (x1, y1) up to, not including, (x2, y2), in the pen colour.
    void drawLine(int x1, int y1, int x2, int y2);
    // One line of UTF-8 text in black on a transparent background, in the current font; the
    // top-left corner of its first character cell at (x, y).
    void writeText(int x, int y, std::string_view text);

    // Decodes a JPEG; 0 when it cannot be decoded.
    PictureHandle loadPicture(std::span<const std::uint8_t> bytes);
    // The whole picture, scaled to exactly width x height by area averaging, copied opaquely.
    // Handle 0 (or a released one) draws nothing.
    void drawPicture(PictureHandle picture, int left, int top, int width, int height);
    void releasePicture(PictureHandle picture);

    Colour penColour() const { return m_penColour; }
    void setPenColour(Colour colour) { m_penColour = colour; }
    Colour brushColour() const { return m_brushColour; }
    void setBrushColour(Colour colour) { m_brushColour = colour; }
    int brushStyle() const { return m_brushStyle; }
    void setBrushStyle(int style) { m_brushStyle = style; }
    // Points; the character height without internal leading is points x dpi / 72, rounded.
    int fontSize() const { return m_fontSize; }
    void setFontSize(int points) { m_fontSize = points; }
    const std::string& fontName() const { return m_fontName; }
    void setFontName(std::string_view face) { m_fontName = face; }
    // The character height in pixels that the current font size gives on this screen.
    int fontPixelHeight() const;

    // The colour clears fill with: the system's button-face colour.
    Colour backgroundColour() const;
    // The pixel at (x, y); 0 outside the client area.
    Colour pixel(int x, int y) const;
    // The buffer, row by row, each pixel 0xFFRRGGBB (the layout of a 32-bit RGB image).
    std::span<const std::uint32_t> pixels() const { return m_pixels; }

private:
    void fill(int left, int top, int right, int bottom, Colour colour);
    void plot(int x, int y, Colour colour);

    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
    std::vector<Image> m_pictures; // handle h is m_pictures[h - 1]; released ones are empty

    Colour m_penColour = 0xECECEC;
    Colour m_brushColour = 0xFFFFFF;
    int m_brushStyle = BrushNone;
    int m_fontSize;
    std::string m_fontName;
};

// Converts between a Colour (0x00BBGGRR) and a buffer pixel (0xFFRRGGBB).
constexpr std::uint32_t pixelFromColour(Colour c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Colour colourFromPixel(std::uint32_t p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

} // namespace drawing
