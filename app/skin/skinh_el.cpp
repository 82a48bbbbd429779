// The window-skin library, loaded by the program at run time. It exports two C functions:
//   SkinH_AttachRes  applies a skin (a widget style and palette colours) to the whole application;
//   SkinH_SetAero    makes every top-level window slightly translucent, or opaque again.
//
// Skin text, UTF-8: "key = value" lines, "#" comment lines and blank lines.
//   style = <name of a Qt widget style>
//   window, window-text, button, button-text, base, text, highlight, highlighted-text = #RRGGBB
// Unknown keys and bad colours are skipped; text with no usable line is ignored whole.
//
// The program dlclose()s this library while the QApplication may still live, so nothing that
// refers to code or constant data in here may stay inside Qt: the aero event filter is deleted
// when the library unloads, and every QString handed to Qt is built at run time (no literals,
// whose characters would live in this file's read-only data).

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QPalette>
#include <QPointer>
#include <QStringDecoder>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#define SKINH_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

enum Result : std::int32_t { applied = 0, nothingUsable = 1, noApplication = 2 };

struct RoleKey {
    std::string_view key;
    QPalette::ColorRole role;
    bool alsoDisabled; // backgrounds also for disabled widgets; texts keep the style's greyed look
};

constexpr RoleKey roleKeys[] = {
    {"window", QPalette::Window, true},
    {"window-text", QPalette::WindowText, false},
    {"button", QPalette::Button, true},
    {"button-text", QPalette::ButtonText, false},
    {"base", QPalette::Base, true},
    {"text", QPalette::Text, false},
    {"highlight", QPalette::Highlight, false},
    {"highlighted-text", QPalette::HighlightedText, false},
};

struct RoleColour {
    const RoleKey* role;
    QColor colour;
};

struct Skin {
    std::string style;
    std::vector<RoleColour> colours;
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<QColor> parseColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    int rgb = 0;
    for (const char c : text.substr(1)) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        rgb = rgb * 16 + digit;
    }
    return QColor(static_cast<QRgb>(rgb));
}

const RoleKey* findRole(std::string_view key) {
    for (const RoleKey& roleKey : roleKeys) {
        if (roleKey.key == key) {
            return &roleKey;
        }
    }
    return nullptr;
}

// Reads one "key = value" line into the skin; false when the line adds nothing.
bool parseLine(std::string_view line, Skin& skin) {
    line = trimmed(line);
    const auto equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos) {
        return false;
    }
    const std::string_view key = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (key == "style") {
        skin.style = value;
        return !value.empty();
    }
    const RoleKey* role = findRole(key);
    const std::optional<QColor> colour = parseColour(value);
    if (role == nullptr || !colour) {
        return false;
    }
    skin.colours.push_back({role, *colour});
    return true;
}

bool isText(std::string_view data) {
    if (data.find('\0') != std::string_view::npos) {
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded =
        decoder(QByteArrayView(data.data(), static_cast<qsizetype>(data.size())));
    return !decoder.hasError();
}

// The skin in the data, or nothing when the data is empty, binary or has no usable line.
std::optional<Skin> parseSkin(std::string_view data) {
    if (data.empty() || !isText(data)) {
        return std::nullopt;
    }
    Skin skin;
    bool usable = false;
    std::size_t start = 0;
    while (start <= data.size()) {
        const auto end = std::min(data.find('\n', start), data.size());
        usable = parseLine(data.substr(start, end - start), skin) || usable;
        start = end + 1;
    }
    return usable ? std::optional<Skin>(std::move(skin)) : std::nullopt;
}

void applyStyle(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    if (wanted.isEmpty() || !QStyleFactory::keys().contains(wanted, Qt::CaseInsensitive)) {
        return;
    }
    if (QApplication::style()->name().compare(wanted, Qt::CaseInsensitive) != 0) {
        QApplication::setStyle(wanted);
    }
}

void applyColours(const std::vector<RoleColour>& colours) {
    QPalette palette = QApplication::palette();
    for (const RoleColour& entry : colours) {
        palette.setColor(QPalette::Active, entry.role->role, entry.colour);
        palette.setColor(QPalette::Inactive, entry.role->role, entry.colour);
        if (entry.role->alsoDisabled) {
            palette.setColor(QPalette::Disabled, entry.role->role, entry.colour);
        }
    }
    QApplication::setPalette(palette);
}

bool isApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

SKINH_EXPORT std::int32_t SkinH_AttachRes(const unsigned char* data, std::int32_t size,
                                          const char* /*password*/, std::int32_t /*value1*/,
                                          std::int32_t /*value2*/, std::int32_t /*value3*/) {
    if (!isApplication()) {
        return noApplication;
    }
    if (data == nullptr || size <= 0) {
        return nothingUsable;
    }
    const std::optional<Skin> skin = parseSkin(
        std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size)));
    if (!skin) {
        return nothingUsable;
    }
    applyStyle(skin->style);
    if (!skin->colours.empty()) {
        applyColours(skin->colours);
    }
    return applied;
}

// A build variant for the loader's tests leaves this function out.
#ifndef SKINH_EL_WITHOUT_SET_AERO
namespace {

constexpr qreal aeroOpacity = 0.96;

// Gives windows that appear while aero is on the translucent look.
class AeroFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) {
                widget->setWindowOpacity(aeroOpacity);
            }
        }
        return false;
    }
};

// Owns the filter; its destructor runs when the library is unloaded (or the process ends), so
// the application never keeps a filter whose code is gone. The QPointer turns null if the
// application deleted the filter first, as the filter's parent.
struct AeroState {
    QPointer<AeroFilter> filter;

    void removeFilter() {
        if (filter) {
            QCoreApplication::instance()->removeEventFilter(filter.data());
            delete filter.data();
        }
    }

    ~AeroState() { removeFilter(); }
};

AeroState aeroState;

void setAllWindowsOpacity(qreal opacity) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->setWindowOpacity(opacity);
    }
}

} // namespace

SKINH_EXPORT std::int32_t SkinH_SetAero(std::int32_t enabled) {
    if (!isApplication()) {
        return noApplication;
    }
    if (enabled == 0) {
        aeroState.removeFilter();
        setAllWindowsOpacity(1.0);
        return applied;
    }
    if (!aeroState.filter) {
        aeroState.filter = new AeroFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(aeroState.filter.data());
    }
    setAllWindowsOpacity(aeroOpacity);
    return applied;
}
#endif
