// Every set of bands the chart can make, for both band counts, recorded as clicks record them,
// against the independent oracle.
#include "colourcode/band_readings.h"
#include "readout_oracle.h"

#include <gtest/gtest.h>

using namespace colourcode;

namespace {

// Calls visit(rows) for every combination of offered rows, band 1 varying slowest.
template <typename Visit>
void forEachOfferedSet(BandCount bands, std::vector<int>& rows, Visit&& visit) {
    const int position = static_cast<int>(rows.size()) + 1;
    if (position > bands) {
        visit(rows);
        return;
    }
    for (int row = 1; row <= 12; ++row) {
        if (swatchOffered(bands, position, row)) {
            rows.push_back(row);
            forEachOfferedSet(bands, rows, visit);
            rows.pop_back();
        }
    }
}

} // namespace

TEST(ColourCodeExhaustive, EveryOfferedSetReadsAsTheOracleSays) {
    for (auto [bands, expectedSets] : {std::pair{4, 8'640}, {5, 86'400}}) {
        int sets = 0, mismatches = 0;
        std::vector<int> rows;
        forEachOfferedSet(bands, rows, [&](const std::vector<int>& set) {
            ++sets;
            BandReadings readings;
            for (std::size_t k = 0; k < set.size(); ++k) {
                recordBandReading(readings, bands, int(k + 1), codeByIndex(set[k]).colour);
            }
            const auto value = readoutValueText(bands, readings);
            const auto tolerance = readoutToleranceText(bands, readings);
            if (value != oracle::valueText(set) || tolerance != oracle::toleranceLine(set)) {
                if (++mismatches <= 10) {
                    std::string names;
                    for (int row : set) {
                        names += std::string(codeByIndex(row).chartName) + " ";
                    }
                    ADD_FAILURE() << names << "reads " << value.value_or("none") << " / "
                                  << tolerance << ", expected "
                                  << oracle::valueText(set).value_or("none") << " / "
                                  << oracle::toleranceLine(set);
                }
            }
        });
        EXPECT_EQ(sets, expectedSets) << bands << " bands";
        EXPECT_EQ(mismatches, 0) << bands << " bands";
    }
}

TEST(ColourCodeExhaustive, OracleAgreesWithTheWorkedExamples) {
    // Guards the oracle itself: brown black red silver, yellow violet gold gold, and others.
    EXPECT_EQ(oracle::valueText({2, 1, 3, 12}), "1K");
    EXPECT_EQ(oracle::valueText({5, 8, 11, 11}), "4.7Ω");
    EXPECT_EQ(oracle::valueText({2, 1, 12, 2}), "0.1Ω");
    EXPECT_EQ(oracle::valueText({5, 10, 10, 2, 2}), "4.99K");
    EXPECT_EQ(oracle::valueText({10, 10, 10, 11}), "99000M");
    EXPECT_EQ(oracle::valueText({2, 1, 1, 10, 2}), std::nullopt);
    EXPECT_EQ(oracle::toleranceLine({2, 1, 3, 12}), "精度：正负10%");
    EXPECT_EQ(oracle::toleranceLine({2, 1, 3, 9}), "精度：正负0.05%");
}
