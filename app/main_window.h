#pragma once
// The main window: the canvas 画板1 with the resistor, readout and chart, and on it the two
// band-mode radio buttons 单选框_四环 and 单选框_五环. The current band count is not stored:
// it is 4 while 单选框_四环 is selected and 5 otherwise.
//
// onMainWindowCreated runs once, before the window is first shown; switchToFourBands and
// switchToFiveBands run on every click of their radio button, also when it is already
// selected; a left-button release on the canvas goes to the chart's click handling.

#include "app/canvas_widget.h"
#include "drawing/colour_chart.h"

#include <QDialog>
#include <QPoint>

class QRadioButton;

namespace app {

class MainWindow : public QDialog {
public:
    // The window as laid out, hidden, drawing from and into `view`.
    explicit MainWindow(drawing::ViewState& view);

    void onMainWindowCreated();
    void switchToFourBands();
    void switchToFiveBands();

    CanvasWidget* canvas() const { return m_canvas; }
    QRadioButton* fourBandButton() const { return m_fourBands; }
    QRadioButton* fiveBandButton() const { return m_fiveBands; }
    // 4 while 单选框_四环 is selected, 5 otherwise.
    colourcode::BandCount bandCount() const;

protected:
    // Dragging the window's own margin moves the window, as its caption bar does.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setWindowWidth(int width);
    void setCanvasWidth(int width);
    void render(colourcode::BandCount bandCount);

    CanvasWidget* m_canvas;
    QRadioButton* m_fourBands;
    QRadioButton* m_fiveBands;
    drawing::Canvas m_view;
    std::optional<QPoint> m_dragOffset; // where the margin was grabbed, while dragging by hand
};

// The window's layout size, before onMainWindowCreated widens it.
inline constexpr int layoutWidth = 593;
inline constexpr int layoutHeight = 528;

} // namespace app
