#include "drawing/drawing_surface.h"

#include "drawing/surface_platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace drawing {

DrawingSurface::DrawingSurface(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
               pixelFromColour(backgroundColour())) {
    const platform::FontChoice font = platform::defaultInterfaceFont();
    m_fontName = font.face;
    m_fontSize = font.points;
}

void DrawingSurface::resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) {
        return;
    }
    std::vector<std::uint32_t> resized(static_cast<std::size_t>(width) *
                                           static_cast<std::size_t>(height),
                                       pixelFromColour(backgroundColour()));
    const int keptWidth = std::min(width, m_width);
    for (int y = 0; y < std::min(height, m_height); ++y) {
        std::copy_n(m_pixels.begin() + y * m_width, keptWidth, resized.begin() + y * width);
    }
    m_pixels = std::move(resized);
    m_width = width;
    m_height = height;
}

Colour DrawingSurface::backgroundColour() const {
    return platform::buttonFaceColour();
}

Colour DrawingSurface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return 0;
    }
    return colourFromPixel(m_pixels[static_cast<std::size_t>(y * m_width + x)]);
}

int DrawingSurface::fontPixelHeight() const {
    return static_cast<int>(std::lround(m_fontSize * platform::logicalDpiY() / 72.0));
}

// Fills the half-open rectangle [left, right) x [top, bottom), clipped to the client area.
void DrawingSurface::fill(int left, int top, int right, int bottom, Colour colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t value = pixelFromColour(colour);
    for (int y = top; y < bottom; ++y) {
        std::fill(m_pixels.begin() + y * m_width + left, m_pixels.begin() + y * m_width + right,
                  value);
    }
}

void DrawingSurface::plot(int x, int y, Colour colour) {
    if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
        m_pixels[static_cast<std::size_t>(y * m_width + x)] = pixelFromColour(colour);
    }
}

void DrawingSurface::clear() {
    fill(0, 0, m_width, m_height, backgroundColour());
}

void DrawingSurface::clearArea(int left, int top, int width, int height) {
    fill(left, top, left + width, top + height, backgroundColour());
}

void DrawingSurface::drawRectangle(int left, int top, int right, int bottom) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (right - left < 1 || bottom - top < 1) {
        return;
    }
    if (m_brushStyle == BrushSolid) {
        fill(left + 1, top + 1, right - 1, bottom - 1, m_brushColour);
    }
    fill(left, top, right, top + 1, m_penColour);
    fill(left, bottom - 1, right, bottom, m_penColour);
    fill(left, top, left + 1, bottom, m_penColour);
    fill(right - 1, top, right, bottom, m_penColour);
}

void DrawingSurface::drawLine(int x1, int y1, int x2, int y2) {
    // Bresenham, stopping before the end point as the end of a line is left for the next one.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    while (x1 != x2 || y1 != y2) {
        plot(x1, y1, m_penColour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x1 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y1 += sy;
        }
    }
}

void DrawingSurface::writeText(int x, int y, std::string_view text) {
    if (text.empty() || m_pixels.empty()) {
        return;
    }
    platform::drawText(m_pixels.data(), m_width, m_height, x, y, text, m_fontName,
                       fontPixelHeight());
}

PictureHandle DrawingSurface::loadPicture(std::span<const std::uint8_t> bytes) {
    std::optional<Image> image = decodeJpeg(bytes);
    if (!image) {
        return 0;
    }
    // Reuse a released slot so that redrawing the same view does not grow the list.
    auto slot = std::find_if(m_pictures.begin(), m_pictures.end(),
                             [](const Image& picture) { return picture.pixels.empty(); });
    if (slot == m_pictures.end()) {
        slot = m_pictures.insert(slot, Image{});
    }
    *slot = std::move(*image);
    return static_cast<PictureHandle>(slot - m_pictures.begin()) + 1;
}

void DrawingSurface::releasePicture(PictureHandle picture) {
    if (picture >= 1 && picture <= static_cast<int>(m_pictures.size())) {
        m_pictures[static_cast<std::size_t>(picture - 1)] = Image{};
    }
}

void DrawingSurface::drawPicture(PictureHandle picture, int left, int top, int width, int height) {
    if (picture < 1 || picture > static_cast<int>(m_pictures.size())) {
        return;
    }
    const Image& source = m_pictures[static_cast<std::size_t>(picture - 1)];
    if (source.pixels.empty()) {
        return;
    }
    const Image scaled = scaleImage(source, width, height);
    const int x0 = std::max(left, 0), x1 = std::min(left + scaled.width, m_width);
    for (int y = std::max(top, 0); y < std::min(top + scaled.height, m_height); ++y) {
        if (x0 >= x1) {
            break;
        }
        const auto row = scaled.pixels.begin() + (y - top) * scaled.width;
        std::copy(row + (x0 - left), row + (x1 - left), m_pixels.begin() + y * m_width + x0);
    }
}

} // namespace drawing
