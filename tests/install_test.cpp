// The installed program as a packager or a user gets it: `cmake --install` into a temporary
// prefix, the files a desktop needs, their validators, and a start of the installed command.
#include "app/app_icon.h"
#include "child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

const QString buildDir = QStringLiteral(OHMBRA_BUILD_DIR);
const QString appId = QStringLiteral("io.github.ohmbra.Ohmbra");

// Validators and installers speak on either stream; their whole say.
QString printed(const ProcessResult& result) {
    return result.out + result.err;
}

ProcessResult run(const QString& program, const QStringList& arguments) {
    return runProcess(program, arguments, QProcessEnvironment::systemEnvironment(), 120'000);
}

std::optional<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

// Installs once per run of this program. Installing rewrites the build tree's
// install_manifest.txt, which a user may keep from a real install to uninstall with, so the old
// one is put back; the lock keeps tests run in parallel from restoring each other's.
class Install : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_prefix = std::make_unique<QTemporaryDir>();
        QLockFile lock(buildDir + "/install_tests.lock");
        lock.setStaleLockTime(0); // not stale by age; a lock whose holder died is still taken over
        lock.lock();
        const QString manifest = buildDir + "/install_manifest.txt";
        const std::optional<QByteArray> keptManifest = readFile(manifest);
        s_install = run(QStringLiteral(OHMBRA_CMAKE_COMMAND),
                        {"--install", buildDir, "--prefix", s_prefix->path()});
        QFile::remove(manifest);
        if (keptManifest) {
            QFile file(manifest);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(*keptManifest);
            }
        }
    }
    static void TearDownTestSuite() { s_prefix.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_prefix->isValid());
        ASSERT_EQ(s_install.status, 0) << printed(s_install).toStdString();
    }

    static QString installed(const QString& path) { return s_prefix->filePath(path); }

    static std::unique_ptr<QTemporaryDir> s_prefix;
    static ProcessResult s_install;
};

std::unique_ptr<QTemporaryDir> Install::s_prefix;
ProcessResult Install::s_install;

TEST_F(Install, CommandLinksToTheProgramWithItsSkinLibraryBeside) {
    const QFileInfo command(installed("bin/ohmbra"));
    ASSERT_TRUE(command.isSymLink()) << "bin/ohmbra";
    // Relative, so that a tree staged with DESTDIR or moved as a whole still works.
    const QString linkText = QString::fromStdString(
        std::filesystem::read_symlink(command.filePath().toStdString()).string());
    EXPECT_TRUE(QDir::isRelativePath(linkText)) << linkText.toStdString();

    const QFileInfo program(command.canonicalFilePath());
    ASSERT_TRUE(program.exists()) << "bin/ohmbra dangles: " << linkText.toStdString();
    const QString prefix = QDir(s_prefix->path()).canonicalPath();
    EXPECT_TRUE(program.canonicalFilePath().startsWith(prefix + "/"))
        << program.filePath().toStdString();
    EXPECT_FALSE(program.isSymLink());
    EXPECT_TRUE(program.isExecutable());
    EXPECT_EQ(program.dir().dirName().toStdString(), "ohmbra") << "a folder of the program's own";

    // The skin library beside the real file, the very one the build made.
    const QString library = program.dir().filePath("libSkinH_EL.so");
    const std::optional<QByteArray> installedLibrary = readFile(library);
    ASSERT_TRUE(installedLibrary) << library.toStdString();
    const std::optional<QByteArray> builtLibrary = readFile(buildDir + "/libSkinH_EL.so");
    ASSERT_TRUE(builtLibrary);
    EXPECT_TRUE(*installedLibrary == *builtLibrary)
        << "the installed skin library differs from the build's";
}

