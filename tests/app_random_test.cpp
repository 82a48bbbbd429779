// Thousands of random actions through the real window: mouse releases at random canvas points
// (mostly on swatches) and mode switches. After each one the painted bands and the readout
// must agree with a simple model of what the user has done.
#include "main_window_fixture.h"
#include "readout_oracle.h"

#include <QImage>
#include <array>
#include <cstdlib>
#include <map>
#include <random>

namespace {

struct Model {
    int bands = 5;
    std::array<int, 5> rows{}; // chart row of each band's colour

    void reset(int count) {
        bands = count;
        rows = count == 4 ? std::array<int, 5>{2, 1, 3, 12, 0} : std::array<int, 5>{2, 1, 1, 3, 12};
    }
    std::vector<int> bandRows() const { return {rows.begin(), rows.begin() + bands}; }
};

// The swatch under a canvas point, by the chart's geometry: strictly inside an offered swatch.
std::optional<std::pair<int, int>> swatchAt(int bands, int x, int y) {
    for (int p = 1; p <= bands; ++p) {
        for (int j = 1; j <= 12; ++j) {
            const int left = 80 + 130 * (p - 1), top = 130 + 25 * j;
            if (colourcode::swatchOffered(bands, p, j) && left < x && x < left + 60 && top < y &&
                y < top + 20) {
                return std::pair{p, j};
            }
        }
    }
    return std::nullopt;
}

int bandLeft(int bands, int position) {
    constexpr int four[] = {170, 185, 200, 225}, five[] = {270, 283, 297, 311, 331};
    return bands == 4 ? four[position - 1] : five[position - 1];
}

unsigned seedForRun() {
    const char* chosen = std::getenv("OHMBRA_RANDOM_SEED");
    return chosen != nullptr ? static_cast<unsigned>(std::strtoul(chosen, nullptr, 10)) : 20261211u;
}

} // namespace

class RandomActions : public MainWindowTest {
protected:
    // The readout as it must look: the expected texts written the way the readout writes them.
    QImage expectedReadout(int bands, const std::string& value, const std::string& tolerance) {
        const drawing::DrawingSurface& live = m_window->canvas()->surface();
        const auto key = std::to_string(live.width()) + "|" + value + "|" + tolerance;
        auto found = m_references.find(key);
        if (found == m_references.end()) {
            drawing::DrawingSurface reference(live.width(), live.height());
            const int x = bands == 4 ? 335 : 435;
            reference.setFontName("微软雅黑");
            reference.setFontSize(24);
            reference.writeText(x, 20, value);
            reference.setFontSize(18);
            reference.writeText(x, 60, tolerance);
            found = m_references.emplace(key, readoutRegion(reference, bands)).first;
        }
        return found->second;
    }
    static QImage readoutRegion(const drawing::DrawingSurface& surface, int bands) {
        const QImage image(reinterpret_cast<const uchar*>(surface.pixels().data()), surface.width(),
                           surface.height(), surface.width() * 4, QImage::Format_RGB32);
        const int x = bands == 4 ? 335 : 435;
        return image.copy(x, 20, surface.width() - x, 80);
    }

    std::map<std::string, QImage> m_references;
};

TEST_F(RandomActions, PaintedBandsAndReadoutFollowTheModel) {
    const unsigned seed = seedForRun();
    std::cout << "random actions with seed " << seed
              << " (set OHMBRA_RANDOM_SEED to repeat another)\n";
    std::mt19937 random(seed);
    auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };

    Model model;
    model.reset(5);
    constexpr int actions = 10000;
    for (int step = 1; step <= actions; ++step) {
        const int kind = uniform(0, 99);
        std::string what;
        if (kind < 4) {
            const bool four = uniform(0, 1) == 0;
            clickRadio(four ? m_window->fourBandButton() : m_window->fiveBandButton());
            model.reset(four ? 4 : 5);
            what = four ? "four" : "five";
        } else {
            int x, y;
            if (kind < 70) { // inside a swatch, offered or not
                const int p = uniform(1, model.bands), j = uniform(1, 12);
                x = 80 + 130 * (p - 1) + uniform(0, 60);
                y = 130 + 25 * j + uniform(0, 20);
            } else { // anywhere on the canvas but the radio buttons
                x = uniform(0, m_window->canvas()->surface().width() - 1);
                y = uniform(0, 466);
                if (x < 60 && y < 60) {
                    x += 60;
                }
            }
            clickCanvas(x, y);
            if (const auto swatch = swatchAt(model.bands, x, y)) {
                model.rows[std::size_t(swatch->first - 1)] = swatch->second;
            }
            what = "click " + std::to_string(x) + " " + std::to_string(y);
        }

        SCOPED_TRACE("seed " + std::to_string(seed) + ", action " + std::to_string(step) + ": " +
                     what);
        ASSERT_EQ(m_window->bandCount(), model.bands);
        for (int position = 1; position <= model.bands; ++position) {
            const colourcode::Colour expected =
                colourcode::codeByIndex(model.rows[std::size_t(position - 1)]).colour;
            ASSERT_EQ(canvasPixel(bandLeft(model.bands, position) + 4, 44), expected)
                << "band " << position;
        }
        const std::vector<int> rows = model.bandRows();
        const std::optional<std::string> value = oracle::valueText(rows);
        const std::string tolerance = oracle::toleranceLine(rows);
        ASSERT_EQ(valueText(), value);
        ASSERT_EQ(colourcode::readoutToleranceText(model.bands, globals()->view.bandReadings),
                  tolerance);
        ASSERT_EQ(readoutRegion(m_window->canvas()->surface(), model.bands),
                  expectedReadout(model.bands, value.value_or(""), tolerance))
            << "the readout on the canvas shows other texts";
    }
}
