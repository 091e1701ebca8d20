// The two enlarged views of the current glyph, the font dialog and the offset
// scroll bars.
#include <QFontDialog>
#include <QPainter>
#include <QPixmap>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "render/font_families.h"
#include "render/packers.h"

namespace {

constexpr QRgb kBlack = 0xFF000000u;
const QColor kGridColour(119, 119, 119);

// Both views live in an area 501 wide and 502 high; larger views sit at 0.
constexpr int kViewAreaWidth = 501;
constexpr int kViewAreaHeight = 502;

// The user view's gray of a pixel (single-precision weights, so R = G = B = v gives v).
int UserViewGray(const QColor& colour) {
    const float gray = 0.299f * float(colour.red()) + 0.587f * float(colour.green()) +
                       0.114f * float(colour.blue());
    return int(gray);
}

// The level a pixel format stores for gray g, shown as a gray of 0..255.
int ShownLevel(int pixFormat, int gray, int grayLimit) {
    switch (pixFormat) {
        case runemill::kFormat2Bit:
            return (gray >> 6) * 0x55;
        case runemill::kFormat4Bit:
            return (gray >> 4) * 0x11;
        case runemill::kFormat8Bit:
            return gray;
        case runemill::kFormatArgb4444:
            return gray & 0xF0;
        default:
            return gray > grayLimit ? 255 : 0;
    }
}

}  // namespace

bool MainWindow::PreparePreviewImage() {
    ReadSettings();
    if (glyphW < 0 || glyphH < 0 || glyphW > kMaxPreviewCell || glyphH > kMaxPreviewCell)
        return false;
    previewW = glyphW * 4 + 1;
    previewH = glyphH * 4 + 1;
    previewImage = previewImage.scaled(QSize(previewW, previewH), Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation);
    if (previewImage.isNull()) return false;
    if (previewImage.format() != QImage::Format_ARGB32)
        previewImage = previewImage.convertToFormat(QImage::Format_ARGB32);
    previewImage.fill(kBlack);
    return true;
}

// On a scaled screen the view is enlarged once more, pixel for pixel without smoothing, to the
// screen's own pixels (1.5 at 144 dpi turns each 4-pixel cell into 6), so the grid stays a grid.
// The image itself, and with it every byte, is the same on every screen.
void MainWindow::PlacePreview(QLabel* label) {
    const qreal ratio = label->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        ratio == 1.0
            ? previewImage
            : previewImage.scaled(QSize(qRound(previewW * ratio), qRound(previewH * ratio)),
                                  Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(ratio);
    const int left = previewW <= kViewAreaWidth - 1 ? (kViewAreaWidth - previewW) / 2 : 0;
    const int top = previewH <= kViewAreaHeight - 1 ? (kViewAreaHeight - previewH) / 2 : 0;
    label->setGeometry(left, top, previewW, previewH);
    label->setPixmap(pixmap);
}

void MainWindow::ShowSystemPattern() {
    if (!PreparePreviewImage()) return;
    // Nearest-neighbour enlargement of the glyph as drawn, in gray.
    QImage scaled =
        glyphImage.scaled(QSize(previewW, previewH), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.isNull()) {
        if (scaled.format() != QImage::Format_ARGB32 && scaled.format() != QImage::Format_RGB32)
            scaled = scaled.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < previewH && y < scaled.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
            QRgb* out = reinterpret_cast<QRgb*>(previewImage.scanLine(y));
            for (int x = 0; x < previewW && x < scaled.width(); ++x) {
                const int g = qGray(in[x]);
                out[x] = qRgb(g, g, g);
            }
        }
    }
    PlacePreview(ui->label_ImgSystem);
}

