#include "drawing/picture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jerror.h>
#include <jpeglib.h>
#include <new>

namespace drawing {

namespace {

// Far beyond any picture we show, yet small enough that a forged header cannot make us
// allocate gigabytes (4 bytes a pixel: at most 160 MB).
constexpr std::uint64_t maxPixels = 40'000'000;

// libjpeg reports errors through `base`; it is the first member, so libjpeg's pointer to it
// is also a pointer to the whole manager.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

[[noreturn]] void escapeOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

// When the picture's data ends early, at the end of the file or at a marker, libjpeg only
// warns and pads the rest with grey; such a picture is broken, so those warnings are errors.
// Other warnings and trace messages are ignored.
void onMessage(j_common_ptr info, int level) {
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) {
        escapeOnError(info);
    }
}

void discardMessage(j_common_ptr) {}

void packRow(const JSAMPLE* rgb, std::uint32_t* out, int width) {
    for (int x = 0; x < width; ++x, rgb += 3) {
        out[x] = 0xFF000000u | std::uint32_t(rgb[0]) << 16 | std::uint32_t(rgb[1]) << 8 | rgb[2];
    }
}

// The whole libjpeg conversation. An error longjmps back to the setjmp here, skipping only
// libjpeg's frames and ours; every local is trivially destructible and `out` belongs to the
// caller, so no destructor is skipped. The caller destroys `cinfo` on every path.
bool runDecoder(jpeg_decompress_struct& cinfo, ErrorManager& errors,
                std::span<const std::uint8_t> bytes, Image& out) {
    if (setjmp(errors.escape) != 0) {
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (std::uint64_t(cinfo.image_width) * cinfo.image_height > maxPixels) {
        return false;
    }
    cinfo.out_color_space = JCS_RGB; // greyscale pictures come out as RGB too
    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    if (cinfo.output_components != 3) {
        return false;
    }
    out.width = width;
    out.height = height;
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0);
    // Pool memory: freed by jpeg_destroy_decompress, so an error cannot leak it.
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * 3, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t y = cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, row, 1);
        packRow(row[0], out.pixels.data() + y * std::size_t(width), width);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

// For one axis: the source pixels each destination pixel covers and how much of each.
// Source pixel i spans [i*W, (i+1)*W) and destination pixel d spans [d*S, (d+1)*S) on a
// common integer axis (S source size, W destination size), so overlaps are exact and
// each destination pixel's weights sum to S.
struct Footprint {
    int first = 0;
    std::vector<std::int64_t> weights;
};

std::vector<Footprint> footprints(int sourceSize, int size) {
    const std::int64_t s = sourceSize, w = size;
    std::vector<Footprint> result(static_cast<std::size_t>(size));
    for (std::int64_t d = 0; d < w; ++d) {
        const std::int64_t begin = d * s, end = (d + 1) * s;
        Footprint& footprint = result[static_cast<std::size_t>(d)];
        footprint.first = static_cast<int>(begin / w);
        for (std::int64_t i = footprint.first; i * w < end; ++i) {
            footprint.weights.push_back(std::min((i + 1) * w, end) - std::max(i * w, begin));
        }
    }
    return result;
}

std::uint32_t averagePixel(const Image& source, const Footprint& fx, const Footprint& fy,
                           std::int64_t total) {
    std::int64_t r = 0, g = 0, b = 0;
    for (std::size_t j = 0; j < fy.weights.size(); ++j) {
        const std::uint32_t* row =
            source.pixels.data() + std::size_t(fy.first + int(j)) * std::size_t(source.width);
        for (std::size_t i = 0; i < fx.weights.size(); ++i) {
            const std::int64_t weight = fy.weights[j] * fx.weights[i];
            const std::uint32_t pixel = row[std::size_t(fx.first) + i];
            r += weight * ((pixel >> 16) & 0xFF);
            g += weight * ((pixel >> 8) & 0xFF);
            b += weight * (pixel & 0xFF);
        }
    }
    const auto rounded = [total](std::int64_t sum) {
        return std::uint32_t((sum + total / 2) / total);
    };
    return 0xFF000000u | rounded(r) << 16 | rounded(g) << 8 | rounded(b);
}

} // namespace

std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = escapeOnError;
    errors.base.emit_message = onMessage;
    errors.base.output_message = discardMessage;

    Image image;
    bool decoded = false;
    try {
        decoded = runDecoder(cinfo, errors, bytes, image);
    } catch (const std::bad_alloc&) {
        decoded = false; // the pixel buffer did not fit: as undecodable as a broken file
    }
    jpeg_destroy_decompress(&cinfo);
    if (!decoded) {
        return std::nullopt;
    }
    return image;
}

Image scaleImage(const Image& source, int width, int height) {
    const bool usable =
        source.width > 0 && source.height > 0 &&
        source.pixels.size() == std::size_t(source.width) * std::size_t(source.height);
    if (width <= 0 || height <= 0 || !usable) {
        return {};
    }
    const std::vector<Footprint> columns = footprints(source.width, width);
    const std::vector<Footprint> rows = footprints(source.height, height);
    const std::int64_t total = std::int64_t(source.width) * source.height;

    Image result{width, height, {}};
    result.pixels.reserve(std::size_t(width) * std::size_t(height));
    for (const Footprint& fy : rows) {
        for (const Footprint& fx : columns) {
            result.pixels.push_back(averagePixel(source, fx, fy, total));
        }
    }
    return result;
}

} // namespace drawing
