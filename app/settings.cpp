// The settings the commands read from the form, and the two reactions that
// keep the form consistent (encoding ranges, "Show by").
#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "render/codes.h"

void MainWindow::ReadSettings() {
    pixFormat = qMax(ui->comboBox_PixFormat->currentIndex(), 0);
    // An empty or unfinished field reads as 0; nothing else is limited here.
    glyphW = ui->lineEdit_W->text().toInt(nullptr, 10);
    glyphH = ui->lineEdit_H->text().toInt(nullptr, 10);
    grayLimit = ui->lineEdit_Limit->text().toInt(nullptr, 10);
}

runemill::ConvertRequest MainWindow::FormRequest(runemill::ConvertKind kind) const {
    runemill::ConvertRequest request;
    request.kind = kind;
    request.startCode = startCode;
    request.endCode = endCode;
    // The one place the window's cell is made right.
    request.cell.width = glyphW;
    request.cell.height = glyphH;
    request.cell.pixFormat = runemill::NormalizePixelFormat(pixFormat);
    request.cell.grayLimit = grayLimit;
    request.cell.spaceDivisor = spaceDivisor;
    request.family = currentFont.family();
    request.pointSize = currentFont.pointSizeF();
    request.underline = currentFont.underline();
    request.bold = ui->checkBox_SetBold->isChecked();
    request.italic = ui->checkBox_SetItalic->isChecked();
    request.crisp = ui->checkBox_Crisp->isChecked();
    request.x0 = x0;
    request.y0 = y0;
    request.rotation = ui->comboBox_Rotation->currentIndex();
    request.reverseX = ui->checkBox_revX->isChecked();
    request.reverseY = ui->checkBox_revY->isChecked();
    request.compress = ui->checkBox_Compress->isChecked();
    return request;
}

void MainWindow::UpdateSpaceDivisor() {
    switch (ui->comboBox_Space->currentIndex()) {
        case 0:
            spaceDivisor = 2;
            break;
        case 1:
            spaceDivisor = 3;
            break;
        case 2:
            spaceDivisor = 4;
            break;
        default:
            break;
    }
}

void MainWindow::on_comboBox_FCode_currentIndexChanged(int) {
    if (ui->comboBox_FCode->currentIndex() < 0) {
        if (ui->comboBox_FCode->count() == 0) return;
        ui->comboBox_FCode->setCurrentIndex(0);
    }
    const int i = ui->comboBox_FCode->currentIndex();
    if (i < 0 || i > 3) return;
    // Every change of encoding brings its default range back.
    ui->lineEdit_SCode->setText(HexCodeText(defaultStartCode[i], 4));
    ui->lineEdit_ECode->setText(HexCodeText(defaultEndCode[i], 4));
}

void MainWindow::OnSelectChanged() {
    switch (ui->comboBox_ShowBy->currentIndex()) {
        case 0:
            ui->lineEdit_CharCode->setVisible(false);
            ui->lineEdit_TextCode->setVisible(true);
            break;
        case 1:
            ui->lineEdit_CharCode->setVisible(true);
            ui->lineEdit_TextCode->setVisible(false);
            break;
        default:
            break;
    }
}

QString MainWindow::TextCodeToChar() {
    // Missing digits and non-digits read as 0, as in the code fields.
    return runemill::CodeToChar(ui->comboBox_FCode->currentIndex(),
                                runemill::ParseHexCode(ui->lineEdit_TextCode->text()));
}

QString MainWindow::HexCodeText(int code, int width) { return runemill::HexCodeText(code, width); }

QString MainWindow::DecimalText(int n) { return runemill::DecimalText(n); }