void MainWindow::ShowUserPattern() {
    if (!PreparePreviewImage()) return;
    if (pixFormat > 4) pixFormat = 0;
    {
        QPainter painter(&previewImage);
        painter.setPen(QPen(kGridColour));
        for (int i = 0; i <= glyphW; ++i) painter.drawLine(4 * i, 0, 4 * i, previewH);
        for (int j = 0; j <= glyphH; ++j) painter.drawLine(0, 4 * j, previewW, 4 * j);
    }
    // One 3 x 3 cell interior per pixel; positions outside a turned glyph are black.
    const QImage glyph = glyphImage.format() == QImage::Format_ARGB32
                             ? glyphImage
                             : glyphImage.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < glyphH; ++y) {
        const QRgb* in =
            y < glyph.height() ? reinterpret_cast<const QRgb*>(glyph.constScanLine(y)) : nullptr;
        for (int x = 0; x < glyphW; ++x) {
            const int gray = (in != nullptr && x < glyph.width()) ? UserViewGray(QColor(in[x])) : 0;
            const int level = ShownLevel(pixFormat, gray, grayLimit);
            const QRgb shown = qRgb(level, level, level);
            for (int dy = 1; dy <= 3; ++dy) {
                QRgb* out = reinterpret_cast<QRgb*>(previewImage.scanLine(4 * y + dy));
                out[4 * x + 1] = out[4 * x + 2] = out[4 * x + 3] = shown;
            }
        }
    }
    PlacePreview(ui->label_ImgUser);
}

QString MainWindow::PreviewCharacter() {
    return ui->comboBox_ShowBy->currentIndex() == 1 ? ui->lineEdit_CharCode->text()
                                                    : TextCodeToChar();
}

void MainWindow::RefreshPreview(const QString& text) {
    RenderGlyph(text);
    TransformGlyph();
    ShowSystemPattern();
    ShowUserPattern();
}

void MainWindow::on_pushButton_3_clicked() {
    const int showBy = ui->comboBox_ShowBy->currentIndex();
    if (showBy != 0 && showBy != 1) return;
    ReadSettings();
    if (!PreviewCellDrawable(true)) return;
    RefreshPreview(showBy == 0 ? TextCodeToChar() : ui->lineEdit_CharCode->text());
}

void MainWindow::on_pushButton_SelectFont_clicked() {
    bool accepted = false;
    // A cancelled dialog hands back the font it started with.
    currentFont = QFontDialog::getFont(&accepted, currentFont, this, tr("Select a font"));
    ShowFontInformation(currentFont.styleName());
    ReadSettings();
    if (!PreviewCellDrawable(true)) return;
    RefreshPreview(ui->lineEdit_CharCode->text());
}

void MainWindow::ShowFontInformation(const QString& style) {
    ui->lineEdit_FontInformation->setText(runemill::FamilyName(currentFont.family()) + "-" +
                                          QString::number(currentFont.pointSizeF()) + "-" + style);
}

// Crisp or smooth: the views show the glyph as a run would draw it.
void MainWindow::on_checkBox_Crisp_toggled(bool) {
    ReadSettings();
    if (!PreviewCellDrawable(false)) return;
    RefreshPreview(PreviewCharacter());
}

void MainWindow::MoveOffset(const QScrollBar* bar, int centre, int* offset, const char* name) {
    const int value = bar->value();
    *offset = value - centre;
    ui->textEdit->append(QLatin1String(name) + "=" + DecimalText(*offset) +
                         ",pos=" + DecimalText(value));
    // Like "View", draw in a cell of the current size so the views never read a stale one.
    // A bar moved while W or H is being edited keeps the views as they are.
    ReadSettings();
    if (!PreviewCellDrawable(false)) return;
    RefreshPreview(PreviewCharacter());
}

// y0 = value - 33, x0 = value - 25: at start-up the vertical bar stands at 26, so y0 is -7.
void MainWindow::on_verticalScrollBar_valueChanged(int) {
    MoveOffset(ui->verticalScrollBar, 33, &y0, "y0");
}

void MainWindow::on_horizontalScrollBar_valueChanged(int) {
    MoveOffset(ui->horizontalScrollBar, 25, &x0, "x0");
}
