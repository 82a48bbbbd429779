// The real programs as a user or a script runs them: ohmbra-render's interface, the fatal skin
// failure, and (when a display is given) build/ohmbra driven by real pointer clicks under X.
#include "child_process.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString buildDir = QStringLiteral(OHMBRA_BUILD_DIR);

} // namespace

TEST(OhmbraRender, PrintsTheReadoutAfterItsActions) {
    struct Case {
        QStringList arguments;
        QString out;
    };
    const Case cases[] = {
        {{}, "10K\n精度：正负10%\n"},
        {{"five", "click", "230", "260"}, "14K\n精度：正负10%\n"},
        {{"four"}, "1K\n精度：正负10%\n"},
        // white multiplier at position 4 of five bands: above the limit, an empty value line
        {{"click", "500", "390"}, "\n精度：正负10%\n"},
        {{"--each", "click", "230", "260", "four", "click", "500", "190"},
         "14K\n精度：正负10%\n1K\n精度：正负10%\n1K\n精度：正负1%\n"},
        {{"click", "80", "190"}, "10K\n精度：正负10%\n"}, // a swatch's edge selects nothing
    };
    for (const Case& c : cases) {
        const ProcessResult result = runProcess(buildDir + "/ohmbra-render", c.arguments);
        EXPECT_EQ(result.status, 0)
            << c.arguments.join(' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_EQ(result.out, c.out) << c.arguments.join(' ').toStdString();
    }
}

TEST(OhmbraRender, RejectsBadArgumentsWithUsage) {
    const QStringList bad[] = {{"fours"},           {"click", "1"},
                               {"click", "x", "2"}, {"click", "3", "4.5"},
                               {"--png"},           {"four", "--bogus"}};
    for (const QStringList& arguments : bad) {
        const ProcessResult result = runProcess(buildDir + "/ohmbra-render", arguments);
        EXPECT_EQ(result.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains("usage")) << result.err.toStdString();
    }
}

TEST(OhmbraRender, SavesTheCanvasAsPng) {
    QTemporaryDir folder;
    const QString png = folder.filePath("view.png");
    ASSERT_EQ(runProcess(buildDir + "/ohmbra-render", {"--png", png, "four"}).status, 0);
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(553, 467));
    EXPECT_EQ(image.pixel(174, 40), qRgb(128, 0, 0)) << "four-band band 1 is brown";
}

TEST(Ohmbra, MissingSkinFunctionBesideTheProgramIsFatal) {
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(buildDir + "/ohmbra", folder.filePath("ohmbra")));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(SKIN_MISSING_AERO_FILE), folder.filePath("libSkinH_EL.so")));
    const ProcessResult result = runProcess(folder.filePath("ohmbra"), {}, offscreenEnvironment());
    EXPECT_EQ(result.status, 255);
    EXPECT_TRUE(result.err.contains("libSkinH_EL.so")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("SkinH_SetAero")) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
}

// A whole session (start, clicks, mode switches, close) under valgrind's memcheck: no invalid
// access and no definitely lost block.
TEST(Ohmbra, SessionUnderMemcheckIsClean) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "memcheck cannot run a sanitized build; the default build's run covers it";
#endif
    const ProcessResult result =
        runProcess("valgrind",
            {"--leak-check=full", "--errors-for-leak-kinds=definite", "--error-exitcode=99",
             "--num-callers=30", buildDir + "/ohmbra-render", "click", "230", "260", "four",
             "click", "500", "190", "five", "click", "630", "415", "five"},
            offscreenEnvironment(), 180'000);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "10K\n精度：正负10%\n");
    EXPECT_TRUE(result.err.contains("ERROR SUMMARY: 0 errors")) << result.err.toStdString();
}

