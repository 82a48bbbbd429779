#include "app/window_skin.h"
#include "child_process.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path skinLibraryFile = SKIN_LIBRARY_FILE;
const fs::path missingAeroFile = SKIN_MISSING_AERO_FILE;
const fs::path fatalDriver = SKIN_FATAL_DRIVER;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "ohmbra-skin-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::uint8_t> bytesOf(std::span<const std::uint8_t> span) {
    return {span.begin(), span.end()};
}

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

fs::path libraryIn(const fs::path& folder) {
    return folder / app::skinLibraryFileName;
}

// --- Placing the library in the system folder ------------------------------------------------

TEST(EmbeddedFiles, AreTheBuiltLibraryAndTheSkinFile) {
    EXPECT_EQ(bytesOf(app::skinLibraryImage()), readBytes(skinLibraryFile));
    EXPECT_EQ(bytesOf(app::mainSkinData()), readBytes(MAIN_SKIN_FILE));
    ASSERT_GE(app::skinLibraryImage().size(), 4u);
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(app::skinLibraryImage().data()), 4),
              "\x7f"
              "ELF");
}

TEST(DefaultSystemFolder, IsWhereTheDynamicLoaderFindsTheCLibrary) {
    EXPECT_TRUE(fs::exists(app::defaultSystemFolder() / "libc.so.6")) << app::defaultSystemFolder();
}

TEST(SkinLibraryPlacement, WritesTheWholeImageWhenAbsent) {
    TempFolder folder;
    app::WindowSkin skin(folder.path());
    EXPECT_EQ(readBytes(libraryIn(folder.path())), bytesOf(app::skinLibraryImage()));
}

