// The two enlarged views, the font dialog and the offset scroll bars.
#include <QApplication>
#include <QFontDialog>
#include <QSet>
#include <QtTest>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "window_access.h"

namespace {

QImage ViewOf(MainWindow* window, const char* name) {
    const QLabel* label = window->findChild<QLabel*>(name);
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
}

// A W x H GlyphImage whose first row holds the given gray levels.
QImage GrayRow(int w, int h, const QVector<int>& levels) {
    QImage glyph(w, h, QImage::Format_ARGB32);
    glyph.fill(0xFF000000u);
    for (int x = 0; x < levels.size(); ++x) glyph.setPixel(x, 0, qRgb(levels[x], levels[x], levels[x]));
    return glyph;
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { window = new MainWindow; }
    void cleanup() { delete window; }

    void labelPlacement_data() {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("32x32") << 32 << 32 << QRect(186, 186, 129, 129);
        QTest::newRow("16x24") << 16 << 24 << QRect(218, 202, 65, 97);
        QTest::newRow("125x125") << 125 << 125 << QRect(0, 0, 501, 501);
        QTest::newRow("200x10") << 200 << 10 << QRect(0, 230, 801, 41);
    }
    void labelPlacement() {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QRect, geometry);
        field("lineEdit_W")->setText(QString::number(w));
        field("lineEdit_H")->setText(QString::number(h));
        window->ShowSystemPattern();
        QCOMPARE(window->findChild<QLabel*>("label_ImgSystem")->geometry(), geometry);
        window->ShowUserPattern();
        QCOMPARE(window->findChild<QLabel*>("label_ImgUser")->geometry(), geometry);
        QCOMPARE(MainWindowTestAccess::previewW(*window), 4 * w + 1);
        QCOMPARE(MainWindowTestAccess::previewH(*window), 4 * h + 1);
    }