// build/ohmbra in a real X server, clicked with the real pointer (xdotool).
class OhmbraUnderX : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            GTEST_SKIP() << "no X display; CTest runs this under xvfb-run";
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        m_program.setProcessEnvironment(environment);
        m_program.start(buildDir + "/ohmbra", {});
        ASSERT_TRUE(m_program.waitForStarted());
        ASSERT_TRUE(waitFor([&] { return !(m_window = findWindow()).isEmpty(); }))
            << "no Ohmbra window appeared";
    }
    void TearDown() override {
        if (HasFailure()) { // leave what the screen showed for whoever reads the failure
            const QString shot = QDir::current().filePath("ohmbra-under-x-failure.png");
            grabScreen().save(shot);
            std::cout << "window " << m_window.toStdString() << " at " << geometry().x() << ", "
                      << geometry().y() << "; screen saved in " << shot.toStdString() << '\n';
        }
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    static bool waitFor(const std::function<bool()>& condition) {
        for (int i = 0; i < 100; ++i) {
            if (condition()) {
                return true;
            }
            QThread::msleep(50);
        }
        return condition();
    }
    static QString findWindow() {
        const ProcessResult found =
            runProcess("xdotool", {"search", "--onlyvisible", "--name", "^Ohmbra$"});
        return found.out.split('\n', Qt::SkipEmptyParts).value(0);
    }
    QRect geometry() const {
        const ProcessResult shell = runProcess("xdotool", {"getwindowgeometry", "--shell", m_window});
        QMap<QString, int> values;
        for (const QString& line : shell.out.split('\n', Qt::SkipEmptyParts)) {
            values[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        }
        return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
    }
    // The screen position of a canvas client point: window, canvas at (8, 8), 1-pixel edge.
    QPoint onScreen(int x, int y) const { return geometry().topLeft() + QPoint(9 + x, 9 + y); }
    static QImage grabScreen() {
        QProcess import;
        import.start("import", {"-window", "root", "png:-"});
        import.waitForFinished(10'000);
        return QImage::fromData(import.readAllStandardOutput(), "PNG");
    }
    QRgb screenPixel(int x, int y) const { return grabScreen().pixel(onScreen(x, y)); }
    QImage canvasRegion(int x, int y, int w, int h) const {
        return grabScreen().copy(QRect(onScreen(x, y), QSize(w, h)));
    }
    void clickCanvas(int x, int y) const {
        const QPoint p = onScreen(x, y);
        runProcess("xdotool",
            {"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    }

    QProcess m_program;
    QString m_window;
};

TEST_F(OhmbraUnderX, RealClicksPaintABandAndSwitchToFourBands) {
    EXPECT_EQ(geometry().size(), QSize(720, 528));
    ASSERT_TRUE(waitFor([&] { return screenPixel(285, 40) == qRgb(1, 0, 0); }))
        << "five-band view with a black band 2";
    const QImage readoutBefore = canvasRegion(435, 20, 250, 80);

    clickCanvas(230, 260); // the yellow swatch of band 2
    EXPECT_TRUE(waitFor([&] { return screenPixel(285, 40) == qRgb(255, 255, 0); }))
        << "band 2 turns yellow";
    EXPECT_NE(canvasRegion(435, 20, 250, 80), readoutBefore) << "the readout is rewritten";

    clickCanvas(7 + 24, 7 + 12); // 单选框_四环
    EXPECT_TRUE(waitFor([&] { return geometry().width() == 583; }));
    EXPECT_EQ(geometry().height(), 528);
    EXPECT_TRUE(waitFor([&] { return screenPixel(174, 40) == qRgb(128, 0, 0); }))
        << "four-band view: band 1 brown at x 170";
    EXPECT_EQ(screenPixel(189, 40), qRgb(1, 0, 0)) << "band 2 back to its default black";

    runProcess("xdotool", {"windowfocus", "--sync", m_window, "key", "Escape"});
    ASSERT_TRUE(m_program.waitForFinished(10'000)) << "Esc closes the window and ends the program";
    EXPECT_EQ(m_program.exitCode(), 0);
}

// The fatal skin failure on a real screen: a message box the user must dismiss, then 255.
TEST(OhmbraUnderXFatal, MessageBoxShowsTheMissingFunctionThenExits255) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "no X display; CTest runs this under xvfb-run";
    }
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(buildDir + "/ohmbra", folder.filePath("ohmbra")));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(SKIN_MISSING_AERO_FILE), folder.filePath("libSkinH_EL.so")));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(environment);
    program.start(folder.filePath("ohmbra"), {});
    ASSERT_TRUE(program.waitForStarted());

    QString box;
    for (int i = 0; i < 200 && box.isEmpty(); ++i) {
        box = runProcess("xdotool", {"search", "--onlyvisible", "--name", "^Ohmbra$"})
                  .out.split('\n', Qt::SkipEmptyParts)
                  .value(0);
        QThread::msleep(50);
    }
    ASSERT_FALSE(box.isEmpty()) << "no message box appeared; the program said: "
                                << program.readAllStandardError().toStdString();
    EXPECT_FALSE(program.waitForFinished(300)) << "the program waits for the user";
    runProcess("xdotool", {"windowfocus", "--sync", box, "key", "Return"});
    ASSERT_TRUE(program.waitForFinished(10'000));
    EXPECT_EQ(program.exitCode(), 255);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(err.contains("libSkinH_EL.so") && err.contains("SkinH_SetAero"))
        << err.toStdString();
}
