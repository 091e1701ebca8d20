// The window on scaled screens. Qt reads the screen's scaling once, before the application
// object, so each DPI runs in a child process of this test ("child <dir>") under QT_FONT_DPI. The
// child prints the window's scale factor and one line for each fault it sees, and writes the
// user view's image and an 8-bit Convert ASCII file to <dir>.
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
    const QImage image =
        MainWindowTestAccess::previewImage(*f.window).convertToFormat(QImage::Format_RGB32);
    const QImage shown =
        f.w<QLabel>("label_ImgUser")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours{qRgb(255, 255, 255)};
    for (int i = 0; i < image.width() * image.height(); ++i)
        colours << image.pixel(i % image.width(), i / image.width());
    for (int i = 0; i < shown.width() * shown.height(); ++i)
        if (!colours.contains(shown.pixel(i % shown.width(), i / shown.width())))
            return void(out << "smoothed view\n");
    // The offscreen screen (800 x 600 pixels) is smaller than the window: it must fit, and the
    // lowest control must scroll into sight.
    QWidget* lowest = f.w<QProgressBar>("progressBar");
    QApplication::processEvents();
    auto* scroll = qobject_cast<QScrollArea*>(f.window->centralWidget());
    if (scroll) scroll->ensureWidgetVisible(lowest);
    QWidget* view = scroll ? scroll->viewport() : f.window.get();
    if (!f.window->screen()->availableGeometry().contains(f.window->geometry()) ||
        !view->rect().contains(QRect(lowest->mapTo(view, QPoint()), lowest->size())))
        out << "off screen\n";
}

int RunChild(const QString& dir) {
    WindowFixture f;
    f.open();
    FitToScreen(f.window.get());
    f.window->show();
    QTextStream out(stdout);
    out << f.window->devicePixelRatioF() << '\n';
    ReportFaults(f, out);
    const QImage& view = MainWindowTestAccess::previewImage(*f.window);
    WriteAll(dir + "/view.raw",
             QByteArray(reinterpret_cast<const char*>(view.constBits()), int(view.sizeInBytes())));
    f.pick("comboBox_PixFormat", 3);
    f.answerer->QueueFile(dir + "/ascii.bin");
    f.w<QPushButton>("pushButton_Ascii")->click();
    return 0;
}

// The child's lines, then its view image and its file.
QStringList RunAt(int dpi, bool scaled) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
          "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY"})
        env.remove(name);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_FONT_DPI", QString::number(dpi));
    if (!scaled) env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");  // as a user may
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"child", dir.path()});
    child.waitForFinished(300000);
    return QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)
           << ReadAll(dir.filePath("view.raw")).toHex()
           << ReadAll(dir.filePath("ascii.bin")).toHex();
}

}  // namespace

class WindowDpiTest : public QObject {
    Q_OBJECT

    QStringList at96;

  private slots:
    void initTestCase() {
        at96 = RunAt(96, true);
        QVERIFY(at96.size() >= 3 && !at96.at(at96.size() - 2).isEmpty() && !at96.last().isEmpty());
    }

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
        QStringList run = dpi == 96 ? at96 : RunAt(dpi, scaled);
        QVERIFY(run.size() >= 3);
        QCOMPARE(run.takeLast(), at96.last());
        QCOMPARE(run.takeLast(), at96.at(at96.size() - 2));
        QCOMPARE(run.takeFirst().toDouble(), scaled ? dpi / 96.0 : 1.0);
        if (scaled)
            QVERIFY2(run.isEmpty(), qPrintable(run.join("; ")));
        else
            QVERIFY(run.filter("cut label_3: Encodings:").size() == 1);
    }
};

int main(int argc, char* argv[]) {
    const bool child = argc == 3 && qstrcmp(argv[1], "child") == 0;
    if (child) EnableScreenScaling();
    QApplication application(argc, argv);
    if (child) return RunChild(QString::fromLocal8Bit(argv[2]));
    WindowDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_dpi.moc"
