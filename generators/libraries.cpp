// The four encoding libraries: GB2312, BIG5, GBK and Unicode. Each checks its
// range, asks for the file, logs its line and runs the plan the core lays out.
#include <QCoreApplication>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "generators/layout/font_plan.h"
#include "generators/layout/gbk_width_list.h"
#include "generators/layout/run_log.h"
#include "render/codes.h"

using runemill::FontKind;
using runemill::FontPlan;

namespace {

// The bar after `index` when it ends a row of a two-byte library: finished
// rows x 100 / rows; -1 anywhere else.
int RowEndPercent(const FontPlan& plan, int index) {
    const int done = index - plan.asciiSlotCount() + 1;
    if (done <= 0 || done % plan.cellsPerRow() != 0) return -1;
    return done / plan.cellsPerRow() * 100 / plan.rowCount();
}

}  // namespace

bool MainWindow::PrepareTwoByteRun(FontKind kind, int encoding, const runemill::GlyphSettings& settings,
                                   FontPlan* plan, QString* fileName) {
    // Range first, then the codec, then the dialog: a refused run touches nothing.
    QString error;
    *plan = FontPlan::ForLibrary(kind, RunCell(settings), startCode, endCode, &error);
    if (!plan->isValid()) {
        ShowMessage(error);
        return false;
    }
    if (!CodecAvailable(encoding)) return false;
    *fileName = GetSaveBinFileName();
    if (fileName->isEmpty()) {
        ShowMessage(QStringLiteral("Can't save to this file."));
        return false;
    }
    return true;
}

void MainWindow::MakeGB2312Lib() {
    const runemill::GlyphSettings settings = StartRunSettings();
    FontPlan plan;
    QString fileName;
    if (!PrepareTwoByteRun(FontKind::Gb2312, runemill::kEncodingGb2312, settings, &plan, &fileName)) return;
    ui->textEdit->clear();
    ui->textEdit->append(runemill::PageLine(startCode, endCode));
    const int ascii = plan.asciiSlotCount();
    const int glyphs = plan.rowCount() * plan.cellsPerRow();
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int) {
        const int percent = index < ascii ? (index + 1) * 100 / glyphs : RowEndPercent(plan, index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (!ran) return;
    ui->progressBar->setValue(100);
    ShowMessage(QStringLiteral("GB2312 Font Lib ok"));
}

void MainWindow::MakeBIG5Lib() {
    const runemill::GlyphSettings settings = StartRunSettings();
    FontPlan plan;
    QString fileName;
    if (!PrepareTwoByteRun(FontKind::Big5, runemill::kEncodingBig5, settings, &plan, &fileName)) return;
    ui->textEdit->append(runemill::MaxPageLine(startCode, endCode));
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int) {
        const int percent = RowEndPercent(plan, index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (!ran) return;
    ui->progressBar->setValue(100);
    ShowMessage(QStringLiteral("BIG5 Font Lib ok"));
}

void MainWindow::MakeGBKLib() {
    const runemill::GlyphSettings settings = StartRunSettings();
    FontPlan plan;
    QString fileName;
    if (!PrepareTwoByteRun(FontKind::Gbk, runemill::kEncodingGbk, settings, &plan, &fileName)) return;
    ui->textEdit->append(runemill::MaxPageLine(startCode, endCode));
    runemill::GbkWidthList widthList;
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int width) {
        widthList.AddIfListed(plan, plan.slot(index), width);
        const int percent = RowEndPercent(plan, index);
        if (percent >= 0) ui->progressBar->setValue(percent);
    });
    if (!ran) return;
    // The width list, a C initialiser, replaces the whole log.
    ui->textEdit->setText(widthList.Text());
    ui->progressBar->setValue(100);
    ShowMessage(QStringLiteral("GBK Font Lib ok"));
}

void MainWindow::MakeUnicodeLib() {
    const runemill::GlyphSettings settings = StartRunSettings();
    const QString fileName = GetSaveBinFileName();
    if (fileName.isEmpty()) {
        ShowMessage(QStringLiteral("Can't save to this file."));
        return;
    }
    const int start = startCode & 0xFFFF;
    const int end = endCode & 0xFFFF;
    const QStringList lines = runemill::UnicodeLines(startCode, endCode);
    ui->textEdit->append(lines.at(0));
    ui->textEdit->append(lines.at(1));
    QString error;
    const FontPlan plan = FontPlan::ForLibrary(FontKind::Unicode, RunCell(settings), startCode, endCode, &error);
    if (start > end) {  // the plan's refusal; the count line is only written for a valid range
        ShowMessage(error);
        return;
    }
    const int count = end - start + 1;
    ui->textEdit->append(lines.at(2));
    if (!plan.isValid()) {
        ShowMessage(error);
        return;
    }
    const int ascii = plan.asciiSlotCount();
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int) {
        // The ASCII pass counts against the Unicode total too, so it may pass 100.
        ui->progressBar->setValue((index < ascii ? index + 1 : index - ascii + 1) * 100 / count);
    });
    if (!ran) return;
    ui->checkBox_Left->setChecked(false);
    ui->progressBar->setValue(100);
    ShowMessage(QStringLiteral("UniCode Font Lib ok"));
}
