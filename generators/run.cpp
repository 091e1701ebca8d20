// The skeleton of a conversion run in the window: the core lays the file out
// and decides every byte; the window draws each glyph through its own
// GlyphImage and check boxes, moves the progress bar and keeps processing events.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>
#include <new>
#include <vector>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "generators/layout/font_assembler.h"
#include "generators/layout/font_plan.h"
#include "generators/layout/run_log.h"
#include "render/codes.h"

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

bool MainWindow::CodecAvailable(int encoding) {
    if (runemill::CodecFor(encoding) != nullptr) return true;
    ShowMessage(runemill::MissingCodecMessage(runemill::CodecName(encoding)));
    return false;
}

runemill::CellSettings MainWindow::RunCell(const runemill::GlyphSettings& settings) const {
    runemill::CellSettings cell;
    cell.width = settings.pack.width;
    cell.height = settings.pack.height;
    cell.pixFormat = settings.pack.pixFormat;
    cell.spaceDivisor = spaceDivisor;
    return cell;
}

runemill::GlyphSettings MainWindow::StartRunSettings() {
    // A run keeps the W, H, format and threshold it starts with, whatever a
    // preview action reads into the members while it runs.
    if (pixFormat > 4) pixFormat = 0;
    return CurrentGlyphSettings();
}

int MainWindow::DrawRunGlyph(const runemill::GlyphSlot& slot, const runemill::PackSettings& pack,
                             unsigned char* packed) {
    // The generators set the alignment box themselves; the user sees it change.
    if (closeRequested) return runemill::kGlyphNotDrawn;
    ui->checkBox_Left->setChecked(slot.leftAligned);
    // Made anew at the run's size: a View pressed during the run may have left
    // another size, or a null image, behind.
    if (glyphImage.isNull() || glyphImage.width() != pack.width || glyphImage.height() != pack.height)
        glyphImage = runemill::MakeGlyphImage(pack.width, pack.height);
    if (!RenderGlyph(slot.text)) return runemill::kGlyphNotDrawn;
    const int width = slot.measureWidth ? MeasureInkWidth() : 1;
    TransformGlyph();
    runemill::PackGlyph(glyphImage, pack, packed);
    return width;
}

bool MainWindow::RunPlan(const runemill::FontPlan& plan, const runemill::GlyphSettings& settings,
                         const QString& fileName, const RunProgress& afterGlyph) {
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
        ShowMessage(QStringLiteral("Not enough memory for a file of %1 bytes; nothing was written.")
                        .arg(size));
        return false;
    }
    ui->progressBar->setValue(0);
    plan.WriteFixedBytes(outBuffer);
    const bool drawn = runemill::AssembleSlots(
        plan, outBuffer, 0, plan.slotCount(), scratch.data(),
        [&](const runemill::GlyphSlot& slot, uchar* packed) {
            return DrawRunGlyph(slot, settings.pack, packed);
        },
        [&](int index, int width) {
            if (afterGlyph) afterGlyph(index, width);
            QCoreApplication::processEvents();
        });
    if (drawn) ReplaceBinFile(fileName, int(size));
    delete[] outBuffer;
    outBuffer = nullptr;
    if (!drawn && !closeRequested)
        ShowMessage(runemill::NotEnoughMemoryToDraw(settings.pack.width, settings.pack.height));
    return drawn;
}
