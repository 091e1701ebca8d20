// The two hidden commands that write a 108-byte font description: one for a
// font chip ("ZQ IC Bin"), one for a display controller ("TTF File Bin").
#include <cstring>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"

void MainWindow::WriteChipHeader(bool ttf) {
    if (runActive) return;  // a running conversion owns outBuffer
    const runemill::ConvertKind kind =
        ttf ? runemill::ConvertKind::Ttf : runemill::ConvertKind::Chip;
    // No "gbk" codec: reported before the dialog.
    if (Refused(runemill::ConvertJob::CodecRefusal(kind))) return;
    const QString fileName = ChooseSaveFile(false);
    if (fileName.isEmpty()) return;
    if (!ReadCodeFields()) return;
    ReadSettings();

    runemill::ConvertJob job(FormRequest(kind));
    if (Refused(job.Prepare())) return;
    const QByteArray& header = job.header();
    for (const QString& line : job.StartLines()) ui->textEdit->append(line);

    // Appended to what the file holds: these headers are never emptied first.
    outBuffer = new unsigned char[size_t(header.size())];
    std::memcpy(outBuffer, header.constData(), size_t(header.size()));
    const bool written = WriteBinFile(fileName, header.size()) == 0;
    delete[] outBuffer;
    outBuffer = nullptr;
    if (written) ShowMessage(job.CompletionText());
}

void MainWindow::on_pushButton_clicked() { WriteChipHeader(false); }

void MainWindow::on_pushButton_2_clicked() { WriteChipHeader(true); }
