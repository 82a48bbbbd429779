#include "drawing/resistor_picture.h"

#include <cstddef>

namespace embedded {
extern const unsigned char resistorPicture[];
extern const std::size_t resistorPictureSize;
} // namespace embedded

namespace drawing {

std::span<const std::uint8_t> resistorPicture() {
    return {embedded::resistorPicture, embedded::resistorPictureSize};
}

} // namespace drawing
