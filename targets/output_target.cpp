#include "targets/output_target.h"

#include "targets/run_font.h"
#include "targets/target_font.h"

namespace runemill {

namespace {

const TargetDescription kTargets[] = {
    {OutputTarget::Bin, "bin", nullptr, nullptr, false, false, true,
     "Runemill's own font file (the default); -o FILE.c writes it as a C array", ".bin"},
    {OutputTarget::LvglC, "lvgl", ".c", "LVGL C font (*.c)", true, false, true,
     "an LVGL C font (lv_font_t), 1 to 8 bits a pixel, -o FILE.c", "LVGL .c"},
    {OutputTarget::LvglBin, "lvgl-bin", ".bin", "LVGL binary font (*.bin)", false, false, false,
     "an LVGL binary font for its run-time loader, -o FILE.bin", "LVGL .bin"},
    {OutputTarget::U8g2, "u8g2", ".c", "u8g2 font (*.c)", true, true, false,
     "a u8g2 font as a C array, 1 bit a pixel, -o FILE.c", "u8g2 .c"},
    {OutputTarget::Gfx, "gfx", ".h", "Adafruit GFX font (*.h)", true, true, false,
     "an Adafruit GFX font (GFXfont), 1 bit a pixel, -o FILE.h", "GFX .h"},
    {OutputTarget::Bdf, "bdf", ".bdf", "BDF font (*.bdf)", false, true, false,
     "a BDF 2.1 bitmap font, 1 bit a pixel, -o FILE.bdf; --font-file reads it back", "BDF .bdf"},
};

// "an LVGL C font" without the details after the first comma.
QString ShortName(const TargetDescription& d) {
    const QString help = QLatin1String(d.help);
    return help.left(help.indexOf(QLatin1Char(',')));
}

}  // namespace

QVector<TargetDescription> TargetTable() {
    return QVector<TargetDescription>(std::begin(kTargets), std::end(kTargets));
}

const TargetDescription& DescriptionOfTarget(OutputTarget target) {
    for (const TargetDescription& d : kTargets)
        if (d.target == target) return d;
    return kTargets[0];
}

bool TargetFromName(const QString& name, OutputTarget* target) {
    for (const TargetDescription& d : kTargets) {
        if (name.compare(QLatin1String(d.name), Qt::CaseInsensitive) == 0) {
            *target = d.target;
            return true;
        }
    }
    return false;
}

QString TargetNames() {
    QStringList names;
    for (const TargetDescription& d : kTargets) names << QLatin1String(d.name);
    return names.join(QStringLiteral(", "));
}

TargetProblem TargetRequestProblem(OutputTarget target, const ConvertRequest& request) {
    if (target == OutputTarget::Bin) return {};
    const TargetDescription& d = DescriptionOfTarget(target);
    if (IsHeaderKind(request.kind)) {
        return {
            QStringLiteral("--for"),
            QStringLiteral("the chip and ttf headers hold no glyphs; only the .bin takes them")};
    }
    const PixelFormat format = request.cell.pixFormat;
    if (d.oneBit && format != kFormat1Bit) {
        return {QStringLiteral("--format"),
                QStringLiteral("%1 holds 1 bit a pixel; give --format 1bits").arg(ShortName(d))};
    }
    if (format == kFormatArgb4444) {
        return {QStringLiteral("--format"),
                QStringLiteral("%1 holds gray levels, not aRGB4444; give --format 1bits, 2bits, "
                               "4bits or 8bits")
                    .arg(ShortName(d))};
    }
    if (request.compress && !d.compresses) {
        return {QStringLiteral("--compress"),
                QStringLiteral("%1 has no compressed form; only the .bin and the LVGL C font "
                               "are compressed")
                    .arg(ShortName(d))};
    }
    if (request.compress && target == OutputTarget::LvglC && format != kFormat2Bit &&
        format != kFormat4Bit) {
        return {QStringLiteral("--compress"),
                QStringLiteral("LVGL decompresses only 2, 3 and 4 bpp fonts: give --format 2bits "
                               "or 4bits, or write this font uncompressed")};
    }
    return {};
}

QString TargetPathProblem(OutputTarget target, const QString& path) {
    const TargetDescription& d = DescriptionOfTarget(target);
    if (!d.suffix || path.endsWith(QLatin1String(d.suffix), Qt::CaseInsensitive)) return QString();
    return QStringLiteral("%1 is written to a %2 file; give -o FILE%2")
        .arg(ShortName(d), QLatin1String(d.suffix));
}

QByteArray TargetFileBytes(OutputTarget target, const ConvertJob& job, const QByteArray& plain,
                           const QString& symbol, QString* problem) {
    problem->clear();
    if (const TargetProblem refused = TargetRequestProblem(target, job.request())) {
        *problem = refused.text;
        return QByteArray();
    }
    const TargetFont font = TargetFontOfRun(job, plain, problem);
    if (!problem->isEmpty()) return QByteArray();
    switch (target) {
        case OutputTarget::LvglC:
            return WriteLvglC(font, symbol, job.request().compress, problem);
        case OutputTarget::LvglBin:
            return WriteLvglBin(font, problem);
        case OutputTarget::U8g2:
            return WriteU8g2(font, symbol, problem);
        case OutputTarget::Gfx:
            return WriteGfx(font, symbol, problem);
        case OutputTarget::Bdf:
            return WriteBdf(font, problem);
        case OutputTarget::Bin:
            break;
    }
    *problem = QStringLiteral("the .bin is written by the job itself");
    return QByteArray();
}

}  // namespace runemill
