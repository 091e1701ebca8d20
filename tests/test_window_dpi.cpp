// The window on scaled screens. Qt reads the screen's scaling once, before the application
// object, so each DPI runs in a child process of this test ("child") under QT_FONT_DPI. The child
// prints the window's scale factor, one line for each fault it sees, and last a hash of the user
// view's image and of an 8-bit Convert ASCII file.
#include <QCryptographicHash>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

#include "app/screen_scaling.h"
#include "window_fixture.h"

namespace {

void ReportFaults(WindowFixture& f, QTextStream& out) {
    for (QWidget* widget : f.window->findChildren<QWidget*>()) {
        QString text;
        int room = 0;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            room = label->contentsRect().width() - 2 * label->margin();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            text = option.text = button->text();
            const auto contents = qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                                                   : QStyle::SE_PushButtonContents;
            room = button->style()->subElementRect(contents, &option, button).width();
        }
        if (widget->isVisible() && widget->fontMetrics().horizontalAdvance(text) > room)
            out << "cut " << widget->objectName() << ": " << text << '\n';
    }
    // Shown without smoothing, the user view holds no colour its image does not (white: the label).
    const auto colours = [](const QImage& image) {
        QSet<QRgb> set{qRgb(255, 255, 255)};
        for (int i = 0; i < image.width() * image.height(); ++i)
            set << (image.pixel(i % image.width(), i / image.width()) | 0xFF000000u);
        return set;
    };
    if (!colours(MainWindowTestAccess::previewImage(*f.window))
             .contains(colours(f.w<QLabel>("label_ImgUser")->grab().toImage())))
        out << "smoothed view\n";
    // The offscreen screen (800 x 600 pixels) is smaller than the window: it must fit, with scroll
    // bars that bring the lowest control into sight.
    QWidget* lowest = f.w<QProgressBar>("progressBar");
    QApplication::processEvents();
    auto* scroll = qobject_cast<QScrollArea*>(f.window->centralWidget());
    if (scroll) scroll->ensureWidgetVisible(lowest);
    if (!scroll || !f.window->screen()->availableGeometry().contains(f.window->geometry()) ||
        !scroll->viewport()->rect().contains(
            QRect(lowest->mapTo(scroll->viewport(), QPoint()), lowest->size())))
        out << "off screen\n";
}

int RunChild() {
    WindowFixture f;
    f.open();
    FitToScreen(f.window.get());
    f.window->show();
    QTextStream out(stdout);
    out << f.window->devicePixelRatioF() << '\n';
    ReportFaults(f, out);
    const QImage& view = MainWindowTestAccess::previewImage(*f.window);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(reinterpret_cast<const char*>(view.constBits()), int(view.sizeInBytes()));
    f.pick("comboBox_PixFormat", 3);
    f.answerer->QueueFile(f.path("ascii.bin"));
    f.w<QPushButton>("pushButton_Ascii")->click();
    const QByteArray file = ReadAll(f.path("ascii.bin"));
    if (file.isEmpty()) out << "no file\n";
    hash.addData(file);
    out << hash.result().toHex() << '\n';
    return 0;
}

// The child's lines; QT_ENABLE_HIGHDPI_SCALING=0 turns scaling off, as a user may.
QStringList RunAt(int dpi, bool scaled) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
          "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY"})
        env.remove(name);
    env.insert("QT_FONT_DPI", QString::number(dpi));
    if (!scaled) env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"child"});
    child.waitForFinished(300000);
    return QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class WindowDpiTest : public QObject {
    Q_OBJECT

  private slots:
    // The same view and bytes at every DPI; scaled, no text is cut and the form fits. Unscaled,
    // the fonts grow in a form that does not: the text check must see it.
    void formAndBytesPerDpi_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("96 dpi") << 96 << true;
        QTest::newRow("144 dpi") << 144 << true;
        QTest::newRow("144 dpi, scaling off") << 144 << false;
    }
    void formAndBytesPerDpi() {
        QFETCH(int, dpi);
        QFETCH(bool, scaled);
        static const QStringList at96 = RunAt(96, true);  // what the others must give
        QStringList run = RunAt(dpi, scaled);
        QVERIFY(run.size() >= 2 && at96.size() >= 2);
        QCOMPARE(run.takeLast(), at96.last());
        QCOMPARE(run.takeFirst().toDouble(), scaled ? dpi / 96.0 : 1.0);
        if (scaled)
            QVERIFY2(run.isEmpty(), qPrintable(run.join("; ")));
        else
            QCOMPARE(run.filter("cut label_3: Encodings:").size(), 1);
    }
};

int main(int argc, char* argv[]) {
    const bool child = argc == 2 && qstrcmp(argv[1], "child") == 0;
    if (child) EnableScreenScaling();
    QApplication application(argc, argv);
    if (child) return RunChild();
    WindowDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_dpi.moc"
