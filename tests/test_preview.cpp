// The two enlarged views, the font dialog and the offset scroll bars.
#include <sys/stat.h>

#include <QtTest>

#include "render/rasterizer.h"
#include "window_fixture.h"

class PreviewTest : public QObject, private WindowFixture {
    Q_OBJECT

    QImage view(const char* name) {
        const QImage image = w<QLabel>(name)->pixmap(Qt::ReturnByValue).toImage();
        return image.convertToFormat(QImage::Format_ARGB32);
    }

  private slots:
    void init() { open(); }
    void cleanup() { close(); }

    // A font file dropped on the window becomes the current font; a file that is no font (here a
    // FIFO, which would block the window until written to) is named in a message and changes
    // nothing. Every refusal of a font file is test_cli's.
    void droppedFontFile() {
        if (!QFileInfo::exists(kDejaVuSans)) SKIP_OR_FAIL("no DejaVu Sans");
        auto drop = [this](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(window.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                               Qt::NoModifier);
            QApplication::sendEvent(window.get(), &dropped);
        };
        const QString fifo = dir->filePath("fifo");
        QCOMPARE(mkfifo(QFile::encodeName(fifo), 0600), 0);
        const QImage before = MainWindowTestAccess::glyphImage(*window).copy();
        drop(fifo);
        QCOMPARE(answerer->messages, QStringList(fifo + " is not a regular file"));
        QCOMPARE(w<QLineEdit>("lineEdit_FontInformation")->text(), QStringLiteral("宋体-20-常规"));
        drop(kDejaVuSans);
        QCOMPARE(w<QLineEdit>("lineEdit_FontInformation")->text(),
                 QStringLiteral("DejaVu Sans-20-常规"));
        QVERIFY(MainWindowTestAccess::glyphImage(*window) != before);  // the preview is redrawn
        // A pixel font of nine strikes, 12 to 32 px: Fit in 32 x 32 cells takes the largest.
        const char terminus[] = "/usr/share/fonts/opentype/terminus/terminus-normal.otb";
        if (!QFileInfo::exists(terminus)) SKIP_OR_FAIL("fonts-terminus-otb is not installed");
        drop(terminus);
        w<QPushButton>("pushButton_Fit")->click();
        QVERIFY2(log().contains("Fit: 24 pt (32 px), "), qPrintable(log()));
    }

    // Row 0 holds the grays 255, 51, 50, 170 and pure red. The user view shows each stored level,
    // the system view the gray whatever the format, for red (11 * 255) >> 5 = 87.
    void viewColoursPerFormat_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QVector<int>>("shown");
        QTest::newRow("1bits") << 0 << QVector<int>{255, 255, 0, 255};
        QTest::newRow("2bits") << 1 << QVector<int>{255, 0, 0, 0xAA};
        QTest::newRow("4bits") << 2 << QVector<int>{255, 0x33, 0x33, 0xAA};
        QTest::newRow("8bits") << 3 << QVector<int>{255, 51, 50, 170};
        QTest::newRow("aRGB4444") << 4 << QVector<int>{240, 48, 48, 160};
    }
    void viewColoursPerFormat() {
        QFETCH(int, format);
        QFETCH(QVector<int>, shown);
        pick("comboBox_PixFormat", format);
        QImage& glyph = MainWindowTestAccess::glyphImage(*window) =
            runemill::MakeGlyphImage(32, 32);
        const QVector<int> grays = {255, 51, 50, 170, 87};
        for (int x = 0; x < 4; ++x) glyph.setPixel(x, 0, qRgb(grays[x], grays[x], grays[x]));
        glyph.setPixel(4, 0, qRgb(255, 0, 0));
        window->ShowSystemPattern();
        window->ShowUserPattern();
        const QImage user = view("label_ImgUser"), system = view("label_ImgSystem");
        for (int i = 0; i <= 32; i += 8)  // 33 grid lines each way
            QVERIFY(user.pixel(4 * i, 2) == qRgb(119, 119, 119) &&
                    user.pixel(2, 4 * i) == qRgb(119, 119, 119));
        for (int x = 0; x < 5; ++x)
            for (int d = 1; d <= 3; ++d) {  // the cell's interior
                if (x < 4) QCOMPARE(user.pixel(4 * x + d, d), qRgb(shown[x], shown[x], shown[x]));
                QCOMPARE(system.pixel(4 * x + d, d), qRgb(grays[x], grays[x], grays[x]));
            }
        QCOMPARE(system.pixel(20, 20), qRgb(0, 0, 0));
    }

    // The bars log the offset they set (the offsets' effect on the bytes is test_cli's window = CLI
    // check) and draw in a cell of the current size, as "View" does: both views centred in their
    // 501 x 502 area.
    void scrollBarsSetOffsetsAndLog() {
        setCell("20", "12");
        w<QScrollBar>("horizontalScrollBar")->setValue(50);
        QCOMPARE(MainWindowTestAccess::glyphImage(*window).size(), QSize(20, 12));
        set("lineEdit_W", "24");
        w<QScrollBar>("verticalScrollBar")->setValue(50);
        QCOMPARE(log(),
                 QStringLiteral("y0=-7,pos=26\nx0=25,pos=50\ny0=17,pos=50"));  // start-up's first
        for (const char* label : {"label_ImgUser", "label_ImgSystem"})
            QCOMPARE(w<QLabel>(label)->geometry(), QRect(202, 226, 97, 49));
    }

    // A cell far wider than the view, and an empty character, through View and a scroll bar.
    void oddCellSizesDoNotCrash_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("at");  // the views' place: a view wider than its area at the left
        QTest::newRow("1000 wide") << "1000" << QString::fromUtf8("乐") << QPoint(0, 186);
        QTest::newRow("empty character") << "32" << QString() << QPoint(186, 186);
    }
    void oddCellSizesDoNotCrash() {
        QFETCH(QString, width);
        QFETCH(QString, text);
        QFETCH(QPoint, at);
        set("lineEdit_W", width);
        set("lineEdit_CharCode", text);
        w<QPushButton>("pushButton_3")->click();
        w<QScrollBar>("verticalScrollBar")->setValue(40);
        QCOMPARE(MainWindowTestAccess::glyphW(*window), width.toInt());
        QCOMPARE(w<QLabel>("label_ImgUser")->geometry().topLeft(), at);
    }

    // A cancelled font dialog keeps the font but still rewrites the field and the views.
    void cancelledFontDialog() {
        set("lineEdit_CharCode", "A");
        const QString family = MainWindowTestAccess::currentFont(*window).family();
        MainWindowTestAccess::glyphImage(*window).fill(Qt::white);
        window->ShowSystemPattern();
        w<QPushButton>("pushButton_SelectFont")->click();
        QCOMPARE(answerer->cancelled, QStringList{"Select a font"});
        QCOMPARE(w<QLineEdit>("lineEdit_FontInformation")->text(),
                 family + "-20-" + MainWindowTestAccess::currentFont(*window).styleName());
        QCOMPARE(view("label_ImgSystem").pixel(0, 0), qRgb(0, 0, 0));  // "A" drawn afresh
    }
};

QTEST_MAIN(PreviewTest)
#include "test_preview.moc"
