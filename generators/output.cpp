// The services every command that writes a file shares: the save dialog with
// its remembered directory, the writer, and the one message box.
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/main_window.h"

QString MainWindow::GetSaveBinFileName() {
    const QString proposed = lastDir + "./_Font_.bin";
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("Save bin files"), proposed, tr("file(*.bin)"));
    if (fileName.isEmpty()) return QString();
    lastDir = DirectoryOf(fileName);
    return fileName;
}

QString MainWindow::DirectoryOf(const QString& path) {
    if (path.isEmpty()) return QString();
    const int slash = path.lastIndexOf('/');
    if (slash < 0) return QString();
    const QString directory = path.left(slash + 1);
    return directory.size() > 1024 ? QString() : directory;
}

int MainWindow::WriteBinFile(const QString& fileName, int length) {
    if (fileName.isEmpty()) {
        ShowMessage(QStringLiteral("The file does not exist."));
        return -1;
    }
    if (length < 0) return 0;
    QFile file(fileName);
    // Unbuffered, so that write() reports what reached the file, not what the buffer took.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        ShowMessage(QStringLiteral("打开文件失败"));
        return -2;
    }
    const qint64 written = length > 0 ? file.write(reinterpret_cast<const char*>(outBuffer), length) : 0;
    const bool flushed = file.flush();
    file.close();
    if (written != length || !flushed) {
        ShowMessage(QStringLiteral("Only %1 of %2 bytes could be written to %3; the disk may be full.")
                        .arg(qMax<qint64>(written, 0))
                        .arg(length)
                        .arg(fileName));
        return -3;
    }
    return 0;
}

void MainWindow::ShowMessage(const QString& text) { QMessageBox::about(this, tr("Message"), text); }
