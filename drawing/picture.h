#pragma once
// Pictures as plain pixel arrays: JPEG decoding (libjpeg) and area-averaging scaling. Both are
// our own integer code over plain buffers, so every platform gets the same pixels.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace drawing {

// Pixels as 0xFFRRGGBB, row by row, top row first: the layout of the drawing surface's buffer.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Decodes a JPEG held in memory. None for anything libjpeg cannot decode (corrupt, truncated,
// not a JPEG at all): a bad picture is an error value, never an exit or a crash.
std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes);

// `source` scaled to exactly width x height: each pixel is the average of the source pixels it
// covers, each weighted by the area it covers, rounded to nearest in integer arithmetic.
// A non-positive width or height, or an empty source, gives an empty image.
Image scaleImage(const Image& source, int width, int height);

} // namespace drawing