TEST_F(Install, DesktopEntryAndMetainfoPassTheirValidators) {
    const QString desktop = installed("share/applications/" + appId + ".desktop");
    const QString metainfo = installed("share/metainfo/" + appId + ".metainfo.xml");
    ASSERT_TRUE(QFileInfo::exists(desktop)) << desktop.toStdString();
    ASSERT_TRUE(QFileInfo::exists(metainfo)) << metainfo.toStdString();

    // Not even a hint: a menu could show the program twice, or not where expected.
    const ProcessResult entry = run("desktop-file-validate", {desktop});
    EXPECT_EQ(entry.status, 0) << printed(entry).toStdString();
    EXPECT_EQ(printed(entry).toStdString(), "") << "desktop-file-validate has remarks";

    const ProcessResult appstream = run("appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(appstream.status, 0) << printed(appstream).toStdString();
    // The tree as a whole: the metainfo's launchable is the installed desktop entry.
    const ProcessResult tree = run("appstreamcli", {"validate-tree", "--no-net", s_prefix->path()});
    EXPECT_EQ(tree.status, 0) << printed(tree).toStdString();

    // The command and the icon the desktop entry names are the installed ones.
    QString exec, icon;
    for (const QString& line : QString::fromUtf8(readFile(desktop).value_or("")).split('\n')) {
        if (line.startsWith("Exec=")) {
            exec = line.mid(5);
        } else if (line.startsWith("Icon=")) {
            icon = line.mid(5);
        }
    }
    EXPECT_EQ(exec.toStdString(), "ohmbra") << "the command in the user's PATH, no arguments";
    EXPECT_TRUE(QFileInfo(installed("bin/" + exec)).isExecutable()) << exec.toStdString();
    for (const QString& file : {"scalable/apps/" + icon + ".svg", "48x48/apps/" + icon + ".png"}) {
        EXPECT_TRUE(QFileInfo::exists(installed("share/icons/hicolor/" + file)))
            << file.toStdString();
    }
}

TEST_F(Install, IconsAreTheWindowsOwnIcon) {
    for (int size : {48, 128}) {
        const QString name = QString("share/icons/hicolor/%1x%1/apps/ohmbra.png").arg(size);
        const QImage png(installed(name));
        ASSERT_FALSE(png.isNull()) << name.toStdString() << " is missing or no PNG";
        EXPECT_EQ(png.size(), QSize(size, size)) << name.toStdString();
        const QImage expected = app::appIconImage(size).convertToFormat(QImage::Format_ARGB32);
        EXPECT_TRUE(png.convertToFormat(QImage::Format_ARGB32) == expected)
            << name.toStdString() << " is not the icon the window shows";
    }

    const QString svgName = "share/icons/hicolor/scalable/apps/ohmbra.svg";
    QFile svg(installed(svgName));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << svgName.toStdString();
    QXmlStreamReader xml(&svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_EQ(xml.namespaceUri(), QLatin1String("http://www.w3.org/2000/svg"));
    EXPECT_EQ(xml.attributes().value("viewBox"), QLatin1String("0 0 64 64"));
    while (!xml.atEnd()) {
        xml.readNext();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

// The installed command starts and stays up, bound to the skin library beside the real program
// file: not a copy elsewhere on the loader's path, and not the fatal exit (255) for want of one.
TEST_F(Install, InstalledCommandRunsWithTheSkinLibraryBesideIt) {
    const QString command = installed("bin/ohmbra");
    const QString besideLibrary =
        QFileInfo(QFileInfo(command).canonicalFilePath()).dir().filePath("libSkinH_EL.so");
    ASSERT_TRUE(QFileInfo::exists(besideLibrary));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("LD_LIBRARY_PATH");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(command, {});
    ASSERT_TRUE(program.waitForStarted(10'000)) << program.errorString().toStdString();

    // The library is bound while the window is created; /proc/PID/maps names the file mapped.
    const QString maps = QString("/proc/%1/maps").arg(program.processId());
    QString mapped;
    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::steady_clock::now() - started; };
    // QProcess notices the end only in its wait calls, so waiting is also how the loop sleeps.
    while (elapsed() < std::chrono::seconds(15) && !program.waitForFinished(50)) {
        const QString text = QString::fromUtf8(readFile(maps).value_or(QByteArray()));
        for (const QString& line : text.split('\n')) {
            if (line.endsWith("/libSkinH_EL.so")) {
                mapped = line.mid(line.indexOf('/')); // the path may hold spaces
            }
        }
        if (!mapped.isEmpty() && elapsed() >= std::chrono::milliseconds(1500)) {
            break;
        }
    }
    const bool running = program.state() == QProcess::Running;
    if (running) {
        program.kill();
    }
    program.waitForFinished(10'000);

    ASSERT_TRUE(running) << "the installed program ended early, status " << program.exitCode()
                         << (program.exitCode() == 255 ? " (skin library not bound)" : "") << ":\n"
                         << program.readAll().toStdString();
    EXPECT_EQ(mapped.toStdString(), besideLibrary.toStdString()) << "the skin library bound";
}

} // namespace
