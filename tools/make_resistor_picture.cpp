// Draws the built-in resistor picture (a plain beige body without bands, grey leads) and
// writes it as a baseline JPEG:  make-resistor-picture <output.jpg>
//
// The program shows this picture scaled to a 200 x 70 frame and paints the bands onto it at
// frame x 70..139, y 15..54. The body is therefore one flat colour over frame x 60..150,
// y 12..58 (source x 105..263, y 20..95); only outside that does its outline darken.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <vector>

namespace {

constexpr int width = 349;
constexpr int height = 113;
constexpr int samplesPerAxis = 8; // coverage sampling: 8 x 8 samples a pixel

struct Rgb {
    int r, g, b;
};
constexpr Rgb background{240, 240, 240}; // the window's light grey, so the picture blends in
constexpr Rgb bodyColour{226, 200, 160};
constexpr Rgb outlineColour{188, 160, 120};
constexpr Rgb leadColour{150, 150, 150};

constexpr double midY = height / 2.0;
constexpr double midX = width / 2.0;

// Body: a waist between two taller end caps, smoothly joined (the classic dog-bone).
constexpr double waistHalfHeight = 42.0;
constexpr double capHalfWidth = 21.0;
constexpr double capHalfHeight = 49.0;
constexpr double capRadius = 19.0;
constexpr double capCentreOffset = 84.0; // from midX; the body spans about x 70..279
constexpr double neckBlend = 9.0;
constexpr double outlineWidth = 1.6;

// Leads: out of both ends at mid-height, then bent down off the bottom edge.
constexpr double leadHalfThickness = 2.3;
constexpr double leadBendX = 24.0; // distance of the vertical part from the picture's side
constexpr double leadBendRadius = 14.0;

double roundedBoxDistance(double x, double y, double cx, double cy, double halfW, double halfH,
                          double radius) {
    const double qx = std::abs(x - cx) - (halfW - radius);
    const double qy = std::abs(y - cy) - (halfH - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Union of two distance fields with a rounded fillet of size k where they meet.
double smoothUnion(double a, double b, double k) {
    const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return b + (a - b) * h - k * h * (1.0 - h);
}

// Signed distance to the body outline: negative inside.
double bodyDistance(double x, double y) {
    const double waistHalfWidth = capCentreOffset;
    const double waist = roundedBoxDistance(x, y, midX, midY, waistHalfWidth, waistHalfHeight, 0.0);
    const double left = roundedBoxDistance(x, y, midX - capCentreOffset, midY, capHalfWidth,
                                           capHalfHeight, capRadius);
    const double right = roundedBoxDistance(x, y, midX + capCentreOffset, midY, capHalfWidth,
                                            capHalfHeight, capRadius);
    return smoothUnion(smoothUnion(waist, left, neckBlend), right, neckBlend);
}

double segmentDistance(double x, double y, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double t = std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

// Distance to the centre line of the left lead; the right lead is its mirror image. The line
// starts under the body, runs left at mid-height, bends down a quarter circle and leaves
// through the bottom edge.
double leftLeadDistance(double x, double y) {
    const double cornerX = leadBendX + leadBendRadius, cornerY = midY + leadBendRadius;
    double distance = std::min(segmentDistance(x, y, midX - capCentreOffset, midY, cornerX, midY),
                               segmentDistance(x, y, leadBendX, cornerY, leadBendX, height + 10.0));
    if (x <= cornerX && y <= cornerY) { // the quarter circle's own sector
        distance =
            std::min(distance, std::abs(std::hypot(x - cornerX, y - cornerY) - leadBendRadius));
    }
    return distance;
}

Rgb colourAt(double x, double y) {
    const double body = bodyDistance(x, y);
    if (body < -outlineWidth) {
        return bodyColour;
    }
    if (body <= 0.0) {
        return outlineColour;
    }
    const double mirroredX = width - x;
    if (std::min(leftLeadDistance(x, y), leftLeadDistance(mirroredX, y)) <= leadHalfThickness) {
        return leadColour;
    }
    return background;
}

// RGB bytes, row by row: each pixel the mean of its samples, so edges are antialiased.
std::vector<JSAMPLE> drawResistor() {
    std::vector<JSAMPLE> rgb;
    rgb.reserve(std::size_t(width) * height * 3);
    constexpr int samples = samplesPerAxis * samplesPerAxis;
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < samplesPerAxis; ++sy) {
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    const Rgb c = colourAt(px + (sx + 0.5) / samplesPerAxis,
                                           py + (sy + 0.5) / samplesPerAxis);
                    r += c.r, g += c.g, b += c.b;
                }
            }
            for (int sum : {r, g, b}) {
                rgb.push_back(static_cast<JSAMPLE>((sum + samples / 2) / samples));
            }
        }
    }
    return rgb;
}

// libjpeg's default error handler reports and exits, which is what this tool wants.
bool writeJpeg(const char* path, std::vector<JSAMPLE>& rgb) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::perror(path);
        return false;
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo); // baseline, sequential
    jpeg_set_quality(&cinfo, 92, TRUE);
    cinfo.optimize_coding = TRUE;
    // No chroma subsampling: keeps the thin outline and leads free of colour fringes.
    cinfo.comp_info[0].h_samp_factor = 1;
    cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = rgb.data() + std::size_t(cinfo.next_scanline) * width * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.jpg>\n", argv[0]);
        return 2;
    }
    std::vector<JSAMPLE> rgb = drawResistor();
    return writeJpeg(argv[1], rgb) ? 0 : 1;
}
