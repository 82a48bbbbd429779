#pragma once
// The canvas 画板1: a widget with a one-pixel sunken edge that shows the retained drawing
// surface of its client area and reports left-button releases in client coordinates.

#include "drawing/drawing_surface.h"

#include <QFrame>
#include <functional>

namespace app {

// Key state of a release: Ctrl, Shift and Alt added together.
enum KeyState : int { KeyCtrl = 1, KeyShift = 2, KeyAlt = 4 };

class CanvasWidget : public QFrame {
public:
    using ReleaseHandler = std::function<void(int x, int y, int keyState)>;

    explicit CanvasWidget(QWidget* parent);

    drawing::DrawingSurface& surface() { return m_surface; }
    const drawing::DrawingSurface& surface() const { return m_surface; }
    // The surface's pixels as an image, shared, not copied; valid until the next drawing.
    QImage image() const;

    void setReleaseHandler(ReleaseHandler handler) { m_onRelease = std::move(handler); }

    // Sizes the canvas and its surface at once: a hidden widget gets its resize event only
    // when shown, and the view is drawn before that.
    void setCanvasGeometry(const QRect& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void fitSurface();
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    drawing::DrawingSurface m_surface;
    ReleaseHandler m_onRelease;
};

} // namespace app
