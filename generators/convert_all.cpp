// "Convert all": checks the two code fields and runs the library of the
// chosen encoding.
#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "convert/convert_request.h"
#include "render/codes.h"

bool MainWindow::ReadCodeFields() {
    // startCode is kept even when the end field is then refused.
    const QString startText = ui->lineEdit_SCode->text();
    if (startText.size() < 4) return !Refused(runemill::Refusal::ShortCode(true));
    startCode = runemill::ParseHexCode(startText);
    const QString endText = ui->lineEdit_ECode->text();
    if (endText.size() < 4) return !Refused(runemill::Refusal::ShortCode(false));
    endCode = runemill::ParseHexCode(endText);
    if (endCode < startCode) return !Refused(runemill::Refusal::StartAfterEndCode());
    return true;
}

void MainWindow::on_pushButton_MakeFont_clicked() {
    if (runActive) return;
    if (!ReadCodeFields()) return;
    ReadSettings();
    ResizeGlyphImage();
    SetConvertButtonsEnabled(false);
    UpdateSpaceDivisor();
    switch (runemill::KindOfEncoding(ui->comboBox_FCode->currentIndex())) {
        case runemill::ConvertKind::Big5:
            MakeBIG5Lib();
            break;
        case runemill::ConvertKind::Gbk:
            MakeGBKLib();
            break;
        case runemill::ConvertKind::Unicode:
            MakeUnicodeLib();
            break;
        default:
            MakeGB2312Lib();
            break;
    }
    SetConvertButtonsEnabled(true);
    ui->progressBar->setValue(0);
}
