#include "drawing/picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace embedded {
extern const unsigned char resistorJpeg[];
extern const std::size_t resistorJpegSize;
} // namespace embedded

using namespace drawing;

namespace {

std::vector<std::uint8_t> resistorBytes() {
    return {embedded::resistorJpeg, embedded::resistorJpeg + embedded::resistorJpegSize};
}

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | r << 16 | g << 8 | b;
}

bool near(std::uint32_t pixel, std::uint32_t expected, int tolerance) {
    for (int shift : {16, 8, 0}) {
        const int a = int(pixel >> shift & 0xFF), b = int(expected >> shift & 0xFF);
        if (std::abs(a - b) > tolerance) {
            return false;
        }
    }
    return true;
}

constexpr std::uint32_t bodyBeige = rgb(226, 200, 160);

struct FramePoint {
    int x, y;
};

// The bands are painted at frame x 70..139, y 15..54 of the 200 x 70 frame; the body must show
// its plain colour there, between the bands and around them.
TEST(PictureTest, BuiltInPictureShowsPlainBodyWhereBandsArePainted) {
    const std::vector<std::uint8_t> bytes = resistorBytes();
    const std::optional<Image> picture = decodeJpeg(bytes);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 349);
    EXPECT_EQ(picture->height, 113);
    ASSERT_EQ(picture->pixels.size(), 349u * 113u);

    const Image frame = scaleImage(*picture, 200, 70);
    const auto at = [&frame](FramePoint p) { return frame.pixels[std::size_t(p.y * 200 + p.x)]; };
    const FramePoint onBody[] = {{65, 35}, {78, 20},  {92, 50},  {120, 30}, {137, 57}, {150, 35},
                                 {60, 12}, {100, 12}, {150, 12}, {60, 58},  {100, 58}, {150, 58}};
    for (FramePoint p : onBody) {
        EXPECT_TRUE(near(at(p), bodyBeige, 4)) << "frame (" << p.x << "," << p.y << ") = " << std::hex
                                               << at(p);
    }
    for (FramePoint p : {FramePoint{2, 2}, FramePoint{197, 2}, FramePoint{100, 2}}) {
        EXPECT_FALSE(near(at(p), bodyBeige, 30)) << "frame (" << p.x << "," << p.y << ")";
    }
}

// A 16 x 8 greyscale JPEG (one component) of grey 100, written by libjpeg at quality 100.
const std::vector<std::uint8_t> greyJpeg = {
    0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF, 0xC0, 0x00, 0x0B,
    0x08, 0x00, 0x08, 0x00, 0x10, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01,
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x08, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01,
    0x00, 0x00, 0x3F, 0x00, 0x87, 0xC7, 0xFF, 0xD9};

TEST(PictureTest, GreyscaleJpegDecodesToGreyPixels) {
    const std::optional<Image> picture = decodeJpeg(greyJpeg);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 16);
    EXPECT_EQ(picture->height, 8);
    EXPECT_EQ(picture->pixels, std::vector<std::uint32_t>(16 * 8, rgb(100, 100, 100)));
}

// The resistor picture with its frame header (SOF0) claiming another size.
std::vector<std::uint8_t> withClaimedSize(std::vector<std::uint8_t> bytes, int width, int height) {
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = std::uint8_t(height >> 8), bytes[i + 6] = std::uint8_t(height);
            bytes[i + 7] = std::uint8_t(width >> 8), bytes[i + 8] = std::uint8_t(width);
            return bytes;
        }
    }
    ADD_FAILURE() << "no baseline frame header";
    return bytes;
}

