// The four encoding libraries: GB2312, BIG5, GBK and Unicode. Each checks its
// range, asks for the file, logs its line and runs the job the core lays out.
#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "layout/run_progress.h"

using runemill::ConvertJob;
using runemill::ConvertKind;

bool MainWindow::PrepareTwoByteRun(ConvertJob* job, QString* fileName) {
    // Range first, then the codec, then the dialog: a refused run touches nothing.
    if (Refused(job->Prepare())) return false;
    *fileName = ChooseSaveFile();
    return !fileName->isEmpty();
}

void MainWindow::MakeGB2312Lib() {
    ConvertJob job = StartJob(ConvertKind::Gb2312);
    QString fileName;
    if (!PrepareTwoByteRun(&job, &fileName)) return;
    ui->textEdit->clear();
    for (const QString& line : job.StartLines()) ui->textEdit->append(line);
    const bool ran = RunPlan(job, fileName, [&](int index, int) {
        const int percent = runemill::ProgressPercent(job.plan(), index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (!ran) return;
    ui->progressBar->setValue(100);
    ShowMessage(job.CompletionText());
}

void MainWindow::MakeBIG5Lib() {
    ConvertJob job = StartJob(ConvertKind::Big5);
    QString fileName;
    if (!PrepareTwoByteRun(&job, &fileName)) return;
    for (const QString& line : job.StartLines()) ui->textEdit->append(line);
    const bool ran = RunPlan(job, fileName, [&](int index, int) {
        const int percent = runemill::ProgressPercent(job.plan(), index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (!ran) return;
    ui->progressBar->setValue(100);
    ShowMessage(job.CompletionText());
}

void MainWindow::MakeGBKLib() {
    ConvertJob job = StartJob(ConvertKind::Gbk);
    QString fileName;
    if (!PrepareTwoByteRun(&job, &fileName)) return;
    for (const QString& line : job.StartLines()) ui->textEdit->append(line);
    QVector<int> widths(job.plan().slotCount(), 1);
    const bool ran = RunPlan(job, fileName, [&](int index, int width) {
        widths[index] = width;
        const int percent = runemill::ProgressPercent(job.plan(), index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (!ran) return;
    // The width list, a C initialiser, replaces the whole log.
    ui->textEdit->setText(job.FinalLines(widths).join(QStringLiteral("\r\n")));
    ui->progressBar->setValue(100);
    ShowMessage(job.CompletionText());
}

void MainWindow::MakeUnicodeLib() {
    ConvertJob job = StartJob(ConvertKind::Unicode);
    const QString fileName = ChooseSaveFile();
    if (fileName.isEmpty()) return;
    // The start and end lines come first; the count line only for a range in order.
    const runemill::Refusal refusal = job.Prepare();
    const QStringList lines = job.StartLines();
    ui->textEdit->append(lines.at(0));
    ui->textEdit->append(lines.at(1));
    if (refusal.kind == runemill::Refusal::StartAfterEnd) {
        ShowMessage(refusal.text);
        return;
    }
    ui->textEdit->append(lines.at(2));
    if (Refused(refusal)) return;
    const bool ran = RunPlan(job, fileName, [&](int index, int) {
        ui->progressBar->setValue(runemill::ProgressPercent(job.plan(), index));
    });
    if (!ran) return;
    ui->progressBar->setValue(100);
    ShowMessage(job.CompletionText());
}
