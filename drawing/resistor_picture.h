#pragma once
// The built-in resistor picture: a 349 x 113 baseline JPEG of a plain beige resistor body with
// grey leads and no bands, drawn by tools/make_resistor_picture.cpp.

#include <cstdint>
#include <span>

namespace drawing {

std::span<const std::uint8_t> resistorPicture();

} // namespace drawing
