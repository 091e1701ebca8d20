// The window's per-glyph operations: they read the form's check boxes and the
// settings members and call the core, which decides every pixel and byte.
#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "layout/font_plan.h"
#include "render/packers.h"
#include "render/transform.h"

void MainWindow::ResizeGlyphImage() {
    // Made anew rather than scaled: an image that once could not be made (a
    // W of 0, a cell too large for memory) must not stay null at the next size.
    if (glyphImage.isNull() || glyphImage.size() != QSize(glyphW, glyphH))
        glyphImage = runemill::MakeGlyphImage(glyphW, glyphH);
}

bool MainWindow::PreviewCellDrawable(bool tell) {
    runemill::Refusal refusal = runemill::FontPlan::CellRefusal(glyphW, glyphH);
    if (!refusal) {
        ResizeGlyphImage();
        if (!glyphImage.isNull()) return true;
        refusal = runemill::Refusal::NoMemoryForCell(glyphW, glyphH);
    }
    if (tell) ShowMessage(refusal.text);
    return false;
}

bool MainWindow::RenderGlyph(const QString& text) {
    runemill::RenderOptions options = CurrentGlyphSettings().render;
    options.leftAligned = ui->checkBox_Left->isChecked();
    return rasterizer.Render(glyphImage, currentFont, text, options);
}

int MainWindow::MeasureInkWidth() { return runemill::MeasureInkWidth(glyphImage); }

void MainWindow::TransformGlyph() {
    runemill::TransformOptions options;
    options.reverseX = ui->checkBox_revX->isChecked();
    options.reverseY = ui->checkBox_revY->isChecked();
    options.rotation = ui->comboBox_Rotation->currentIndex();
    runemill::TransformGlyph(glyphImage, options);
}

void MainWindow::PackGlyph1Bit(unsigned char* out) {
    runemill::PackGlyph1Bit(glyphImage, glyphW, glyphH, grayLimit, out);
}
void MainWindow::PackGlyph2Bit(unsigned char* out) { runemill::PackGlyph2Bit(glyphImage, glyphW, glyphH, out); }
void MainWindow::PackGlyph4Bit(unsigned char* out) { runemill::PackGlyph4Bit(glyphImage, glyphW, glyphH, out); }
void MainWindow::PackGlyph8Bit(unsigned char* out) { runemill::PackGlyph8Bit(glyphImage, glyphW, glyphH, out); }
void MainWindow::PackGlyphARGB4444(unsigned char* out) {
    runemill::PackGlyphARGB4444(glyphImage, glyphW, glyphH, out);
}

runemill::GlyphSettings MainWindow::CurrentGlyphSettings() const {
    return FormRequest(runemill::ConvertKind::Gb2312).Glyph();
}
