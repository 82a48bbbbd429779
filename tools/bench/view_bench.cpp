// ohmbra-bench: the drawing work a user waits for, timed with Google Benchmark. Text is drawn
// by Qt, so the benchmarks run inside a QGuiApplication, on the offscreen platform unless the
// caller chose another.

#include "colourcode/band_readings.h"
#include "drawing/colour_chart.h"
#include "headless_view.h"
#include "drawing/picture.h"
#include "drawing/resistor_picture.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace {

using namespace drawing;

using View = HeadlessView;

// The swatch of band 2 in yellow in the five-band chart: the click of the README's screenshot.
constexpr int clickX = 230, clickY = 260;

void renderWholeView(benchmark::State& state, BandCount bands) {
    View view(bands);
    for (auto _ : state) {
        renderView(view.canvas, bands);
        benchmark::ClobberMemory();
    }
}

void clickToReadout(benchmark::State& state) {
    View view(5);
    for (auto _ : state) {
        handleChartClick(view.canvas, clickX, clickY);
        benchmark::ClobberMemory();
    }
}

void findCell(benchmark::State& state) {
    const View view(5);
    for (auto _ : state) {
        auto hit = findChartCell(view.state.chartGrid, clickX, clickY, 5);
        benchmark::DoNotOptimize(hit);
    }
}

Image decodedPicture() {
    std::optional<Image> image = decodeJpeg(resistorPicture());
    if (!image) {
        throw std::runtime_error("the built-in resistor picture does not decode");
    }
    return std::move(*image);
}

void decodePicture(benchmark::State& state) {
    for (auto _ : state) {
        auto image = decodeJpeg(resistorPicture());
        benchmark::DoNotOptimize(image);
    }
}

void scalePicture(benchmark::State& state) {
    const Image source = decodedPicture();
    for (auto _ : state) {
        Image scaled = scaleImage(source, 200, 70);
        benchmark::DoNotOptimize(scaled);
    }
}

// The readout texts of the readings the click above leaves recorded.
void readoutTexts(benchmark::State& state) {
    View view(5);
    handleChartClick(view.canvas, clickX, clickY);
    const BandReadings readings = view.state.bandReadings;
    for (auto _ : state) {
        auto value = colourcode::readoutValueText(5, readings);
        auto tolerance = colourcode::readoutToleranceText(5, readings);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(tolerance);
    }
}

void registerBenchmarks() {
    using benchmark::RegisterBenchmark;
    RegisterBenchmark("renderView/5", renderWholeView, 5)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("renderView/4", renderWholeView, 4)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("clickToReadout", clickToReadout)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("findChartCell", findCell)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("decodeJpeg", decodePicture)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("scaleImage", scalePicture)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("readoutTexts", readoutTexts)->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv) {
    // No display is needed: text goes into a pixel buffer.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv); // takes Qt's own options out of argv
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
