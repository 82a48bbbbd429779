#include "app/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

namespace {
constexpr int edge = 1; // the sunken edge around the client area
}

CanvasWidget::CanvasWidget(QWidget* parent) : QFrame(parent), m_surface(0, 0) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(edge);
    setFocusPolicy(Qt::NoFocus);
    // Every pixel comes from the surface: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage CanvasWidget::image() const {
    return QImage(reinterpret_cast<const uchar*>(m_surface.pixels().data()), m_surface.width(),
                  m_surface.height(), static_cast<qsizetype>(m_surface.width()) * 4,
                  QImage::Format_RGB32);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // the edge
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(contentsRect().topLeft(), image());
}

void CanvasWidget::setCanvasGeometry(const QRect& geometry) {
    setGeometry(geometry);
    fitSurface();
}

void CanvasWidget::fitSurface() {
    m_surface.resize(contentsRect().width(), contentsRect().height());
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitSurface();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    // Kept here: passed on, a press would reach the window and start moving it, and the
    // release that makes the chart click would go to the window manager instead.
    event->accept();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_onRelease) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int keyState = (modifiers & Qt::ControlModifier ? KeyCtrl : 0) |
                         (modifiers & Qt::ShiftModifier ? KeyShift : 0) |
                         (modifiers & Qt::AltModifier ? KeyAlt : 0);
    const QPoint client = event->position().toPoint() - contentsRect().topLeft();
    m_onRelease(client.x(), client.y(), keyState);
}

} // namespace app
