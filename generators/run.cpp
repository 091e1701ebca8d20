// The skeleton of a conversion run in the window: the core's job lays the file
// out and decides every byte; the window draws each glyph through its own
// GlyphImage and check boxes, moves the progress bar and keeps processing events.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>
#include <cstring>
#include <new>
#include <vector>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "layout/font_assembler.h"

void MainWindow::SetConvertButtonsEnabled(bool enabled) {
    runActive = !enabled;
    ui->pushButton_MakeFont->setEnabled(enabled);
    ui->pushButton_Ascii->setEnabled(enabled);
    ui->pushButton_String->setEnabled(enabled);
    // A close during the run stopped it; the window goes once it has unwound.
    if (enabled && closeRequested) QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (runActive) {
        // The run stops at its next glyph and writes nothing: the old file stays.
        closeRequested = true;
        event->ignore();
        return;
    }
    event->accept();
}

bool MainWindow::Refused(const runemill::Refusal& refusal) {
    if (refusal) ShowMessage(refusal.text);
    return bool(refusal);
}

QString MainWindow::ChooseSaveFile(bool font) {
    const QString fileName = font ? GetSaveFontFileName() : GetSaveBinFileName();
    if (fileName.isEmpty()) ShowMessage(CannotSaveMessage());
    return fileName;
}

QString MainWindow::CannotSaveMessage() { return QStringLiteral("Can't save to this file."); }

runemill::ConvertJob MainWindow::StartJob(runemill::ConvertKind kind, const QString& text) {
    // A run keeps the W, H, format and threshold it starts with, whatever a
    // preview action reads into the members while it runs.
    if (pixFormat > 4) pixFormat = 0;
    runemill::ConvertRequest request = FormRequest(kind);
    request.text = text;
    return runemill::ConvertJob(request);
}

int MainWindow::DrawRunGlyph(const runemill::GlyphSlot& slot, const runemill::CellSettings& cell,
                             unsigned char* packed) {
    if (closeRequested) return runemill::kGlyphNotDrawn;
    // The generators set the alignment box themselves; the user sees it change.
    ui->checkBox_Left->setChecked(slot.leftAligned);
    // Style, offsets and transforms as the form shows them now; the cell is the run's.
    runemill::GlyphSettings settings = CurrentGlyphSettings();
    settings.cell = cell;
    return runemill::DrawGlyph(glyphImage, rasterizer, currentFont, settings, slot.text,
                               slot.leftAligned, slot.measureWidth, packed);
}

bool MainWindow::RunPlan(const runemill::ConvertJob& job, const QString& fileName,
                         const RunProgress& afterGlyph) {
    if (TargetRefused(job, fileName)) return false;
    const runemill::FontPlan& plan = job.plan();
    const runemill::CellSettings& cell = job.request().cell;
    const qint64 size = plan.fileSize();
    outBuffer = new (std::nothrow) unsigned char[size_t(size)];
    std::vector<unsigned char> scratch;
    bool allocated = outBuffer != nullptr;
    if (allocated) {
        try {
            scratch.resize(size_t(plan.bytesPerGlyph()));
        } catch (const std::bad_alloc&) {
            allocated = false;
        }
    }
    if (!allocated) {
        delete[] outBuffer;
        outBuffer = nullptr;
        return !Refused(runemill::Refusal::NoMemoryForFile(size));
    }
    ui->progressBar->setValue(0);
    plan.WriteFixedBytes(outBuffer);
    bool drawn = false, written = false;
    try {
        drawn = runemill::AssembleSlots(
            plan, outBuffer, 0, plan.slotCount(), scratch.data(),
            [&](const runemill::GlyphSlot& slot, uchar* packed) {
                return DrawRunGlyph(slot, cell, packed);
            },
            [&](int index, int width) {
                if (afterGlyph) afterGlyph(index, width);
                QCoreApplication::processEvents();
            });
        // The Unicode library and the ASCII font leave alignment off before they write.
        if (drawn && (plan.kind() == runemill::ConvertKind::Unicode ||
                      plan.kind() == runemill::ConvertKind::Ascii))
            ui->checkBox_Left->setChecked(false);
        // A failed write has shown its message; no completion message follows it.
        written = drawn && WriteRunFile(job, fileName, size);
    } catch (const std::bad_alloc&) {
        // Nothing was committed: the previous file stays.
        delete[] outBuffer;
        outBuffer = nullptr;
        ui->progressBar->setValue(0);
        return !Refused(runemill::Refusal::NoMemoryForFile(size));
    }
    delete[] outBuffer;
    outBuffer = nullptr;
    if (drawn && !written) ui->progressBar->setValue(0);
    if (!drawn && !closeRequested)
        Refused(runemill::Refusal::NoMemoryForCell(cell.width, cell.height));
    return written;
}

bool MainWindow::WriteRunFile(const runemill::ConvertJob& job, const QString& fileName,
                              qint64 size) {
    if (ui->comboBox_Target->currentIndex() > 0) return WriteTargetFile(job, fileName, size);
    // The core decides the bytes: the plain file in outBuffer or its compressed form,
    // which then takes outBuffer's place.
    runemill::Refusal refusal;
    const QByteArray bytes = job.FileBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(outBuffer), int(size)), &refusal);
    if (Refused(refusal)) return false;
    if (bytes.constData() != reinterpret_cast<const char*>(outBuffer)) {
        unsigned char* replaced = new (std::nothrow) unsigned char[size_t(bytes.size())];
        if (replaced == nullptr) return !Refused(runemill::Refusal::NoMemoryForFile(bytes.size()));
        std::memcpy(replaced, bytes.constData(), size_t(bytes.size()));
        delete[] outBuffer;
        outBuffer = replaced;
    }
    return ReplaceBinFile(fileName, bytes.size()) == 0;
}
