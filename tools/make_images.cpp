// Draws the ten PNG images of the ":/Image/" resources into a directory.
// The output depends only on this file: fixed sizes, colours and resolution, no text, no time.
// Usage: runemill_make_images <output-dir>   (runs headless with QT_QPA_PLATFORM=offscreen)

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTextStream>
#include <functional>

namespace {

const QColor kAccent(0x00, 0x90, 0xff);       // the hover blue of the control panels
const QColor kAccentLight(0x33, 0xa6, 0xff);  // the same blue under the mouse
const QColor kBorder(0xa6, 0xae, 0xba);       // resting outline of an indicator
const QColor kArrow(0x5c, 0x66, 0x80);        // the drop-down arrow
const QColor kFill(0xff, 0xff, 0xff);
const QColor kHoverFill(0xee, 0xf6, 0xff);

constexpr int kDotsPerMeter = 3780;  // 96 dpi, written into every file as its pHYs chunk

struct ImageRecipe {
    const char* fileName;
    int width;
    int height;
    std::function<void(QPainter&, const QRectF&)> draw;
};

QPen RoundPen(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A tick inside a box, as a polyline of three points in relative coordinates.
void DrawTick(QPainter& p, const QRectF& box, const QColor& color, qreal width) {
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.18, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.76);
    tick.lineTo(box.left() + box.width() * 0.82, box.top() + box.height() * 0.26);
    p.setPen(RoundPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void DrawCheckBox(QPainter& p, const QRectF& r, bool checked, bool hover) {
    const QRectF box = r.adjusted(2.5, 2.5, -2.5, -2.5);
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(hover ? kAccentLight : kAccent);
        p.drawRoundedRect(box.adjusted(-0.5, -0.5, 0.5, 0.5), 4, 4);
        DrawTick(p, box, kFill, 2.4);
    } else {
        p.setPen(QPen(hover ? kAccent : kBorder, 1.5));
        p.setBrush(hover ? kHoverFill : kFill);
        p.drawRoundedRect(box, 4, 4);
    }
}

void DrawDownArrow(QPainter& p, const QRectF& r) {
    QPainterPath chevron;
    chevron.moveTo(r.left() + 4.5, r.top() + 2.5);
    chevron.lineTo(r.center().x(), r.bottom() - 2.5);
    chevron.lineTo(r.right() - 4.5, r.top() + 2.5);
    p.setPen(RoundPen(kArrow, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
}

void DrawRadio(QPainter& p, const QRectF& r, bool checked) {
    const QRectF ring = r.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(checked ? kAccent : kBorder, 1.5));
    p.setBrush(kFill);
    p.drawEllipse(ring);
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(ring.center(), ring.width() * 0.25, ring.height() * 0.25);
    }
}

void DrawPoint(QPainter& p, const QRectF& r) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const qreal d = qMin(r.width(), r.height()) - 2.0;
    p.drawEllipse(r.center(), d / 2, d / 2);
}

void DrawButtonHover(QPainter& p, const QRectF& r) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, kAccentLight);
    fill.setColorAt(1.0, kAccent);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

const ImageRecipe kImages[] = {
    {"ComboBox-downArrow.png", 21, 11, DrawDownArrow},
    {"Checkbox_uncheck.png", 26, 26,
     [](QPainter& p, const QRectF& r) { DrawCheckBox(p, r, false, false); }},
    {"Checkbox_uncheck_hover.png", 26, 26,
     [](QPainter& p, const QRectF& r) { DrawCheckBox(p, r, false, true); }},
    {"Checkbox_check.png", 26, 26,
     [](QPainter& p, const QRectF& r) { DrawCheckBox(p, r, true, false); }},
    {"Checkbox_check_hover.png", 26, 26,
     [](QPainter& p, const QRectF& r) { DrawCheckBox(p, r, true, true); }},
    {"Checkbox_point.png", 12, 13, DrawPoint},
    {"Checkbox_point_check.png", 20, 20,
     [](QPainter& p, const QRectF& r) { DrawRadio(p, r, true); }},
    {"Checkbox_point_uncheck.png", 20, 20,
     [](QPainter& p, const QRectF& r) { DrawRadio(p, r, false); }},
    {"Checkbox_draw.png", 20, 14,
     [](QPainter& p, const QRectF& r) { DrawTick(p, r, kAccent, 2.2); }},
    {"button_bg_hover.png", 272, 48, DrawButtonHover},
};

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: runemill_make_images <output-dir>\n";
        return 1;
    }
    const QDir outDir(QString::fromLocal8Bit(argv[1]));
    if (!outDir.exists() && !QDir().mkpath(outDir.path())) {
        err << "cannot create " << outDir.path() << "\n";
        return 2;
    }
    for (const ImageRecipe& recipe : kImages) {
        QImage image(recipe.width, recipe.height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        image.setDotsPerMeterX(kDotsPerMeter);
        image.setDotsPerMeterY(kDotsPerMeter);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, true);
            recipe.draw(painter, QRectF(0, 0, recipe.width, recipe.height));
        }
        const QString path = outDir.filePath(QString::fromLatin1(recipe.fileName));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 2;
        }
    }
    return 0;
}
