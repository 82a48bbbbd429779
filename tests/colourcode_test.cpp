#include "colourcode/band_readings.h"
#include "colourcode/colour_table.h"

#include <clocale>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace colourcode;

namespace {

constexpr Colour black = 0x000001, brown = 0x000080, red = 0x0000FF, orange = 0x0080FF,
                 yellow = 0x00FFFF, green = 0x00FF00, blue = 0xFF0000, violet = 0xFF0090,
                 grey = 0x808080, white = 0xFFFFFF, gold = 0x60D8FB, silver = 0xC8C8C8;

BandReadings recordAll(BandCount bandCount, const std::vector<Colour>& colours) {
    BandReadings readings;
    for (std::size_t k = 0; k < colours.size(); ++k) {
        recordBandReading(readings, bandCount, static_cast<int>(k + 1), colours[k]);
    }
    return readings;
}

struct WorkedExample {
    BandCount bands;
    std::vector<Colour> colours;
    std::vector<std::string> slots;
    std::optional<std::string> value;
    std::string tolerance;
};

// clang-format off
const WorkedExample workedExamples[] = {
    {4, {brown, black, red, silver}, {"1", "0", "00", "正负10%"}, "1K", "精度：正负10%"},
    {5, {brown, black, black, red, silver}, {"1", "0", "0", "00", "正负10%"}, "10K", "精度：正负10%"},
    {4, {red, red, black, gold}, {"2", "2", "-1", "正负5%"}, "22Ω", "精度：正负5%"},
    {4, {yellow, violet, gold, gold}, {"4", "7", "-10", "正负5%"}, "4.7Ω", "精度：正负5%"},
    {4, {brown, black, silver, brown}, {"1", "0", "-100", "正负1%"}, "0.1Ω", "精度：正负1%"},
    {5, {brown, black, black, gold, brown}, {"1", "0", "0", "-10", "正负1%"}, "10Ω", "精度：正负1%"},
    {5, {white, white, white, black, brown}, {"9", "9", "9", "-1", "正负1%"}, "999Ω", "精度：正负1%"},
    {5, {orange, orange, black, brown, brown}, {"3", "3", "0", "0", "正负1%"}, "3.3K", "精度：正负1%"},
    {5, {yellow, white, white, brown, brown}, {"4", "9", "9", "0", "正负1%"}, "4.99K", "精度：正负1%"},
    {4, {blue, grey, yellow, gold}, {"6", "8", "0000", "正负5%"}, "680K", "精度：正负5%"},
    {4, {green, blue, green, gold}, {"5", "6", "00000", "正负5%"}, "5.6M", "精度：正负5%"},
    {5, {brown, black, black, green, brown}, {"1", "0", "0", "00000", "正负1%"}, "10M", "精度：正负1%"},
    {4, {white, white, white, gold}, {"9", "9", "000000000", "正负5%"}, "99000M", "精度：正负5%"},
    {5, {brown, black, black, white, brown}, {"1", "0", "0", "000000000", "正负1%"}, std::nullopt, "精度：正负1%"},
    {5, {white, white, white, grey, brown}, {"9", "9", "9", "00000000", "正负1%"}, std::nullopt, "精度：正负1%"},
};
// clang-format on

} // namespace

TEST(ColourCode, WorkedExamplesGiveTheirTexts) {
    for (const WorkedExample& example : workedExamples) {
        SCOPED_TRACE(::testing::Message()
                     << example.bands << " bands, expecting " << example.value.value_or("none"));
        const BandReadings readings = recordAll(example.bands, example.colours);
        for (std::size_t k = 0; k < example.slots.size(); ++k) {
            EXPECT_EQ(readings[k], example.slots[k]) << "slot " << k + 1;
        }
        EXPECT_EQ(readoutValueText(example.bands, readings), example.value);
        EXPECT_EQ(readoutToleranceText(example.bands, readings), example.tolerance);
    }
}

TEST(ColourCode, ChartOffersExactlyTheTablesPairs) {
    // Rows: colour index 1..12; columns: positions 1..n. 1 = offered.
    // clang-format off
    const int four[12][4] = {
        {0, 1, 1, 0}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 0}, {1, 1, 1, 0}, {1, 1, 1, 1},
        {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 0}, {0, 0, 1, 1}, {0, 0, 1, 1},
    };
    const int five[12][5] = {
        {0, 1, 1, 1, 0}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 0},
        {1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1}, {1, 1, 1, 1, 0}, {0, 0, 0, 1, 1}, {0, 0, 0, 1, 1},
    };
    // clang-format on
    for (int index = 1; index <= 12; ++index) {
        for (int position = 1; position <= 4; ++position) {
            EXPECT_EQ(swatchOffered(4, position, index), four[index - 1][position - 1] == 1)
                << "four bands, colour " << index << ", position " << position;
        }
        for (int position = 1; position <= 5; ++position) {
            EXPECT_EQ(swatchOffered(5, position, index), five[index - 1][position - 1] == 1)
                << "five bands, colour " << index << ", position " << position;
        }
    }
}

TEST(ColourCode, OfferedPairsHaveAMeaningAndOnlyBlackFirstIsWithheld) {
    for (BandCount bands : {4, 5}) {
        for (int position = 1; position <= bands; ++position) {
            for (const ColourCode& code : colourTable) {
                const bool meaningful = position == bands       ? code.tolerance.has_value()
                                        : position == bands - 1 ? true
                                                                : code.digit.has_value();
                const bool blackFirst = code.index == 1 && position == 1;
                EXPECT_EQ(swatchOffered(bands, position, code.index), meaningful && !blackFirst)
                    << bands << " bands, position " << position << ", " << code.chartName;
            }
        }
    }
}

