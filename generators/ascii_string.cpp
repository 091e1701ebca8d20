// "Convert ASCII" (the variable-width ASCII font) and "Convert string" (a font
// of exactly the characters of a UTF-8 text file).
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "layout/command_text.h"
#include "layout/run_progress.h"
#include "output/file_writer.h"
#include "render/codes.h"

using runemill::ConvertJob;
using runemill::ConvertKind;

void MainWindow::on_pushButton_Ascii_clicked() {
    if (runActive) return;
    const QString fileName = GetSaveFontFileName();
    SetConvertButtonsEnabled(false);
    if (fileName.isEmpty()) {
        ShowMessage(CannotSaveMessage());
        SetConvertButtonsEnabled(true);
        return;
    }
    ReadSettings();
    UpdateSpaceDivisor();
    ResizeGlyphImage();
    ConvertJob job = StartJob(ConvertKind::Ascii);
    if (Refused(job.Prepare())) {
        SetConvertButtonsEnabled(true);
        return;
    }
    const bool ran = RunPlan(job, fileName, [&](int index, int) {
        const int percent = runemill::ProgressPercent(job.plan(), index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (ran) ui->progressBar->setValue(100);
    SetConvertButtonsEnabled(true);
    if (!ran) return;
    ShowMessage(job.CompletionText());
    ui->progressBar->setValue(0);
}

QString MainWindow::ReadCommandFile(bool* declined, QString* path) {
    if (declined) *declined = false;
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Select command txt files"),
                                                          lastDir + "//*.txt", tr("file(*.txt)"));
    if (path) *path = fileName;
    if (fileName.isEmpty()) return QString();
    QByteArray bytes;
    QString problem;
    if (!runemill::ReadCommandBytes(fileName, &bytes, &problem)) {
        ShowMessage(QStringLiteral("Read fail,please check the path!"));
        return QString();
    }
    const qint64 bad = runemill::FirstInvalidUtf8Byte(bytes);
    if (bad >= 0) {
        // A GBK text read as UTF-8 gives wrong characters: the user decides.
        const QString question =
            runemill::NotUtf8Message(fileName, bad) + QStringLiteral("\n\nConvert it anyway?");
        if (QMessageBox::question(this, tr("Message"), question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes) {
            if (declined) *declined = true;
            return QString();
        }
    }
    return runemill::ReadCommandText(bytes);
}

void MainWindow::on_pushButton_String_clicked() {
    if (runActive) return;
    ReadSettings();
    ResizeGlyphImage();
    ui->comboBox_FCode->setCurrentIndex(runemill::kEncodingUnicode);
    ui->checkBox_Left->setChecked(true);
    bool declined = false;
    QString textPath;
    const QString text = ReadCommandFile(&declined, &textPath);
    if (declined) {
        ui->checkBox_Left->setChecked(false);
        return;
    }
    const QString fileName = ChooseSaveFile();
    if (fileName.isEmpty()) return;
    if (runemill::SameFile(fileName, textPath)) {
        ShowMessage(runemill::OverwritesInputText(fileName, QStringLiteral("text file")));
        ui->checkBox_Left->setChecked(false);
        return;
    }
    SetConvertButtonsEnabled(false);
    ConvertJob job = StartJob(ConvertKind::String, text);
    // An empty text is silent; a cell or size that cannot be written is not.
    if (!Refused(job.Prepare()) && job.HasOutput()) {
        const bool ran = RunPlan(job, fileName, [&](int index, int) {
            const int percent = runemill::ProgressPercent(job.plan(), index);
            if (percent >= 0) ui->progressBar->setValue(percent);
        });
        if (ran) {
            ui->progressBar->setValue(100);
            QCoreApplication::processEvents();
            ShowMessage(job.CompletionText());
        }
    }
    ui->checkBox_Left->setChecked(false);
    SetConvertButtonsEnabled(true);
}
