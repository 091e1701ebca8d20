// The four encoding libraries: GB2312, BIG5, GBK and Unicode. Each checks its
// range, asks for the file, logs its line and runs the plan the core lays out.
#include <QCoreApplication>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "generators/layout/font_plan.h"
#include "generators/layout/gbk_width_list.h"
#include "render/codes.h"

using runemill::FontKind;
using runemill::FontPlan;

namespace {

int HighByte(int code) { return (code >> 8) & 0xFF; }

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
    ui->textEdit->append("page:" + HexCodeText(HighByte(startCode), 2) + ",endpage:" +
                         HexCodeText(HighByte(endCode), 2));
    const int rows = plan.rowCount();
    const int cells = plan.cellsPerRow();
    const int ascii = plan.asciiSlotCount();
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int) {
        if (index < ascii) {
            ui->progressBar->setValue((index + 1) * 100 / (rows * cells));
        } else if ((index - ascii + 1) % cells == 0) {
            ui->progressBar->setValue((index - ascii + 1) / cells * 100 / rows);
        }
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
    // The maximum page is one past the end row.
    ui->textEdit->append("maxPage=" + HexCodeText(HighByte(endCode) + 1, 2) + ",minPage=" +
                         HexCodeText(HighByte(startCode), 2));
    const int rows = plan.rowCount();
    const int cells = plan.cellsPerRow();
    const int ascii = plan.asciiSlotCount();
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int) {
        if (index >= ascii && (index - ascii + 1) % cells == 0)
            ui->progressBar->setValue((index - ascii + 1) / cells * 100 / rows);
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
    ui->textEdit->append("maxPage=" + HexCodeText(HighByte(endCode) + 1, 2) + ",minPage=" +
                         HexCodeText(HighByte(startCode), 2));
    const int rows = plan.rowCount();
    const int cells = plan.cellsPerRow();
    const int ascii = plan.asciiSlotCount();
    runemill::GbkWidthList widthList;
    const bool ran = RunPlan(plan, settings, fileName, [&](int index, int width) {
        widthList.AddIfListed(plan, plan.slot(index), width);
        if (index >= ascii && (index - ascii + 1) % cells == 0)
            ui->progressBar->setValue((index - ascii + 1) / cells * 100 / rows);
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
    ui->textEdit->append("Unicode start:" + HexCodeText(start, 4));
    ui->textEdit->append("Unicode end:" + HexCodeText(end, 4));
    QString error;
    const FontPlan plan = FontPlan::ForLibrary(FontKind::Unicode, RunCell(settings), startCode, endCode, &error);
    if (start > end) {
        ShowMessage(QStringLiteral("Error for start code > end code. And stop."));
        return;
    }
    const int count = end - start + 1;
    ui->textEdit->append("Unicode nmuber:" + DecimalText(count));
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
