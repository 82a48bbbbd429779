// The drawing surface's platform side on Qt: appearance from the application's palette and
// font, text drawn by a QPainter on a QImage that wraps the surface's own buffer.

#include "drawing/surface_platform.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <cmath>
#include <map>
#include <mutex>

namespace drawing::platform {

namespace {

// The face the readout and chart ask for by name. Where it is not installed it is mapped once
// to an installed CJK sans face, so Chinese never renders as empty boxes.
void substituteCjkFaces() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitutions(
            QStringLiteral("微软雅黑"),
            {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
             QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
             QStringLiteral("Droid Sans Fallback")});
    });
}

// The family to ask Qt for: the face itself where it is installed, else its first installed
// stand-in. Asking for an installed CJK family directly lets one font serve Latin and Han text
// alike, where a missing face costs a fallback search and a second font for every size.
const QString& resolvedFamily(const std::string& face) {
    static std::map<std::string, QString> resolved;
    auto found = resolved.find(face);
    if (found == resolved.end()) {
        substituteCjkFaces();
        QString family = QString::fromStdString(face);
        if (!QFontDatabase::hasFamily(family)) {
            for (const QString& substitute : QFont::substitutes(family)) {
                if (QFontDatabase::hasFamily(substitute)) {
                    family = substitute;
                    break;
                }
            }
        }
        found = resolved.emplace(face, family).first;
    }
    return found->second;
}

} // namespace

colourcode::Colour buttonFaceColour() {
    const QColor c = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
    return static_cast<colourcode::Colour>(c.red()) |
           static_cast<colourcode::Colour>(c.green()) << 8 |
           static_cast<colourcode::Colour>(c.blue()) << 16;
}

int logicalDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? static_cast<int>(std::lround(dpi)) : 96;
}

FontChoice defaultInterfaceFont() {
    const QFont font = QGuiApplication::font();
    int points = font.pointSize();
    if (points <= 0) { // a font set in pixels has no point size of its own
        points = static_cast<int>(std::lround(font.pixelSize() * 72.0 / logicalDpiY()));
    }
    return {font.family().toStdString(), points};
}

void drawText(std::uint32_t* pixels, int width, int height, int x, int y, std::string_view text,
              const std::string& face, int pixelHeight) {
    QImage image(reinterpret_cast<uchar*>(pixels), width, height, static_cast<qsizetype>(width) * 4,
                 QImage::Format_RGB32);
    QFont font(resolvedFamily(face));
    font.setPixelSize(std::max(pixelHeight, 1));
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(x, y + painter.fontMetrics().ascent(),
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace drawing::platform