    // Interior colour of the user view's cells 0..3 of row 0 for the gray levels 255, 51, 50, 170.
    void userViewColoursPerFormat_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QVector<int>>("shown");
        QTest::newRow("1bits") << 0 << QVector<int>{255, 255, 0, 255};
        QTest::newRow("2bits") << 1 << QVector<int>{255, 0, 0, 0xAA};
        QTest::newRow("4bits") << 2 << QVector<int>{255, 0x33, 0x33, 0xAA};
        QTest::newRow("8bits") << 3 << QVector<int>{255, 51, 50, 170};
        QTest::newRow("aRGB4444") << 4 << QVector<int>{240, 48, 48, 160};
    }
    void userViewColoursPerFormat() {
        QFETCH(int, format);
        QFETCH(QVector<int>, shown);
        window->findChild<QComboBox*>("comboBox_PixFormat")->setCurrentIndex(format);
        MainWindowTestAccess::glyphImage(*window) = GrayRow(32, 32, {255, 51, 50, 170});
        window->ShowUserPattern();
        const QImage view = ViewOf(window, "label_ImgUser");
        for (int i = 0; i <= 32; i += 8) {  // 33 grid lines each way
            QCOMPARE(view.pixel(4 * i, 2), qRgb(119, 119, 119));
            QCOMPARE(view.pixel(2, 4 * i), qRgb(119, 119, 119));
        }
        for (int x = 0; x < shown.size(); ++x) {
            const int level = shown[x];
            for (int d = 1; d <= 3; ++d)
                QCOMPARE(view.pixel(4 * x + d, d), qRgb(level, level, level));
        }
    }

    void systemViewIsTheGlyphInGray() {
        QImage glyph = GrayRow(32, 32, {200});
        glyph.setPixel(1, 0, qRgb(255, 0, 0));  // pure red: (11 * 255) >> 5 = 87
        MainWindowTestAccess::glyphImage(*window) = glyph;
        window->ShowSystemPattern();
        const QImage view = ViewOf(window, "label_ImgSystem");
        QCOMPARE(view.pixel(1, 1), qRgb(200, 200, 200));
        QCOMPARE(view.pixel(6, 1), qRgb(87, 87, 87));
        QCOMPARE(view.pixel(20, 20), qRgb(0, 0, 0));
    }

    // After a 90-degree turn of a 32 x 16 cell, the user view reads black outside the 16 x 32 image.
    void turnedGlyphOutsideIsBlack() {
        field("lineEdit_H")->setText("16");
        QImage turned(16, 32, QImage::Format_BGR888);
        turned.fill(Qt::white);
        MainWindowTestAccess::glyphImage(*window) = turned;
        window->ShowUserPattern();
        const QImage view = ViewOf(window, "label_ImgUser");
        QCOMPARE(view.size(), QSize(129, 65));
        QCOMPARE(view.pixel(4 * 15 + 2, 2), qRgb(255, 255, 255));
        QCOMPARE(view.pixel(4 * 16 + 2, 2), qRgb(0, 0, 0));
    }

    void scrollBarsSetOffsetsAndLog_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("line");
        QTest::newRow("vertical 33") << "verticalScrollBar" << 33 << 0 << "y0=0,pos=33";
        QTest::newRow("vertical 50") << "verticalScrollBar" << 50 << 17 << "y0=17,pos=50";
        QTest::newRow("horizontal 50") << "horizontalScrollBar" << 50 << 25 << "x0=25,pos=50";
    }
    void scrollBarsSetOffsetsAndLog() {
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(int, offset);
        QFETCH(QString, line);
        window->findChild<QScrollBar*>(bar)->setValue(value);
        const bool vertical = bar.startsWith('v');
        QCOMPARE(vertical ? MainWindowTestAccess::y0(*window) : MainWindowTestAccess::x0(*window), offset);
        const QStringList log = window->findChild<QTextEdit*>("textEdit")->toPlainText().split('\n');
        QCOMPARE(log.size(), 2);
        QCOMPARE(log.last(), line);
    }

    // The scroll bars draw in a cell of the current size, as "View" does.
    void scrollBarUsesTheCurrentCell() {
        field("lineEdit_W")->setText("20");
        field("lineEdit_H")->setText("12");
        window->findChild<QScrollBar*>("horizontalScrollBar")->setValue(30);
        QCOMPARE(MainWindowTestAccess::glyphImage(*window).size(), QSize(20, 12));
        QCOMPARE(ViewOf(window, "label_ImgUser").size(), QSize(81, 49));
    }

    // "View" on 华 in 2bits shows the four stored levels in the grid.
    void viewShowsTheFourLevelsOf2Bits() {
        window->findChild<QComboBox*>("comboBox_ShowBy")->setCurrentIndex(0);
        field("lineEdit_TextCode")->setText("BBAA");
        window->findChild<QComboBox*>("comboBox_PixFormat")->setCurrentIndex(1);
        window->findChild<QPushButton*>("pushButton_3")->click();
        const QImage view = ViewOf(window, "label_ImgUser");
        QSet<QRgb> levels;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) levels.insert(view.pixel(4 * x + 2, 4 * y + 2));
        QCOMPARE(levels, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(0x55, 0x55, 0x55), qRgb(0xAA, 0xAA, 0xAA),
                                     qRgb(0xFF, 0xFF, 0xFF)}));
    }

    void oddCellSizesDoNotCrash_data() {
        QTest::addColumn<QString>("w");
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty W") << "" << "32" << QString::fromUtf8("乐");
        QTest::newRow("1000 wide") << "1000" << "16" << QString::fromUtf8("乐");
        QTest::newRow("empty character") << "32" << "32" << "";
        QTest::newRow("huge") << "99999999" << "99999999" << "A";
    }
    void oddCellSizesDoNotCrash() {
        QFETCH(QString, w);
        QFETCH(QString, h);
        QFETCH(QString, text);
        field("lineEdit_W")->setText(w);
        field("lineEdit_H")->setText(h);
        field("lineEdit_CharCode")->setText(text);
        window->findChild<QPushButton*>("pushButton_3")->click();
        window->findChild<QScrollBar*>("verticalScrollBar")->setValue(40);
        QCOMPARE(MainWindowTestAccess::glyphW(*window), w.toInt());
    }

    // A cancelled font dialog keeps the font but still rewrites the field and the views.
    void cancelledFontDialog() {
        field("lineEdit_CharCode")->setText("A");
        QTimer closer;
        QString title;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                dialog->reject();
            }
        });
        closer.start(5);
        const QFont before = MainWindowTestAccess::currentFont(*window);
        window->findChild<QPushButton*>("pushButton_SelectFont")->click();
        QCOMPARE(title, QStringLiteral("Select a font"));
        const QFont& after = MainWindowTestAccess::currentFont(*window);
        QCOMPARE(after.family(), before.family());
        QCOMPARE(after.pointSize(), 20);
        QCOMPARE(field("lineEdit_FontInformation")->text(),
                 after.family() + "-20-" + after.styleName());
    }

private:
    QLineEdit* field(const QString& name) { return window->findChild<QLineEdit*>(name); }
    MainWindow* window = nullptr;
};

QTEST_MAIN(PreviewTest)
#include "test_preview.moc"
