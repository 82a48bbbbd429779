// ohmbra-render: runs the real program headless (Qt's offscreen platform, the same start-up),
// performs user actions in order and prints the readout.
//
//   ohmbra-render [--each] [--png FILE] [ACTION]...
//   ACTION: four | five | click X Y   (X, Y in canvas client pixels)
//
// Prints the value text the readout shows (an empty line when none) and the tolerance line,
// after the last action, or after every action with --each. --png saves the canvas image.
// A bad argument prints usage on stderr and exits with status 2, printing nothing on stdout.

#include "app/startup.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Action {
    enum Kind { Four, Five, Click } kind;
    int x = 0, y = 0;
};

struct Options {
    bool each = false;
    std::string png;
    std::vector<Action> actions;
};

std::optional<int> parseInt(const char* text) {
    int value = 0;
    const char* end = text + std::char_traits<char>::length(text);
    const auto [last, error] = std::from_chars(text, end, value);
    if (error != std::errc() || last != end || last == text) {
        return std::nullopt;
    }
    return value;
}

std::optional<Options> parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--each") {
            options.each = true;
        } else if (word == "--png" && i + 1 < argc) {
            options.png = argv[++i];
        } else if (word == "four" || word == "five") {
            options.actions.push_back({word == "four" ? Action::Four : Action::Five});
        } else if (word == "click" && i + 2 < argc) {
            const auto x = parseInt(argv[i + 1]), y = parseInt(argv[i + 2]);
            if (!x || !y) {
                return std::nullopt;
            }
            options.actions.push_back({Action::Click, *x, *y});
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// Mouse input goes to the window, which routes it as it routes a real pointer.
void clickAt(QWidget* widget, QPoint point) {
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(widget->window(), point));
}

void perform(app::MainWindow& window, const Action& action) {
    switch (action.kind) {
    case Action::Four:
        clickAt(window.fourBandButton(), window.fourBandButton()->rect().center());
        break;
    case Action::Five:
        clickAt(window.fiveBandButton(), window.fiveBandButton()->rect().center());
        break;
    case Action::Click:
        clickAt(window.canvas(),
                window.canvas()->contentsRect().topLeft() + QPoint(action.x, action.y));
        break;
    }
}

void printReadout(const app::MainWindow& window) {
    const auto& readings = app::globals()->view.bandReadings;
    const auto value = colourcode::readoutValueText(window.bandCount(), readings);
    std::cout << value.value_or("") << '\n'
              << colourcode::readoutToleranceText(window.bandCount(), readings) << '\n'
              << std::flush;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseArguments(argc, argv);
    if (!options) {
        std::cerr << "usage: ohmbra-render [--each] [--png FILE] [four | five | click X Y]...\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    app::createGlobals();
    app::openMainWindow();
    app::MainWindow& window = *app::mainWindow();
    for (const Action& action : options->actions) {
        perform(window, action);
        if (options->each) {
            printReadout(window);
        }
    }
    if (!options->each) {
        printReadout(window);
    }
    int status = 0;
    if (!options->png.empty() &&
        !window.canvas()->image().save(QString::fromStdString(options->png), "PNG")) {
        std::cerr << "ohmbra-render: cannot write " << options->png << '\n';
        status = 1;
    }
    app::closeMainWindow();
    app::releaseGlobals();
    app::unloadSkinLibrary();
    return status;
}