TEST(ColourCode, LooksColoursUpByValue) {
    EXPECT_FALSE(codeByColour(0).has_value());
    EXPECT_FALSE(codeByColour(0x000000).has_value());
    EXPECT_FALSE(codeByColour(0x123456).has_value());
    EXPECT_EQ(codeByColour(black)->index, 1);
    EXPECT_EQ(codeByColour(red)->chartName, "红：");
    EXPECT_EQ(codeByColour(blue)->chartName, "蓝：");
    for (const ColourCode& code : colourTable) {
        EXPECT_EQ(codeByColour(code.colour)->index, code.index);
        EXPECT_EQ(codeByIndex(code.index).colour, code.colour);
    }
}

TEST(ColourCode, ValueLimitsAndUnits) {
    // Integer values reached through an appended multiplier or the "-1" marker.
    struct Case {
        std::string digits, multiplier;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"999", "-1", "999Ω"},
        {"1", "000", "1K"},
        {"999", "000", "999K"},
        {"1", "000000", "1M"},
        {"99", "000000000", "99000M"},
        {"999", "00000000", std::nullopt},
        {"1", "00000000000", std::nullopt},
        {"", "-1", "0Ω"},      // empty digit slots read as 0
        {"47", "", "47Ω"},     // an empty multiplier slot reads the digits alone
        {"100", "-100", "1Ω"}, // real values stay in ohms even when whole
        {"999", "-10", "99.9Ω"},
    };
    for (const Case& c : cases) {
        BandReadings readings;
        readings[0] = c.digits;
        readings[3] = c.multiplier;
        EXPECT_EQ(readoutValueText(5, readings), c.text) << c.digits << " with " << c.multiplier;
    }
    BandReadings justOver; // 99 900 000 000: one step above the largest four-band value
    justOver[0] = "9";
    justOver[1] = "9";
    justOver[2] = "9";
    justOver[3] = "00000000";
    EXPECT_FALSE(readoutValueText(5, justOver).has_value());
}

TEST(ColourCode, ColoursWithoutMeaningLeaveTheSlot) {
    BandReadings readings = recordAll(5, {brown, black, black, red, silver});
    const BandReadings before = readings;
    recordBandReading(readings, 5, 1, gold);   // no digit
    recordBandReading(readings, 5, 3, silver); // no digit
    recordBandReading(readings, 5, 5, white);  // no tolerance
    recordBandReading(readings, 5, 5, black);  // no tolerance
    recordBandReading(readings, 5, 2, 0);      // not a band colour
    recordBandReading(readings, 5, 2, 0x123456);
    recordBandReading(readings, 5, 0, red); // no such position
    recordBandReading(readings, 5, 6, red);
    EXPECT_EQ(readings, before);
}

TEST(ColourCode, FourBandsNeitherReadNorWriteSlotFive) {
    BandReadings readings;
    readings[4] = "正负0.1%";
    recordBandReading(readings, 4, 5, brown);
    EXPECT_EQ(readings[4], "正负0.1%");

    readings = recordAll(4, {brown, black, red, gold});
    readings[4] = "garbage";
    EXPECT_EQ(readoutValueText(4, readings), "1K");
    EXPECT_EQ(readoutToleranceText(4, readings), "精度：正负5%");
}

TEST(ColourCode, EmptyToleranceSlotGivesTheLabelAlone) {
    EXPECT_EQ(readoutToleranceText(4, BandReadings{}), "精度：");
}

TEST(ColourCode, NumberTextFollowsGeneralFormat) {
    const std::pair<double, const char*> reals[] = {
        {1.0, "1"},
        {4.7, "4.7"},
        {0.33, "0.33"},
        {99000.0, "99000"},
        {4.99, "4.99"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333"},
        {1e13, "1e+13"},
        {123456789012.0, "123456789012"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {-2.5, "-2.5"},
    };
    for (const auto& [value, text] : reals) {
        EXPECT_EQ(numberText(value), text);
    }
    EXPECT_EQ(numberText(std::int64_t{0}), "0");
    EXPECT_EQ(numberText(std::int64_t{-42}), "-42");
    EXPECT_EQ(numberText(std::int64_t{99000000000}), "99000000000");
}

TEST(ColourCode, ReadsTextsAsNumbersLikeTheCLibrary) {
    const std::pair<const char*, std::int64_t> integers[] = {
        {"", 0},
        {"  42", 42},
        {"+7", 7},
        {"-15x", -15},
        {"12abc", 12},
        {"abc", 0},
        {"+-3", 0},
        {"000000000099", 99},
        {"99000000000", 99000000000},
        {"99999999999999999999", INT64_MAX},
    };
    for (const auto& [text, value] : integers) {
        EXPECT_EQ(readInteger(text), value) << '"' << text << '"';
    }
    EXPECT_DOUBLE_EQ(readNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(readNumber(" 47"), 47.0);
    EXPECT_DOUBLE_EQ(readNumber("4.5x"), 4.5);
}

TEST(ColourCode, DecimalCommaLocaleChangesNothing) {
    std::string chosen; // copied: the next setlocale call frees the name it returned
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE", "C.UTF-8"}) {
        if (const char* set = std::setlocale(LC_ALL, name)) {
            chosen = set;
            break;
        }
    }
    EXPECT_EQ(numberText(4.7), "4.7");
    EXPECT_DOUBLE_EQ(readNumber("4.5"), 4.5);
    const BandReadings readings = recordAll(4, {yellow, violet, gold, gold});
    EXPECT_EQ(readoutValueText(4, readings), "4.7Ω");
    std::setlocale(LC_ALL, "C");
    if (chosen.empty() || chosen.find("C.") == 0) {
        GTEST_SKIP() << "no decimal-comma locale installed; checked under C.UTF-8 only";
    }
}
