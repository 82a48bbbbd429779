// ohmbra-baseline: the yardstick for Ohmbra's start-up. A bare Qt Widgets window of Ohmbra's
// size that draws about what Ohmbra's first frame shows: some 60 filled rectangles and 100
// short Chinese texts in a CJK face, all in its paint event. Escape closes it.

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <array>

namespace {

// clang-format off
constexpr std::array<const char*, 20> labels = {
    "第一环", "第二环", "第三环", "第四环", "精  度",
    "黑：", "棕：", "红：", "橙：", "黄：", "绿：", "蓝：", "紫：", "灰：", "白：", "金：", "银：",
    "四环", "五环", "值"};
// clang-format on

constexpr std::array<QRgb, 12> swatchColours = {0x010000, 0x800000, 0xFF0000, 0xFF8000,
                                                0xFFFF00, 0x008000, 0x0000FF, 0x800080,
                                                0x808080, 0xFFFFFF, 0xFBD860, 0xC8C8C8};

class BaselineWindow : public QWidget {
public:
    BaselineWindow() {
        setWindowTitle(QStringLiteral("Ohmbra baseline"));
        setFixedSize(720, 528);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        drawRectangles(painter);
        drawTexts(painter);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    // 5 columns of 12 swatches, each outlined and filled: 60 rectangles.
    static void drawRectangles(QPainter& painter) {
        for (int column = 0; column < 5; ++column) {
            for (int row = 0; row < 12; ++row) {
                const QColor colour(swatchColours[std::size_t(row)]);
                painter.setPen(colour);
                painter.setBrush(colour);
                painter.drawRect(90 + 130 * column, 165 + 25 * row, 59, 19);
            }
        }
    }

    // 100 texts in the four sizes Ohmbra's view uses (12, 21, 24 and 32 pixels): 5 column
    // headers, a name beside each of the 60 swatches, and a block of 35 more at the top in the
    // two sizes of Ohmbra's readout lines.
    static void drawTexts(QPainter& painter) {
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(21);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (int column = 0; column < 5; ++column) {
            painter.drawText(70 + 130 * column, 140, label(column));
        }
        font.setPixelSize(12);
        painter.setFont(font);
        for (int column = 0; column < 5; ++column) {
            for (int row = 0; row < 12; ++row) {
                painter.drawText(62 + 130 * column, 180 + 25 * row, label(5 + row));
            }
        }
        for (int i = 0; i < 35; ++i) {
            font.setPixelSize(i % 2 == 0 ? 32 : 24);
            painter.setFont(font);
            painter.drawText(20 + 95 * (i % 7), 30 + 20 * (i / 7), label(5 + i % 15));
        }
    }

    static QString label(int i) { return QString::fromUtf8(labels[std::size_t(i)]); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    BaselineWindow window;
    window.show();
    return QApplication::exec();
}
