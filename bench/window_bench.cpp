// Whole library runs through the window, headless: the save dialog answered,
// events processed after every glyph, timed from the click to the completion
// message. Prints seconds per run and glyphs per second.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_window.h"
#include "modal_answerer.h"

namespace {

struct Run {
    const char* name;
    int encoding;
    int glyphs;  // ASCII block included
};

QtMessageHandler qt_messages = nullptr;

// The offscreen platform warns each time a shown window's size limits change;
// a window that is only timed has no window manager to tell.
void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (message == QLatin1String("This plugin does not support propagateSizeHints()")) return;
    qt_messages(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    qt_messages = qInstallMessageHandler(DropSizeHintWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool quick = app.arguments().contains("--quick");
    const Run runs[] = {
        {"GB2312", 0, 8273}, {"BIG5", 1, 14335}, {"GBK", 2, 24035}, {"Unicode", 3, 20902}};
    const int sizes[] = {16, 32};
    QTemporaryDir dir;
    std::printf("%-8s %5s %10s %12s\n", "library", "cell", "seconds", "glyphs/s");
    for (const Run& run : runs) {
        if (quick && run.encoding != 2) continue;
        for (int size : sizes) {
            MainWindow window;
            ModalAnswerer answerer;
            window.findChild<QComboBox*>("comboBox_FCode")->setCurrentIndex(run.encoding);
            window.findChild<QLineEdit*>("lineEdit_W")->setText(QString::number(size));
            window.findChild<QLineEdit*>("lineEdit_H")->setText(QString::number(size));
            const QString path = dir.filePath(QStringLiteral("%1_%2.bin").arg(run.name).arg(size));
            answerer.QueueFile(path);
            QElapsedTimer timer;
            qint64 elapsed = 0;
            answerer.SetOnMessage([&](const QString&) { elapsed = timer.nsecsElapsed(); });
            timer.start();
            window.findChild<QPushButton*>("pushButton_MakeFont")->click();
            const double seconds = double(elapsed) / 1e9;
            std::printf("%-8s %2dx%-2d %10.3f %12.0f   (%lld bytes)\n", run.name, size, size,
                        seconds, run.glyphs / seconds, static_cast<long long>(QFile(path).size()));
        }
    }
    return 0;
}
