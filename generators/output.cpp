// The services every command that writes a file shares: the save dialog with
// its remembered directory, the writer, and the one message box.
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/main_window.h"
#include "output/file_writer.h"

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
    // An append that does not fit is cut back: no half header is left behind.
    return ReportWrite(
        fileName, length,
        runemill::AppendToFile(fileName, reinterpret_cast<const char*>(outBuffer), length));
}

int MainWindow::ReplaceBinFile(const QString& fileName, int length) {
    if (fileName.isEmpty()) {
        ShowMessage(QStringLiteral("The file does not exist."));
        return -1;
    }
    // The old file is replaced only once the new one is whole on disk.
    return ReportWrite(
        fileName, length,
        runemill::ReplaceFile(fileName, reinterpret_cast<const char*>(outBuffer), length));
}

int MainWindow::ReportWrite(const QString& fileName, int length,
                            const runemill::WriteResult& result) {
    if (result.ok) return 0;
    if (!result.opened) {
        ShowMessage(QStringLiteral("打开文件失败"));
        return -2;
    }
    ShowMessage(QStringLiteral(
                    "Only %1 of %2 bytes could be written to %3 (%4); the file was left as it was.")
                    .arg(result.written)
                    .arg(length)
                    .arg(fileName, result.error));
    return -3;
}

void MainWindow::ShowMessage(const QString& text) { QMessageBox::about(this, tr("Message"), text); }
