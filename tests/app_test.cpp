#include "main_window_fixture.h"

#include <QTimer>

namespace {
constexpr colourcode::Colour yellow = 0x00FFFF, black = 0x000001;
} // namespace

TEST_F(MainWindowTest, IsLaidOutAsDesigned) {
    EXPECT_EQ(m_window->windowTitle(), "Ohmbra");
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_window->isModal());
    const Qt::WindowFlags flags = m_window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(m_window->minimumSize(), m_window->maximumSize()) << "fixed frame";
    EXPECT_FALSE(m_window->windowIcon().isNull());

    CanvasWidget* canvas = m_window->canvas();
    EXPECT_EQ(canvas->objectName(), "画板1");
    EXPECT_EQ(canvas->pos(), QPoint(8, 8));
    EXPECT_EQ(canvas->contentsRect(), QRect(1, 1, canvas->width() - 2, canvas->height() - 2));
    EXPECT_EQ(canvas->surface().width(), canvas->width() - 2);
    EXPECT_EQ(canvas->surface().height(), 467);

    const std::pair<QRadioButton*, const char*> buttons[] = {
        {m_window->fourBandButton(), "单选框_四环"}, {m_window->fiveBandButton(), "单选框_五环"}};
    for (auto [button, name] : buttons) {
        EXPECT_EQ(button->objectName(), QString::fromUtf8(name));
        EXPECT_EQ(button->parentWidget(), canvas);
        EXPECT_EQ(button->size(), QSize(48, 24));
    }
    EXPECT_EQ(m_window->fourBandButton()->pos(), QPoint(7, 7));
    EXPECT_EQ(m_window->fiveBandButton()->pos(), QPoint(7, 31));
    EXPECT_EQ(m_window->fourBandButton()->text(), "四环");
    EXPECT_EQ(m_window->fiveBandButton()->text(), "五环");
}

TEST_F(MainWindowTest, ModesSetTheirWidthsAndKeepTheHeights) {
    struct Step {
        const char* action;
        int windowWidth, canvasWidth;
        bool fourSelected;
    };
    const Step steps[] = {{"start", 720, 700, false}, {"four", 583, 555, true},
                          {"five", 720, 710, false},  {"five", 720, 710, false},
                          {"four", 583, 555, true},   {"four", 583, 555, true}};
    for (const Step& step : steps) {
        if (std::string(step.action) == "four") {
            clickRadio(m_window->fourBandButton());
        } else if (std::string(step.action) == "five") {
            clickRadio(m_window->fiveBandButton());
        }
        SCOPED_TRACE(step.action);
        EXPECT_EQ(m_window->width(), step.windowWidth);
        EXPECT_EQ(m_window->height(), 528);
        EXPECT_EQ(m_window->canvas()->width(), step.canvasWidth);
        EXPECT_EQ(m_window->canvas()->height(), 469);
        EXPECT_EQ(m_window->canvas()->surface().width(), step.canvasWidth - 2);
        EXPECT_EQ(m_window->fourBandButton()->isChecked(), step.fourSelected);
        EXPECT_EQ(m_window->fiveBandButton()->isChecked(), !step.fourSelected);
        EXPECT_EQ(globals()->view.chartGrid.bandCount, step.fourSelected ? 4 : 5);
        EXPECT_EQ(valueText(), step.fourSelected ? "1K" : "10K");
    }
}

TEST_F(MainWindowTest, MouseReleaseOnASwatchPaintsTheBandAndRewritesTheReadout) {
    const QImage before = m_window->canvas()->image().copy(435, 20, 200, 80);
    clickCanvas(230, 260);
    EXPECT_EQ(canvasPixel(285, 40), yellow);
    EXPECT_EQ(globals()->view.bandReadings[1], "4");
    EXPECT_EQ(valueText(), "14K");
    EXPECT_NE(m_window->canvas()->image().copy(435, 20, 200, 80), before);
}

TEST_F(MainWindowTest, ClickingTheSelectedModeAgainResetsTheBands) {
    clickCanvas(230, 260);
    ASSERT_EQ(canvasPixel(285, 40), yellow);
    clickRadio(m_window->fiveBandButton());
    EXPECT_EQ(canvasPixel(285, 40), black);
    EXPECT_EQ(valueText(), "10K");
}

TEST_F(MainWindowTest, OnlyReleasesOnTheCanvasItselfReachTheChart) {
    std::vector<std::tuple<int, int, int>> releases;
    m_window->canvas()->setReleaseHandler(
        [&](int x, int y, int keys) { releases.emplace_back(x, y, keys); });
    clickRadio(m_window->fiveBandButton());
    clickRadio(m_window->fourBandButton());
    EXPECT_TRUE(releases.empty()) << "a release over a radio button is no chart click";
    clickCanvas(300, 200, Qt::ControlModifier | Qt::ShiftModifier);
    clickCanvas(61, 9, Qt::AltModifier); // right of the radio buttons
    const std::vector<std::tuple<int, int, int>> expected = {{300, 200, 3}, {61, 9, 4}};
    EXPECT_EQ(releases, expected);
}

TEST_F(MainWindowTest, AFocusChangeIsNotAClick) {
    m_window->fourBandButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window->windowHandle(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_window->fiveBandButton()->isChecked());
    EXPECT_EQ(m_window->width(), 720);
}

TEST_F(MainWindowTest, EscapeClosesTheWindow) {
    QTest::keyClick(m_window->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(MainWindowTest, DraggingTheMarginMovesTheWindow) {
    const QPoint start = m_window->pos();
    QWindow* handle = m_window->windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(3, 300));
    QTest::mouseMove(handle, QPoint(43, 330));
    // The pointer stays put on the screen while the window follows it: it is back at the
    // grabbed point of the moved window.
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(3, 300));
    EXPECT_EQ(m_window->pos(), start + QPoint(40, 30));
}

TEST_F(MainWindowTest, DraggingOnTheCanvasIsAChartClickNotAMove) {
    const QPoint start = m_window->pos();
    QWindow* handle = m_window->windowHandle();
    const QPoint swatch = m_window->canvas()->mapTo(m_window, QPoint(231, 261));
    QTest::mousePress(handle, Qt::LeftButton, {}, swatch);
    QTest::mouseMove(handle, swatch + QPoint(5, 5));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, swatch + QPoint(5, 5));
    EXPECT_EQ(m_window->pos(), start);
    EXPECT_EQ(canvasPixel(285, 40), yellow);
}

TEST(StartProgram, ReleasesTheGlobalsExactlyOnceWhenTheWindowCloses) {
    QTemporaryDir systemFolder;
    skinBinding().programFolder = OHMBRA_BUILD_DIR;
    const int released = globalsReleaseCount();
    QTimer::singleShot(0, [] {
        ASSERT_NE(globals(), nullptr);
        EXPECT_EQ(globals()->view.chartGrid.bandCount, 5);
        QTest::keyClick(mainWindow()->windowHandle(), Qt::Key_Escape);
    });
    EXPECT_EQ(startProgram(systemFolder.path().toStdString()), 0);
    EXPECT_EQ(globalsReleaseCount(), released + 1);
    EXPECT_EQ(globals(), nullptr);
    EXPECT_EQ(mainWindow(), nullptr);
    EXPECT_TRUE(loadedSkinLibraryPath().empty()) << "the skin library is unloaded at the end";
    EXPECT_TRUE(std::filesystem::exists(systemFolder.filePath("libSkinH_EL.so").toStdString()));
}
