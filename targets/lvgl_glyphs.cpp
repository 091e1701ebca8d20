#include "targets/lvgl_glyphs.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "targets/ink_box.h"

namespace runemill {
namespace lvgl {

namespace {

QString CodeName(uint code) {
    return QStringLiteral("U+") +
           QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// Every bit set in any of the levels, eight levels at a time.
uchar OrOfLevels(const QByteArray& levels) {
    const char* data = levels.constData();
    const int count = levels.size();
    quint64 words = 0;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, sizeof word);
        words |= word;
    }
    uchar bits = 0;
    for (int shift = 0; shift < 64; shift += 8) bits |= uchar(words >> shift);
    for (; i < count; ++i) bits |= uchar(data[i]);
    return bits;
}

QString CheckFont(const TargetFont& font) {
    if (font.bpp != 1 && font.bpp != 2 && font.bpp != 4 && font.bpp != 8)
        return QStringLiteral("LVGL fonts hold 1, 2, 4 or 8 bits a pixel, not %1.").arg(font.bpp);
    if (font.width < 1 || font.height < 1 || font.width > kMaxCell || font.height > kMaxCell)
        return QStringLiteral("LVGL fonts hold cells of 1 to %1 pixels a side, not %2 x %3.")
            .arg(kMaxCell)
            .arg(font.width)
            .arg(font.height);
    if (font.baseline < 0 || font.baseline > font.height)
        return QStringLiteral("The baseline row %1 lies outside the %2-pixel cell.")
            .arg(font.baseline)
            .arg(font.height);
    if (font.glyphs.isEmpty()) return QStringLiteral("There are no characters to write.");
    const int cellPixels = font.width * font.height;
    const char maxLevel = char((1 << font.bpp) - 1);
    for (int i = 0; i < font.glyphs.size(); ++i) {
        const TargetGlyph& glyph = font.glyphs[i];
        if (i > 0 && glyph.code <= font.glyphs[i - 1].code)
            return QStringLiteral("%1 follows %2: characters must come in ascending order.")
                .arg(CodeName(glyph.code), CodeName(font.glyphs[i - 1].code));
        if (glyph.levels.size() != cellPixels)
            return QStringLiteral("%1 has %2 pixels, not the cell's %3.")
                .arg(CodeName(glyph.code))
                .arg(glyph.levels.size())
                .arg(cellPixels);
        if (glyph.advance < 0 || glyph.advance > kMaxCell)
            return QStringLiteral("%1 advances %2 pixels; LVGL takes 0 to %3.")
                .arg(CodeName(glyph.code))
                .arg(glyph.advance)
                .arg(kMaxCell);
        // maxLevel is all ones: a level above it has a bit outside it.
        if ((OrOfLevels(glyph.levels) & ~uchar(maxLevel)) != 0)
            return QStringLiteral("%1 has a level above %2 bits a pixel.")
                .arg(CodeName(glyph.code))
                .arg(font.bpp);
    }
    return QString();
}

// The glyph trimmed to its ink, placed by its offsets on the cell's baseline.
Glyph Trim(const TargetGlyph& cellGlyph, const TargetFont& font) {
    Glyph glyph;
    glyph.code = cellGlyph.code;
    glyph.advance = cellGlyph.advance;
    const InkBox box = InkBoxOf(cellGlyph.levels, font.width, font.height);
    if (box.width == 0) return glyph;  // blank: no box, only the advance
    glyph.boxWidth = box.width;
    glyph.boxHeight = box.height;
    glyph.offsetX = box.left;
    glyph.offsetY = font.baseline - (box.top + box.height);
    glyph.cell = cellGlyph.levels.constData();
    glyph.cellWidth = font.width;
    glyph.boxLeft = box.left;
    glyph.boxTop = box.top;
    return glyph;
}

struct Segment {
    int first = 0;  // glyph indexes, inclusive
    int last = 0;
    bool range = false;
};

// Cuts the ascending codes into cmaps of least total cost: runs of consecutive
// codes as ranges, scattered codes as sparse lists. A range whose next code is
// not in the font costs a blank glyph number: LVGL 8 also matches the code
// just past a range, to the number after the range's last glyph.
QVector<Segment> ChooseSegments(const QVector<uint>& codes, CmapCosts costs) {
    const int count = codes.size();
    QVector<qint64> best(count + 1);
    QVector<Segment> lastSegment(count + 1);
    std::deque<int> sparseStarts, rangeStarts;  // candidate first glyphs, best first
    for (int end = 1; end <= count; ++end) {
        const int newStart = end - 1;
        const auto sparseScore = [&](int start) { return best[start] - 2 * qint64(start); };
        while (!sparseStarts.empty() && sparseScore(sparseStarts.back()) >= sparseScore(newStart))
            sparseStarts.pop_back();
        sparseStarts.push_back(newStart);
        while (codes[end - 1] - codes[sparseStarts.front()] >= uint(kMaxCmapSpan))
            sparseStarts.pop_front();
        if (newStart > 0 && codes[newStart] != codes[newStart - 1] + 1) rangeStarts.clear();
        while (!rangeStarts.empty() && best[rangeStarts.back()] >= best[newStart])
            rangeStarts.pop_back();
        rangeStarts.push_back(newStart);
        while (end - rangeStarts.front() > kMaxCmapSpan) rangeStarts.pop_front();

        const bool nextCodeMissing = end == count || codes[end] != codes[end - 1] + 1;
        const int sparseStart = sparseStarts.front();
        const int rangeStart = rangeStarts.front();
        const qint64 sparseCost = best[sparseStart] + costs.cmap + 2 * qint64(end - sparseStart);
        const qint64 rangeCost =
            best[rangeStart] + costs.cmap + (nextCodeMissing ? costs.blankGlyph : 0);
        if (rangeCost <= sparseCost) {
            best[end] = rangeCost;
            lastSegment[end] = {rangeStart, end - 1, true};
        } else {
            best[end] = sparseCost;
            lastSegment[end] = {sparseStart, end - 1, false};
        }
    }
    QVector<Segment> segments;
    for (int end = count; end > 0; end = lastSegment[end].first) segments.append(lastSegment[end]);
    std::reverse(segments.begin(), segments.end());
    return segments;
}

}  // namespace

void BoxLevels(const Glyph& glyph, QByteArray* levels) {
    levels->resize(glyph.boxWidth * glyph.boxHeight);
    if (glyph.boxWidth == 0) return;
    const char* row = glyph.cell + glyph.boxTop * glyph.cellWidth + glyph.boxLeft;
    char* out = levels->data();
    for (int y = 0; y < glyph.boxHeight; ++y, row += glyph.cellWidth, out += glyph.boxWidth)
        std::memcpy(out, row, size_t(glyph.boxWidth));
}

Font LayOut(const TargetFont& font, CmapCosts costs, QString* problem) {
    const QString fault = CheckFont(font);
    if (!fault.isEmpty()) {
        if (problem) *problem = fault;
        return Font();
    }
    QVector<uint> codes;
    codes.reserve(font.glyphs.size());
    for (const TargetGlyph& glyph : font.glyphs) codes.append(glyph.code);
    QVector<Segment> segments = ChooseSegments(codes, costs);
    // Fewer, dearer cmaps until they fit the 9-bit count; sparse lists alone
    // need one cmap per 65,535 codes.
    while (segments.size() > kMaxCmaps) {
        costs.cmap *= 2;
        segments = ChooseSegments(codes, costs);
    }

    Font out;
    out.lineHeight = font.height;
    out.baseLine = font.height - font.baseline;
    // Both are 8-bit fields of lv_font_t. LVGL draws the underline from
    // underlinePosition rows above the baseline (negative: below): halfway down
    // the rows below it, and a sixteenth of the line thick.
    out.underlinePosition = -std::min(127, out.baseLine / 2);
    out.underlineThickness = std::min(127, std::max(1, font.height / 16));
    out.glyphs.append(Glyph());  // number 0: no glyph
    for (const Segment& segment : segments) {
        Cmap cmap;
        cmap.rangeStart = codes[segment.first];
        cmap.rangeLength = int(codes[segment.last] - codes[segment.first]) + 1;
        cmap.firstGlyph = out.glyphs.size();
        cmap.type = segment.range ? kCmapFormat0Tiny : kCmapSparseTiny;
        for (int i = segment.first; i <= segment.last; ++i) {
            if (!segment.range) cmap.offsets.append(quint16(codes[i] - cmap.rangeStart));
            out.glyphs.append(Trim(font.glyphs[i], font));
        }
        const bool nextCodeMissing =
            segment.last + 1 == codes.size() || codes[segment.last + 1] != codes[segment.last] + 1;
        if (segment.range && nextCodeMissing) out.glyphs.append(Glyph());
        out.cmaps.append(cmap);
    }
    // A blank number advances as every glyph does where they all advance
    // alike, so that the binary font can leave out the advances.
    const int oneAdvance = font.glyphs.first().advance;
    if (std::all_of(font.glyphs.cbegin(), font.glyphs.cend(),
                    [&](const TargetGlyph& glyph) { return glyph.advance == oneAdvance; }))
        for (int i = 1; i < out.glyphs.size(); ++i) out.glyphs[i].advance = oneAdvance;
    if (out.glyphs.size() - 1 > kMaxGlyphNumber) {
        if (problem)
            *problem = QStringLiteral(
                           "An LVGL font numbers at most %1 glyphs; these %2 characters need %3. "
                           "Convert fewer characters.")
                           .arg(kMaxGlyphNumber)
                           .arg(codes.size())
                           .arg(out.glyphs.size() - 1);
        return Font();
    }
    return out;
}

void BitWriter::AppendTo(QByteArray* out) const {
    out->append(bytes_.data(), int(bytes_.size()));
    if (pendingBits_ > 0) out->append(char(pending_ << (8 - pendingBits_)));
}

QByteArray BitWriter::Bytes() const {
    QByteArray bytes(bytes_.data(), int(bytes_.size()));
    if (pendingBits_ > 0) bytes += char(pending_ << (8 - pendingBits_));
    return bytes;
}

namespace {

template <int Bpp>
void PackLevelsAt(const uchar* in, int count, uchar* out) {
    constexpr int perByte = 8 / Bpp;
    constexpr int mask = (1 << Bpp) - 1;
    const int whole = count / perByte;
    for (int i = 0; i < whole; ++i, in += perByte) {
        uint byte = 0;
        for (int k = 0; k < perByte; ++k) byte = byte << Bpp | (in[k] & mask);
        out[i] = uchar(byte);
    }
    const int rest = count - whole * perByte;
    if (rest > 0) {
        uint byte = 0;
        for (int k = 0; k < rest; ++k) byte = byte << Bpp | (in[k] & mask);
        out[whole] = uchar(byte << (8 - rest * Bpp));
    }
}

}  // namespace

QByteArray PackLevels(const QByteArray& levels, int bpp) {
    if (bpp == 8) return levels;
    const int count = levels.size();
    QByteArray packed((count * bpp + 7) / 8, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const uchar*>(levels.constData());
    auto* out = reinterpret_cast<uchar*>(packed.data());
    if (bpp == 1) {
        PackLevelsAt<1>(in, count, out);
    } else if (bpp == 2) {
        PackLevelsAt<2>(in, count, out);
    } else {
        PackLevelsAt<4>(in, count, out);
    }
    return packed;
}

// The code, as LVGL's decompressor reads it, one pixel after another across
// the rows: a pixel is written whole ("single"); a single equal to the one
// before starts a repeat, where each further pixel is one bit, 1 the same
// value again, 0 followed by a new single. The 11th 1 of a repeat is followed
// by a 6-bit count c (1..63): c - 1 more copies, then a single.
QByteArray CompressLevels(const QByteArray& levels, int width, int height, int bpp) {
    const int count = width * height;
    const auto* in = reinterpret_cast<const quint8*>(levels.constData());
    std::vector<quint8> pixels(in, in + count);
    for (int i = width; i < count; ++i) pixels[i] ^= in[i - width];

    BitWriter out;
    bool repeating = false;
    int repeats = 0;
    quint8 previous = 0;
    for (int i = 0; i < count;) {
        const quint8 value = pixels[i];
        if (!repeating) {
            out.Put(value, bpp);
            repeating = i > 0 && value == previous;
            repeats = 0;
            previous = value;
            ++i;
        } else if (value != previous) {
            out.Put(0, 1);
            out.Put(value, bpp);
            repeating = false;
            previous = value;
            ++i;
        } else {
            out.Put(1, 1);
            ++i;
            if (++repeats < 11) continue;
            int more = 0;
            while (more < 62 && i + more < count && pixels[i + more] == previous) ++more;
            out.Put(uint(more + 1), 6);
            i += more;
            repeating = false;
            if (i < count) {
                previous = pixels[i];
                out.Put(previous, bpp);
                ++i;
            }
        }
    }
    return out.Bytes();
}

}  // namespace lvgl
}  // namespace runemill
