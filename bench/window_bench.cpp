// Whole library runs through the window, headless: the save dialog answered,
// events processed after every glyph, timed from the click to the completion
// message. Prints seconds per run and glyphs per second.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/main_window.h"

namespace {

struct Run {
    const char* name;
    int encoding;
    int glyphs;  // ASCII block included
};

// Answers the save dialog with one new path, then closes the completion
// message, noting the time it opened.
class RunAnswerer {
  public:
    RunAnswerer(const QString& path, const QElapsedTimer& clock) : path_(path), clock_(clock) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start();
    }
    qint64 messageAt() const { return messageAt_; }

  private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (dialog == answered_) return;  // its queued accept has not run yet
            answered_ = dialog;
            dialog->selectFile(path_);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name) name->setText(path_);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messageAt_ = clock_.nsecsElapsed();
            box->accept();
        }
    }

    QTimer timer_;
    QPointer<QFileDialog> answered_;
    QString path_;
    const QElapsedTimer& clock_;
    qint64 messageAt_ = 0;
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
            window.findChild<QComboBox*>("comboBox_FCode")->setCurrentIndex(run.encoding);
            window.findChild<QLineEdit*>("lineEdit_W")->setText(QString::number(size));
            window.findChild<QLineEdit*>("lineEdit_H")->setText(QString::number(size));
            const QString path = dir.filePath(QStringLiteral("%1_%2.bin").arg(run.name).arg(size));
            QElapsedTimer timer;
            RunAnswerer answerer(path, timer);
            timer.start();
            window.findChild<QPushButton*>("pushButton_MakeFont")->click();
            const double seconds = double(answerer.messageAt()) / 1e9;
            std::printf("%-8s %2dx%-2d %10.3f %12.0f   (%lld bytes)\n", run.name, size, size,
                        seconds, run.glyphs / seconds, static_cast<long long>(QFile(path).size()));
        }
    }
    return 0;
}
