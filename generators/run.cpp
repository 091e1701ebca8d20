// The skeleton of a conversion run in the window: the core lays the file out
// and decides every byte; the window draws each glyph through its own
// GlyphImage and check boxes, moves the progress bar and keeps processing events.
#include <QCoreApplication>
#include <QFile>
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
    ui->checkBox_Left->setChecked(slot.leftAligned);
    if (glyphImage.width() != pack.width || glyphImage.height() != pack.height)
        glyphImage = glyphImage.scaled(QSize(pack.width, pack.height), Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation);
    RenderGlyph(slot.text);
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
    runemill::AssembleSlots(
        plan, outBuffer, 0, plan.slotCount(), scratch.data(),
        [&](const runemill::GlyphSlot& slot, uchar* packed) {
            return DrawRunGlyph(slot, settings.pack, packed);
        },
        [&](int index, int width) {
            if (afterGlyph) afterGlyph(index, width);
            QCoreApplication::processEvents();
        });
    EmptyFile(fileName);
    WriteBinFile(fileName, int(size));
    delete[] outBuffer;
    outBuffer = nullptr;
    return true;
}

void MainWindow::EmptyFile(const QString& fileName) {
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.close();
}
