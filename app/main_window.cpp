#include "app/main_window.h"

#include "app/app_icon.h"
#include "app/window_skin.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

namespace app {

namespace {

QRadioButton* makeRadioButton(QWidget* canvas, const char* name, const char* text, int top) {
    auto* button = new QRadioButton(QString::fromUtf8(text), canvas);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(7, top, 48, 24);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

MainWindow::MainWindow(drawing::ViewState& view)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      m_canvas(new CanvasWidget(this)),
      m_fourBands(makeRadioButton(m_canvas, "单选框_四环", "四环", 7)),
      m_fiveBands(makeRadioButton(m_canvas, "单选框_五环", "五环", 31)),
      m_view{m_canvas->surface(), view, [this] { return m_fourBands->isChecked(); }} {
    setWindowTitle(QStringLiteral("Ohmbra"));
    setWindowIcon(appIcon());
    setModal(true);
    setFixedSize(layoutWidth, layoutHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - layoutWidth) / 2,
             area.top() + (area.height() - layoutHeight) / 2);
    }

    m_canvas->setObjectName(QStringLiteral("画板1"));
    // Only placed here: its surface is sized once, when the creation handler sets the width.
    m_canvas->setGeometry(8, 8, 571, 469);
    m_canvas->setReleaseHandler([this](int x, int y, int) {
        drawing::handleChartClick(m_view, x, y);
        m_canvas->update();
    });

    auto* group = new QButtonGroup(this);
    group->addButton(m_fourBands);
    group->addButton(m_fiveBands);
    m_fiveBands->setChecked(true);
    // clicked, unlike toggled, fires on every click, also on the selected button, and never on
    // a focus change.
    connect(m_fourBands, &QRadioButton::clicked, this, [this] { switchToFourBands(); });
    connect(m_fiveBands, &QRadioButton::clicked, this, [this] { switchToFiveBands(); });
}

colourcode::BandCount MainWindow::bandCount() const {
    return m_fourBands->isChecked() ? 4 : 5;
}

void MainWindow::setWindowWidth(int width) {
    setFixedSize(width, layoutHeight);
}

void MainWindow::setCanvasWidth(int width) {
    QRect geometry = m_canvas->geometry();
    geometry.setWidth(width);
    m_canvas->setCanvasGeometry(geometry);
}

void MainWindow::render(colourcode::BandCount bandCount) {
    drawing::renderView(m_view, bandCount);
    m_canvas->update();
}

namespace {
// Dispatches every window event already waiting, then returns.
void processPendingEvents() {
    QCoreApplication::processEvents();
}
} // namespace

void MainWindow::onMainWindowCreated() {
    attachSkin(mainSkinData(), 0, 0, 0, false);
    setWindowWidth(720);
    setCanvasWidth(width() - 20);
    render(5);
    show();
    processPendingEvents();
}

void MainWindow::switchToFourBands() {
    setWindowWidth(583);
    setCanvasWidth(width() - m_canvas->x() - 20);
    render(4);
}

void MainWindow::switchToFiveBands() {
    setWindowWidth(720);
    setCanvasWidth(width() - 10);
    render(5);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || childAt(event->position().toPoint()) != nullptr) {
        QDialog::mousePressEvent(event);
        return;
    }
    // Prefer the window manager's own move; where it has none, follow the pointer by hand.
    if (windowHandle() == nullptr || !windowHandle()->startSystemMove()) {
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragOffset && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
    }
    QDialog::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_dragOffset.reset();
    QDialog::mouseReleaseEvent(event);
}

} // namespace app
