#pragma once
// A whole canvas view without a window: a surface the size the window gives each mode (client
// areas 698 x 467 and 553 x 467), the view's state and a band-mode answer, drawn once. Shared
// by the view tests and the benchmarks.

#include "drawing/colour_chart.h"

struct HeadlessView {
    explicit HeadlessView(drawing::BandCount bands)
        : fourBands(bands == 4), surface(bands == 4 ? 553 : 698, 467),
          canvas{surface, state, [this] { return fourBands; }} {
        drawing::renderView(canvas, bands);
    }
    HeadlessView(const HeadlessView&) = delete; // the canvas refers to this object's members
    HeadlessView& operator=(const HeadlessView&) = delete;

    bool fourBands;
    drawing::DrawingSurface surface;
    drawing::ViewState state;
    drawing::Canvas canvas;
};
