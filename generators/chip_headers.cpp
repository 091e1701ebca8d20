// The two hidden commands that write a 108-byte font description: one for a
// font chip ("ZQ IC Bin"), one for a display controller ("TTF File Bin").
#include <QTextCodec>
#include <cstring>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "generators/layout/chip_header.h"
#include "generators/layout/run_log.h"
#include "render/codes.h"

void MainWindow::WriteChipHeader(bool ttf) {
    if (runActive) return;  // a running conversion owns outBuffer
    if (QTextCodec::codecForName("gbk") == nullptr) {
        ShowMessage(runemill::MissingCodecMessage("gbk"));
        return;
    }
    const QString fileName = GetSaveBinFileName();
    if (fileName.isEmpty()) {
        ShowMessage(QStringLiteral("Can't save to this file."));
        return;
    }
    if (!ReadCodeFields()) return;
    ReadSettings();

    runemill::ChipHeaderFields fields;
    fields.width = glyphW;
    fields.height = glyphH;
    fields.startCode = startCode;
    fields.endCode = endCode;
    fields.pixFormat = pixFormat;
    fields.italic = ui->checkBox_SetItalic->isChecked();
    fields.bold = ui->checkBox_SetBold->isChecked();
    fields.underline = currentFont.underline();
    fields.pointSize = currentFont.pointSize();
    fields.x0 = x0;
    fields.y0 = y0;
    fields.family = currentFont.family();
    const QByteArray header = ttf ? runemill::TtfFontHeader(fields) : runemill::ChipFontHeader(fields);
    if (header.isEmpty()) return;  // no "gbk" codec: reported above, before the dialog

    for (const QString& line : runemill::ChipHeaderLines(fields, header, ttf)) ui->textEdit->append(line);

    // Appended to what the file holds: these headers are never emptied first.
    outBuffer = new unsigned char[size_t(header.size())];
    std::memcpy(outBuffer, header.constData(), size_t(header.size()));
    WriteBinFile(fileName, header.size());
    delete[] outBuffer;
    outBuffer = nullptr;
    ShowMessage(QStringLiteral("Font bin ok"));
}

void MainWindow::on_pushButton_clicked() { WriteChipHeader(false); }

void MainWindow::on_pushButton_2_clicked() { WriteChipHeader(true); }
