#pragma once
// What the drawing surface needs from the platform's toolkit: the system's appearance and
// text. One implementation per toolkit (surface_text_qt.cpp); everything else is shared.

#include "colourcode/colour_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace drawing::platform {

// The system's button-face colour, the background of the canvas.
colourcode::Colour buttonFaceColour();

// The face name and size in points of the default interface font.
struct FontChoice {
    std::string face;
    int points;
};
FontChoice defaultInterfaceFont();

// Vertical logical dots per inch of the screen, which turn points into pixels.
int logicalDpiY();

// Draws one line of UTF-8 text in black with a transparent background onto a buffer of
// 0xFFRRGGBB pixels, clipped to it; (x, y) is the top-left corner of the first character cell
// and pixelHeight the character height without internal leading.
void drawText(std::uint32_t* pixels, int width, int height, int x, int y, std::string_view text,
              const std::string& face, int pixelHeight);

} // namespace drawing::platform