TEST(SkinLibraryPlacement, LeavesAnyExistingEntryUntouched) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& target)> make;
        std::function<void(const fs::path& target)> check;
    };
    const Case cases[] = {
        {"a different file", [](const fs::path& target) { writeText(target, "an older library"); },
         [](const fs::path& target) {
             const std::string_view expected = "an older library";
             EXPECT_EQ(readBytes(target),
                       std::vector<std::uint8_t>(expected.begin(), expected.end()));
         }},
        {"a folder", [](const fs::path& target) { fs::create_directory(target); },
         [](const fs::path& target) {
             EXPECT_TRUE(fs::is_directory(target));
             EXPECT_TRUE(fs::is_empty(target));
         }},
        {"a dangling symlink",
         [](const fs::path& target) {
             fs::create_symlink(target.parent_path() / "nowhere", target);
         },
         [](const fs::path& target) {
             EXPECT_TRUE(fs::is_symlink(target));
             EXPECT_FALSE(fs::exists(target.parent_path() / "nowhere"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path target = libraryIn(folder.path());
        c.make(target);
        app::ensureSkinLibrary(folder.path(), app::skinLibraryImage());
        c.check(target);
    }
}

TEST(SkinLibraryPlacement, IgnoresAFolderItCannotWriteIn) {
    TempFolder folder;
    const fs::path regularFile = folder.path() / "afile";
    writeText(regularFile, "not a folder");
    const fs::path unusable[] = {regularFile, folder.path() / "missing" / "deeper"};
    for (const fs::path& systemFolder : unusable) {
        SCOPED_TRACE(systemFolder);
        app::WindowSkin skin(systemFolder);
        EXPECT_FALSE(fs::exists(fs::symlink_status(libraryIn(systemFolder))));
    }
    EXPECT_TRUE(fs::is_regular_file(regularFile));
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

// A write cut short by the file size limit must not leave a truncated library behind.
TEST(SkinLibraryPlacement, RemovesAPartlyWrittenFile) {
    TempFolder folder;
    const std::vector<std::uint8_t> image(64 * 1024, 0xAB);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    app::ensureSkinLibrary(folder.path(), image);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_FALSE(fs::exists(fs::symlink_status(libraryIn(folder.path()))));
}

// --- Applying a skin, in this process ---------------------------------------------------------

QColor activeColour(QPalette::ColorRole role) {
    return QApplication::palette().color(QPalette::Active, role);
}

TEST(SkinApplication, SetsPaletteColoursFromSkinText) {
    struct Case {
        const char* name;
        std::string_view text;
        QPalette::ColorRole role;
        std::optional<QColor> expected; // none: the palette must not change at all
        std::int32_t result;
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {"one line", "button = #123456\n", QPalette::Button, QColor(0x12, 0x34, 0x56), 0},
        {"comments, blanks, unknown keys, CRLF",
         "# a skin\r\n\r\ncolour-of-the-day = #FFFFFF\r\n  button=#2468AC  \r\n", QPalette::Button,
         QColor(0x24, 0x68, 0xAC), 0},
        {"bad colours skipped, good line kept", "button = #12345G\nbutton = red\nwindow = #0A0B0C",
         QPalette::Window, QColor(0x0A, 0x0B, 0x0C), 0},
        {"last line without newline", "highlighted-text = #334455", QPalette::HighlightedText,
         QColor(0x33, 0x44, 0x55), 0},
        {"no usable line", "button = red\njust words\n# button = #010203\n", QPalette::Button,
         std::nullopt, 1},
        {"empty", "", QPalette::Button, std::nullopt, 1},
        {"binary around a usable line", "button = #112233\n\0\x01\x02"sv, QPalette::Button,
         std::nullopt, 1},
        {"not UTF-8", "button = #112233\n\xff\xfe", QPalette::Button, std::nullopt, 1},
    };
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Read"), &window);
    window.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QPalette before = QApplication::palette();
        const auto data = bytesOf(c.text);
        const std::int32_t result =
            app::skinAttachRes(app::skinBinding(), data.empty() ? nullptr : data.data(),
                               static_cast<std::int32_t>(data.size()), "", 0, 0, 0);
        QApplication::processEvents();
        EXPECT_EQ(result, c.result);
        if (!c.expected) {
            EXPECT_EQ(QApplication::palette(), before);
            continue;
        }
        EXPECT_EQ(activeColour(c.role), *c.expected);
        EXPECT_EQ(QApplication::palette().color(QPalette::Inactive, c.role), *c.expected);
        // Open windows take the skin too.
        EXPECT_EQ(window.palette().color(c.role), *c.expected);
        EXPECT_EQ(button->palette().color(c.role), *c.expected);
    }
    EXPECT_EQ(app::loadedSkinLibraryPath(), skinLibraryFile);
}

TEST(SkinApplication, GarbageBytesChangeNothing) {
    std::vector<std::uint8_t> garbage(4096);
    std::uint32_t state = 12345;
    for (std::uint8_t& byte : garbage) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    const QPalette before = QApplication::palette();
    app::attachSkin(garbage, 0, 0, 0, false);
    EXPECT_EQ(QApplication::palette(), before);
}

// The drawing canvas paints black text on the Button colour.
TEST(SkinApplication, ProgramSkinGivesALightCanvasAndDarkText) {
    app::attachSkin(app::mainSkinData(), 0, 0, 0, false);
    const QColor button = activeColour(QPalette::Button);
    EXPECT_GE(button.lightness(), 220) << button.name().toStdString();
    EXPECT_LE(button.hslSaturation(), 40) << button.name().toStdString();
    EXPECT_LE(activeColour(QPalette::ButtonText).lightness(), 50);
    EXPECT_LE(activeColour(QPalette::WindowText).lightness(), 50);
    EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
}

TEST(SkinApplication, AttachChangesNoGeometry) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Four bands")));
    layout->addWidget(new QLineEdit(QStringLiteral("4.7K")));
    layout->addWidget(new QPushButton(QStringLiteral("Read")));
    window.resize(320, 200);
    window.show();
    QApplication::processEvents();
    auto geometries = [&window] {
        std::vector<QRect> result{window.geometry()};
        for (const QWidget* child : window.findChildren<QWidget*>()) {
            result.push_back(child->geometry());
        }
        return result;
    };
    const std::vector<QRect> before = geometries();
    const QFont fontBefore = QApplication::font();
    app::attachSkin(app::mainSkinData(), 0, 0, 0, false);
    QApplication::processEvents();
    EXPECT_EQ(geometries(), before);
    EXPECT_EQ(QApplication::font(), fontBefore);
}

TEST(SkinApplication, AeroMakesPresentAndFutureWindowsTranslucentAndBack) {
    QWidget present;
    present.show();
    app::attachSkin({}, 0, 0, 0, true);
    QWidget future;
    future.show();
    EXPECT_LT(present.windowOpacity(), 1.0);
    EXPECT_GT(present.windowOpacity(), 0.9);
    EXPECT_LT(future.windowOpacity(), 1.0);

    app::attachSkin({}, 0, 0, 0, false);
    QWidget afterwards;
    afterwards.show();
    EXPECT_EQ(present.windowOpacity(), 1.0);
    EXPECT_EQ(future.windowOpacity(), 1.0);
    EXPECT_EQ(afterwards.windowOpacity(), 1.0);
}

// Unloading must take the aero event filter out of the application: a filter left behind
// would run unmapped code on the next event.
TEST(SkinApplication, UnloadLeavesNothingOfTheLibraryInTheApplication) {
    app::attachSkin(app::mainSkinData(), 0, 0, 0, true);
    const fs::path loaded = app::loadedSkinLibraryPath();
    ASSERT_FALSE(loaded.empty());
    app::unloadSkinLibrary();
    EXPECT_TRUE(app::loadedSkinLibraryPath().empty());
    void* stillThere = dlopen(loaded.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(stillThere, nullptr) << "the library was not really unloaded";
    if (stillThere != nullptr) {
        dlclose(stillThere);
    }

    QWidget window;
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowOpacity(), 1.0);

    app::attachSkin({}, 0, 0, 0, false); // binds again on the next call
    EXPECT_EQ(app::loadedSkinLibraryPath(), loaded);
}

TEST(SkinBinding, BindsNothingBeforeTheFirstCall) {
    app::SkinBinding binding;
    binding.programFolder = missingAeroFile.parent_path();
    EXPECT_TRUE(app::loadedSkinLibraryPath(binding).empty());
    EXPECT_EQ(app::skinAttachRes(binding, nullptr, 0, "", 0, 0, 0), 1);
    EXPECT_EQ(app::loadedSkinLibraryPath(binding), missingAeroFile);
    EXPECT_NE(binding.attachRes, nullptr);
    EXPECT_EQ(binding.setAero, nullptr);
    app::unloadSkinLibrary(binding);
    EXPECT_EQ(binding.handle, nullptr);
}

// --- Binding in a child process: which copy wins, and the fatal cases -------------------------

struct DriverRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the driver with the given program folder (none: its own folder) and loader search path.
DriverRun runDriver(const fs::path& driver, const std::optional<fs::path>& programFolder,
                    const fs::path& loaderPath) {
    QProcessEnvironment environment = offscreenEnvironment();
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"),
                       QString::fromStdString(loaderPath.string()));
    QStringList arguments;
    if (programFolder) {
        arguments << QString::fromStdString(programFolder->string());
    }
    const ProcessResult result =
        runProcess(QString::fromStdString(driver.string()), arguments, environment);
    return {result.status, result.out.toStdString(), result.err.toStdString()};
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SkinBindingFromOutside, CopyBesideTheProgramWinsAndItsMissingFunctionIsFatal) {
    const DriverRun run =
        runDriver(fatalDriver, missingAeroFile.parent_path(), skinLibraryFile.parent_path());
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_TRUE(contains(run.err, "libSkinH_EL.so")) << run.err;
    EXPECT_TRUE(contains(run.err, "SkinH_SetAero")) << run.err;
    EXPECT_TRUE(contains(run.err, missingAeroFile.string())) << run.err;
    EXPECT_FALSE(contains(run.out, "exit handler ran")) << run.out;
}

TEST(SkinBindingFromOutside, ProgramsOwnFolderIsSearchedByDefault) {
    TempFolder folder;
    const fs::path driverCopy = folder.path() / "driver";
    fs::copy_file(fatalDriver, driverCopy);
    fs::copy_file(missingAeroFile, libraryIn(folder.path()));
    const DriverRun run = runDriver(driverCopy, std::nullopt, skinLibraryFile.parent_path());
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_TRUE(contains(run.err, libraryIn(folder.path()).string())) << run.err;
    EXPECT_TRUE(contains(run.err, "SkinH_SetAero")) << run.err;
}

TEST(SkinBindingFromOutside, FallsBackToTheStandardSearch) {
    TempFolder emptyFolder;
    const DriverRun run = runDriver(fatalDriver, emptyFolder.path(), skinLibraryFile.parent_path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string bound = "bound ";
    const auto start = run.out.find(bound);
    ASSERT_NE(start, std::string::npos) << run.out;
    const std::string path =
        run.out.substr(start + bound.size(), run.out.find('\n', start) - start - bound.size());
    EXPECT_TRUE(fs::equivalent(path, skinLibraryFile)) << path;
    EXPECT_TRUE(contains(run.out, "exit handler ran")) << run.out; // a normal end runs it
}

TEST(SkinBindingFromOutside, NoLibraryAnywhereIsFatal) {
    if (fs::exists(libraryIn(app::defaultSystemFolder()))) {
        GTEST_SKIP() << "the system folder holds a skin library, which the standard search finds";
    }
    TempFolder emptyFolder;
    const DriverRun run = runDriver(fatalDriver, emptyFolder.path(), emptyFolder.path());
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_TRUE(contains(run.err, "libSkinH_EL.so could not be loaded")) << run.err;
    EXPECT_TRUE(contains(run.err, "SkinH_AttachRes")) << run.err;
    EXPECT_FALSE(contains(run.out, "exit handler ran")) << run.out;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    app::skinBinding().programFolder = skinLibraryFile.parent_path();
    const int result = RUN_ALL_TESTS();
    app::unloadSkinLibrary();
    return result;
}
