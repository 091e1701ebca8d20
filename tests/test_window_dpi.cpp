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

// Shown without smoothing, the user view holds no colour its image does not (white: the label).
bool ViewSmoothed(WindowFixture& f) {
    const QImage& image = MainWindowTestAccess::previewImage(*f.window);
    QSet<QRgb> colours{qRgb(255, 255, 255)};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours << image.pixel(x, y);
    const QImage shown = f.w<QLabel>("label_ImgUser")->grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (!colours.contains(shown.pixel(x, y))) return true;
    return false;
}

void ReportFaults(WindowFixture& f, QTextStream& out) {
    MainWindow& window = *f.window;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
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
    if (ViewSmoothed(f)) out << "smoothed view\n";
    // The offscreen screen (800 x 600 pixels) is smaller than the window: it must fit, and the
    // lowest control must scroll into sight.
    QWidget* lowest = f.w<QProgressBar>("progressBar");
    QApplication::processEvents();
    auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
    if (scroll) scroll->ensureWidgetVisible(lowest);
    QWidget* view = scroll ? scroll->viewport() : &window;
    if (!window.screen()->availableGeometry().contains(window.geometry()) ||
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

struct Run {
    QStringList lines;
    QByteArray view, file;
};

}  // namespace

class WindowDpiTest : public QObject {
    Q_OBJECT

    Run at96;

    static Run RunAt(int dpi, bool scaled) {
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
        return {QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                ReadAll(dir.filePath("view.raw")), ReadAll(dir.filePath("ascii.bin"))};
    }

  private slots:
    void initTestCase() {
        at96 = RunAt(96, true);
        QVERIFY(!at96.view.isEmpty() && !at96.file.isEmpty());
    }

    void formAndBytesPerDpi_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("96 dpi") << 96 << true;
        QTest::newRow("144 dpi") << 144 << true;
        QTest::newRow("192 dpi") << 192 << true;
        // Unscaled, the fonts grow in a form that does not: the text check must see it.
        QTest::newRow("144 dpi, scaling off") << 144 << false;
    }
    void formAndBytesPerDpi() {
        QFETCH(int, dpi);
        QFETCH(bool, scaled);
        const Run run = dpi == 96 ? at96 : RunAt(dpi, scaled);
        QVERIFY(!run.lines.isEmpty());
        QCOMPARE(run.lines.first().toDouble(), scaled ? dpi / 96.0 : 1.0);
        if (scaled)
            QVERIFY2(run.lines.size() == 1, qPrintable(run.lines.mid(1).join("; ")));
        else
            QVERIFY(run.lines.filter("cut label_3: Encodings:").size() == 1);
        QCOMPARE(run.view, at96.view);
        QCOMPARE(run.file, at96.file);
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
