// The two enlarged views, the font dialog and the offset scroll bars.
#include <QApplication>
#include <QFontDialog>
#include <QtTest>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "modal_answerer.h"
#include "render/rasterizer.h"
#include "window_access.h"

class PreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { window = new MainWindow; }
    void cleanup() { delete window; }

    // A font file dropped on the window becomes the current font; a file that is no font is named
    // in a message and changes nothing.
    void droppedFontFile() {
        const QString dejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        if (!QFileInfo::exists(dejaVu)) QSKIP("no DejaVu Sans");
        QTemporaryFile notAFont;  // empty
        QVERIFY(notAFont.open());
        ModalAnswerer answerer;
        auto drop = [this](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(window, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                               Qt::NoModifier);
            QApplication::sendEvent(window, &dropped);
        };
        const QImage before = MainWindowTestAccess::glyphImage(*window).copy();
        drop(notAFont.fileName());
        QCOMPARE(answerer.messages(),
                 QStringList{"cannot read a font from " + notAFont.fileName()});
        QCOMPARE(field("lineEdit_FontInformation")->text(), QStringLiteral("宋体-20-常规"));
        drop(dejaVu);
        QCOMPARE(field("lineEdit_FontInformation")->text(), QStringLiteral("DejaVu Sans-20-常规"));
        QVERIFY(MainWindowTestAccess::glyphImage(*window) != before);  // the preview is redrawn
    }

    void labelPlacement_data() {
        QTest::addColumn<QSize>("cell");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("32x32") << QSize(32, 32) << QRect(186, 186, 129, 129);
        QTest::newRow("16x24") << QSize(16, 24) << QRect(218, 202, 65, 97);
        QTest::newRow("125x125") << QSize(125, 125) << QRect(0, 0, 501, 501);
        QTest::newRow("200x10") << QSize(200, 10) << QRect(0, 230, 801, 41);
    }
    void labelPlacement() {
        QFETCH(QSize, cell);
        QFETCH(QRect, geometry);
        field("lineEdit_W")->setText(QString::number(cell.width()));
        field("lineEdit_H")->setText(QString::number(cell.height()));
        window->ShowSystemPattern();
        window->ShowUserPattern();
        QCOMPARE(window->findChild<QLabel*>("label_ImgSystem")->geometry(), geometry);
        QCOMPARE(window->findChild<QLabel*>("label_ImgUser")->geometry(), geometry);
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
        combo("comboBox_PixFormat")->setCurrentIndex(format);
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

    // The bars draw in a cell of the current size, as "View" does.
    void scrollBarsSetOffsetsAndLog_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QPoint>("offsets");  // x0, y0
        QTest::addColumn<QString>("line");
        QTest::newRow("vertical 33") << "vertical" << 33 << QPoint(0, 0) << "y0=0,pos=33";
        QTest::newRow("vertical 50") << "vertical" << 50 << QPoint(0, 17) << "y0=17,pos=50";
        QTest::newRow("horizontal 50") << "horizontal" << 50 << QPoint(25, -7) << "x0=25,pos=50";
    }
    void scrollBarsSetOffsetsAndLog() {
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(QPoint, offsets);
        QFETCH(QString, line);
        field("lineEdit_W")->setText("20");
        field("lineEdit_H")->setText("12");
        window->findChild<QScrollBar*>(bar + "ScrollBar")->setValue(value);
        QCOMPARE(QPoint(MainWindowTestAccess::x0(*window), MainWindowTestAccess::y0(*window)),
                 offsets);
        QCOMPARE(window->findChild<QTextEdit*>("textEdit")->toPlainText(), "y0=-7,pos=26\n" + line);
        QCOMPARE(MainWindowTestAccess::glyphImage(*window).size(), QSize(20, 12));
        QCOMPARE(view("label_ImgUser").size(), QSize(81, 49));
    }

    // A cell far wider than the view, and an empty character, through View and a scroll bar.
    void oddCellSizesDoNotCrash_data() {
        QTest::addColumn<QString>("w");
        QTest::addColumn<QString>("text");
        QTest::newRow("1000 wide") << "1000" << QString::fromUtf8("乐");
        QTest::newRow("empty character") << "32"
                                         << "";
    }
    void oddCellSizesDoNotCrash() {
        QFETCH(QString, w);
        QFETCH(QString, text);
        field("lineEdit_W")->setText(w);
        field("lineEdit_CharCode")->setText(text);
        window->findChild<QPushButton*>("pushButton_3")->click();
        window->findChild<QScrollBar*>("verticalScrollBar")->setValue(40);
        QCOMPARE(MainWindowTestAccess::glyphW(*window), w.toInt());
    }

    // A cancelled font dialog keeps the font but still rewrites the field and the views.
    void cancelledFontDialog() {
        field("lineEdit_CharCode")->setText("A");
        QTimer closer;  // answers the dialog from inside its own event loop
        QString title;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                dialog->reject();
            }
        });
        closer.start(5);
        const QString family = MainWindowTestAccess::currentFont(*window).family();
        MainWindowTestAccess::glyphImage(*window).fill(Qt::white);
        window->ShowSystemPattern();
        window->findChild<QPushButton*>("pushButton_SelectFont")->click();
        QCOMPARE(title, QStringLiteral("Select a font"));
        QCOMPARE(field("lineEdit_FontInformation")->text(),
                 family + "-20-" + MainWindowTestAccess::currentFont(*window).styleName());
        QCOMPARE(view("label_ImgSystem").pixel(0, 0), qRgb(0, 0, 0));  // "A" drawn afresh
    }

  private:
    QLineEdit* field(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QComboBox* combo(const QString& name) { return window->findChild<QComboBox*>(name); }
    QImage view(const char* name) {
        const QLabel* label = window->findChild<QLabel*>(name);
        return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    MainWindow* window = nullptr;
};

QTEST_MAIN(PreviewTest)
#include "test_preview.moc"
