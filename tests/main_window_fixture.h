#pragma once
// The program's start-up in a test: the skin library bound from the build tree, a temporary
// folder standing in for the system library folder, and input through the window as a real
// pointer's.

#include "app/startup.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace app;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_systemFolder.isValid());
        skinBinding().programFolder = OHMBRA_BUILD_DIR;
        createGlobals(m_systemFolder.path().toStdString());
        openMainWindow();
        m_window = mainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window));
    }
    void TearDown() override {
        closeMainWindow();
        releaseGlobals();
        unloadSkinLibrary();
    }

    // Mouse input through the window, routed as a real pointer's.
    void click(QWidget* widget, QPoint point, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, modifiers,
                          widget->mapTo(m_window, point));
    }
    void clickCanvas(int x, int y, Qt::KeyboardModifiers modifiers = {}) {
        click(m_window->canvas(), m_window->canvas()->contentsRect().topLeft() + QPoint(x, y),
              modifiers);
    }
    void clickRadio(QRadioButton* button) { click(button, button->rect().center()); }

    colourcode::Colour canvasPixel(int x, int y) const {
        return m_window->canvas()->surface().pixel(x, y);
    }
    std::optional<std::string> valueText() const {
        return colourcode::readoutValueText(m_window->bandCount(), globals()->view.bandReadings);
    }

    QTemporaryDir m_systemFolder;
    MainWindow* m_window = nullptr;
};
