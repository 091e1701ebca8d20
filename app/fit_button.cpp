// "Fit": the largest size at which every glyph of the encoding's code range
// fits the cell, and the offsets that centre them, set in the form.
#include <new>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "convert/fit_request.h"

void MainWindow::on_pushButton_Fit_clicked() {
    if (runActive || !ReadCodeFields()) return;
    ReadSettings();
    if (!PreviewCellDrawable(true)) return;
    const runemill::ConvertKind kind = runemill::KindOfEncoding(ui->comboBox_FCode->currentIndex());
    runemill::FitResult fit;
    try {
        if (Refused(runemill::FitRequest(FormRequest(kind), &fit))) return;
    } catch (const std::bad_alloc&) {
        ShowMessage(QStringLiteral("Not enough memory to try the sizes; nothing was changed."));
        return;
    }
    if (fit.found()) {
        currentFont.setPointSizeF(fit.pointSize());
        ShowFontInformation(ui->lineEdit_FontInformation->text().section(QLatin1Char('-'), -1));
        // The bars show y0 + 33 and x0 + 25; their slots log the offsets.
        ui->verticalScrollBar->setValue(fit.y0 + 33);
        ui->horizontalScrollBar->setValue(fit.x0 + 25);
    }
    ui->textEdit->append(QStringLiteral("Fit: ") + runemill::FitSummary(fit));
    // A cell of more than about 200 rows can need offsets beyond the bars' ends.
    if (fit.found() && (x0 != fit.x0 || y0 != fit.y0))
        ShowMessage(QStringLiteral(
                        "The bars reach y0 -33..17 and x0 -25..25; this cell needs y0 %1, x0 %2.")
                        .arg(fit.y0)
                        .arg(fit.x0));
    RefreshPreview(PreviewCharacter());
}