std::vector<std::uint8_t> truncated(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

TEST(PictureTest, BrokenDataIsRejectedWithoutCrashing) {
    const std::vector<std::uint8_t> good = resistorBytes();
    ASSERT_TRUE(decodeJpeg(good).has_value()); // the cases below break a picture that decodes

    std::vector<std::uint8_t> noise(4096);
    std::mt19937 random(7);
    for (std::uint8_t& byte : noise) {
        byte = std::uint8_t(random());
    }
    std::vector<std::uint8_t> halfWithEnd = truncated(good, good.size() / 2);
    halfWithEnd.insert(halfWithEnd.end(), {0xFF, 0xD9}); // data ends early at the end marker
    std::vector<std::uint8_t> flippedStart = good;
    flippedStart[0] ^= 0xFF, flippedStart[1] ^= 0xFF;

    const struct {
        std::string name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"random bytes", noise},
        {"cut after 2 bytes", truncated(good, 2)},
        {"cut after 100 bytes", truncated(good, 100)},
        {"cut in half", truncated(good, good.size() / 2)},
        {"last 10 bytes missing", truncated(good, good.size() - 10)},
        {"end marker missing", truncated(good, good.size() - 2)},
        {"cut in half, end marker kept", halfWithEnd},
        {"start marker flipped", flippedStart},
        {"header claims zero width", withClaimedSize(good, 0, 113)},
        {"header claims 60000 x 60000", withClaimedSize(good, 60000, 60000)},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(decodeJpeg(c.bytes).has_value()) << c.name;
    }
}

Image filled(int width, int height, std::uint32_t pixel) {
    return {width, height, std::vector<std::uint32_t>(std::size_t(width * height), pixel)};
}

TEST(PictureTest, ScalingWeighsSourcePixelsByCoveredArea) {
    const struct {
        std::string name;
        Image source;
        int width, height;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        // Per channel: 2/4 rounds up, 1019/4 rounds up, 1/4 rounds down.
        {"2x2 to 1x1",
         {2, 2, {rgb(0, 255, 1), rgb(0, 255, 0), rgb(1, 255, 0), rgb(1, 254, 0)}}, 1, 1,
         {rgb(1, 255, 0)}},
        // Destination pixels cover 2/3 + 1/3 and 1/3 + 2/3 of the source pixels.
        {"3x1 to 2x1", {3, 1, {rgb(0, 0, 0), rgb(90, 0, 0), rgb(180, 0, 0)}}, 2, 1,
         {rgb(30, 0, 0), rgb(150, 0, 0)}},
        {"2x1 to 3x1", {2, 1, {rgb(0, 0, 0), rgb(90, 0, 0)}}, 3, 1,
         {rgb(0, 0, 0), rgb(45, 0, 0), rgb(90, 0, 0)}},
        // Upscaling replicates; the source's alpha is not carried over.
        {"1x1 to 3x2", {1, 1, {0x00123456}}, 3, 2, std::vector<std::uint32_t>(6, 0xFF123456)},
        {"identity", {3, 2, {rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(250, 0, 10),
                             rgb(0, 250, 20), rgb(99, 98, 97)}},
         3, 2, {rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(250, 0, 10), rgb(0, 250, 20),
                rgb(99, 98, 97)}},
    };
    for (const auto& c : cases) {
        const Image scaled = scaleImage(c.source, c.width, c.height);
        EXPECT_EQ(scaled.width, c.width) << c.name;
        EXPECT_EQ(scaled.height, c.height) << c.name;
        EXPECT_EQ(scaled.pixels, c.expected) << c.name;
    }
}

TEST(PictureTest, UniformImageStaysUniformAtAwkwardRatios) {
    const Image source = filled(349, 113, bodyBeige);
    for (const auto& [width, height] : {std::pair{200, 70}, std::pair{351, 117}, std::pair{1, 1}}) {
        EXPECT_EQ(scaleImage(source, width, height).pixels, filled(width, height, bodyBeige).pixels)
            << width << "x" << height;
    }
}

TEST(PictureTest, UnusableSizeOrSourceGivesEmptyImage) {
    const Image source = filled(4, 3, bodyBeige);
    const struct {
        Image source;
        int width, height;
    } cases[] = {{source, 0, 5}, {source, 5, 0}, {source, -2, 5}, {Image{}, 5, 5}};
    for (const auto& c : cases) {
        const Image scaled = scaleImage(c.source, c.width, c.height);
        EXPECT_EQ(scaled.width, 0);
        EXPECT_EQ(scaled.height, 0);
        EXPECT_TRUE(scaled.pixels.empty());
    }
}

} // namespace
