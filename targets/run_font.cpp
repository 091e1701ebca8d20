#include "targets/run_font.h"

#include <QtAlgorithms>
#include <algorithm>

#include "render/font_families.h"
#include "render/packers.h"
#include "render/rasterizer.h"

namespace runemill {

namespace {

// The one code point a slot draws; 0 when its text is none or several. A
// lone surrogate reads as U+FFFD, as QString::toUcs4 reads it; U+FFFD is 0
// where it is a codec's mark for bytes it could not decode.
uint CodeOfSlot(const QString& text, bool decoded) {
    uint code = 0;
    if (text.size() == 1) {
        code = text.at(0).unicode();
        if (QChar::isSurrogate(code)) code = QChar::ReplacementCharacter;
    } else if (text.size() == 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text.at(0), text.at(1));
    }
    if (decoded && code == QChar::ReplacementCharacter) return 0;
    return code;
}

}  // namespace

TargetFont TargetFontOfRun(const ConvertJob& job, const QByteArray& plain, QString* problem) {
    const FontPlan& plan = job.plan();
    const CellSettings& cell = plan.cell();
    TargetFont font;
    if (!plan.isValid() || plain.size() != plan.fileSize()) {
        *problem = QStringLiteral("the run left no font to write");
        return font;
    }
    const ConvertRequest& request = job.request();
    // The face's own family name, whether the run drew an installed family or a loaded file.
    font.name = FamilyName(request.family);
    font.pointSize = request.pointSize;
    font.width = cell.width;
    font.height = cell.height;
    font.bpp = qPopulationCount(uint(MaxLevel(cell.pixFormat)));  // levels 1, 3, 15, 255
    font.baseline = std::clamp(BaselineRow(request.Font(), request.Glyph().render, cell.height), 0,
                               cell.height);

    const bool decoded = DescriptionOf(plan.kind()).rows != nullptr;  // a two-byte library
    const auto* bytes = reinterpret_cast<const uchar*>(plain.constData());
    QVector<bool> seen;
    font.glyphs.reserve(plan.slotCount());
    for (const GlyphSlot& slot : plan.glyphSlots()) {
        const uint code = CodeOfSlot(slot.text, decoded);
        if (code == 0) continue;
        if (int(code) >= seen.size()) seen.resize(int(code) + 1);
        if (seen[int(code)]) continue;
        seen[int(code)] = true;
        TargetGlyph glyph;
        glyph.code = code;
        glyph.advance = slot.widthOffset >= 0 ? bytes[slot.widthOffset] : cell.width;
        glyph.leftAligned = slot.leftAligned;
        glyph.levels = QByteArray(cell.width * cell.height, '\0');
        UnpackGlyph(bytes + slot.glyphOffset, cell.pixFormat, cell.width, cell.height,
                    reinterpret_cast<uchar*>(glyph.levels.data()));
        font.glyphs.append(glyph);
    }
    std::sort(font.glyphs.begin(), font.glyphs.end(),
              [](const TargetGlyph& a, const TargetGlyph& b) { return a.code < b.code; });
    return font;
}

}  // namespace runemill
