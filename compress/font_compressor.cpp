#include "compress/font_compressor.h"

#include <QVector>

#include "compress/compressed_layout.h"
#include "compress/glyph_coder.h"
#include "layout/layout_constants.h"
#include "render/packers.h"

namespace runemill {

namespace {

bool MagicIs(const QByteArray& bytes, const char (&magic)[2]) {
    return bytes.size() >= 2 && bytes.at(0) == magic[0] && bytes.at(1) == magic[1];
}

// Why `plain` cannot be compressed as `plan` lays it out; empty when it can.
QString PlanProblem(const QByteArray& plain, const FontPlan& plan) {
    if (!plan.isValid()) return QStringLiteral("only font files with glyphs can be compressed");
    if (plain.size() != plan.fileSize())
        return QStringLiteral("the font file's length does not match its header");
    // The header keeps the low 16 bits of the count, and a reader counts the
    // index's entries from it.
    if (DescriptionOf(plan.kind()).glyphs.codeTable && plan.slotCount() > 0xFFFF)
        return QStringLiteral("a string font of more than 65535 characters");
    return QString();
}

// The pixel levels of the packed glyph at `bits`; false when an aRGB4444
// pixel does not hold one gray nibble four times, as Runemill writes it.
bool ReadLevels(const uchar* bits, PixelFormat format, int width, int height, GlyphLevels* g) {
    g->width = width;
    g->height = height;
    g->maxLevel = MaxLevel(format);
    g->levels.resize(size_t(width) * size_t(height));
    return UnpackGlyph(bits, format, width, height, g->levels.data());
}

void AppendLe(QByteArray* out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) out->append(char((value >> (8 * i)) & 0xFF));
}

// The width byte of glyph g (0 past the last).
char WidthByte(const QByteArray& plain, const FontPlan& plan, int g) {
    return g < plan.slotCount() ? plain.at(int(plan.slot(g).widthOffset)) : '\0';
}

// The base of the lengths of the block starting at glyph `first` in `form`.
int BlockBase(const QVector<QByteArray>& codes, int first, const LengthForm& form) {
    int longest = 0;
    for (int g = first; g < first + kCompressedBlockGlyphs && g < codes.size(); ++g)
        longest = qMax(longest, codes[g].size());
    return qMax(0, longest - ((1 << form.fieldBits) - 1));
}

// The length form that makes the file shortest, its padding included; -1
// when a code is too long for every form.
int ShortestLengthForm(const QVector<QByteArray>& codes) {
    int chosen = -1;
    qint64 shortest = 0;
    for (int f = 0; f <= int(RMF_RZ_LAST_FORM); ++f) {
        const LengthForm& form = kLengthForms[f];
        qint64 bytes = 0;
        bool fits = true;
        for (int first = 0; first < codes.size(); first += kCompressedBlockGlyphs) {
            const int base = BlockBase(codes, first, form);
            fits = fits && base < 1 << (8 * form.baseBytes);
            bytes += form.baseBytes + kCompressedBlockGlyphs * form.fieldBits / 8;
            for (int g = first; g < first + kCompressedBlockGlyphs && g < codes.size(); ++g)
                bytes += qMax(0, base - codes[g].size());
        }
        if (fits && (chosen < 0 || bytes < shortest)) {
            chosen = f;
            shortest = bytes;
        }
    }
    return chosen;
}

}  // namespace

bool IsCompressedFont(const QByteArray& bytes) { return MagicIs(bytes, kCompressedMagic); }

QByteArray CompressFont(const QByteArray& plain, const FontPlan& plan, QString* problem) {
    *problem = PlanProblem(plain, plan);
    if (!problem->isEmpty()) return QByteArray();
    const GlyphPlacement& placement = DescriptionOf(plan.kind()).glyphs;
    const CellSettings& cell = plan.cell();
    const PixelFormat format = cell.pixFormat;
    const uchar* bytes = reinterpret_cast<const uchar*>(plain.constData());

    // Two passes over the glyphs, one level per pixel of one glyph at a time:
    // the counts that train the model, then the codes.
    GlyphLevels glyph;
    GlyphCoder coder;
    for (const GlyphSlot& slot : plan.glyphSlots()) {
        if (!ReadLevels(bytes + slot.glyphOffset, format, cell.width, cell.height, &glyph)) {
            *problem = QStringLiteral("an aRGB4444 pixel holds different nibbles");
            return QByteArray();
        }
        coder.Count(glyph);
    }
    const QByteArray model = coder.Train(format != kFormat1Bit);
    QVector<QByteArray> codes(plan.slotCount());
    for (int g = 0; g < codes.size(); ++g) {
        ReadLevels(bytes + plan.slot(g).glyphOffset, format, cell.width, cell.height, &glyph);
        codes[g] = coder.Encode(glyph);
    }
    const int formNumber = ShortestLengthForm(codes);
    if (formNumber < 0) {
        *problem = QStringLiteral("a glyph's code is too long for the index; keep this font plain");
        return QByteArray();
    }
    const LengthForm& form = kLengthForms[formNumber];

    QByteArray out;
    out.append(kCompressedMagic, 2);
    out.append(char(kCompressedVersion));
    out.append(char(formNumber));
    out.append(char(coder.Grid().Byte()));
    out.append(plain.left(kLibraryHeaderSize));
    out.append(model);
    if (placement.codeTable)
        out.append(plain.mid(kStringTableOffset, codes.size() * kStringCodeBytes));
    else if (!placement.recordWidths)
        out.append(plain.mid(kAsciiWidthsOffset, kAsciiCount));
    QByteArray data;
    for (int first = 0; first < codes.size(); first += kCompressedBlockGlyphs) {
        AppendLe(&out, quint32(data.size()), kCompressedBlockOffsetBytes);
        const int base = BlockBase(codes, first, form);
        AppendLe(&out, quint32(base), form.baseBytes);
        for (int k = 0; k < kCompressedBlockGlyphs; ++k) {
            // Slots past the last glyph hold 0 and no code.
            QByteArray code = codes.value(first + k);
            if (first + k < codes.size() && code.size() < base)
                code.append(QByteArray(base - code.size(), '\0'));
            data.append(code);
            const int over = qMax(0, code.size() - base);
            if (form.fieldBits == 4 && k % 2 == 0)
                out.append(char(over << 4));
            else if (form.fieldBits == 4)
                out[out.size() - 1] = char(uchar(out.at(out.size() - 1)) | over);
            else
                AppendLe(&out, quint32(over), form.fieldBits / 8);
        }
        for (int g = first; placement.recordWidths && g < first + kCompressedBlockGlyphs; ++g)
            out.append(WidthByte(plain, plan, g));
    }
    out.append(data);
    return out;
}

}  // namespace runemill
