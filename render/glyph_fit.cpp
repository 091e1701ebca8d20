#include "render/glyph_fit.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <memory>
#include <vector>

#include "render/worker_threads.h"

namespace runemill {

namespace {

// Glyphs watched on each side of the common box: enough that the size the
// search finds is nearly always the one every glyph confirms.
constexpr int kWatchedPerSide = 32;
// Glyphs the metrics rank furthest out on each side, watched from the start.
constexpr int kLikelyPerSide = 48;
// Each measuring thread opens its own font engines; more only costs memory.
constexpr int kMaxThreads = 8;
// The search starts above the first of these sizes that draws the watched
// glyphs in shape.
constexpr int kTinySizes = 4;
// No face is tried larger: far more than any cell a run can draw needs.
constexpr int kLargestPixelSize = 1 << 16;

QFont AtPixels(QFont font, int pixels) {
    font.setPointSizeF(pixels * 72.0 / 96.0);
    return font;
}

// Whether ink inside `box` survives the canvas (W x CanvasHeight(H)) and
// fits a cell of H rows once moved.
bool Inside(const InkBox& box, int width, int height) {
    return box.isEmpty() || (box.left >= 0 && box.right < width && box.top >= 0 &&
                             box.bottom < CanvasHeight(height) && box.bottom - box.top < height);
}

void Grow(InkBox* total, const InkBox& box) {
    if (box.isEmpty()) return;
    if (total->isEmpty()) {
        *total = box;
        return;
    }
    total->left = std::min(total->left, box.left);
    total->top = std::min(total->top, box.top);
    total->right = std::max(total->right, box.right);
    total->bottom = std::max(total->bottom, box.bottom);
}

// The common box of some glyphs at one size: of all of them (rows and the
// canvas's columns) and of the centred ones (what x0 moves).
struct Common {
    InkBox all;
    InkBox centred;
};

class Fitter {
  public:
    Fitter(const QFont& font, const RenderOptions& style, int width, int height,
           const QVector<FitGlyph>& glyphs)
        : font_(font), style_(style), width_(width), height_(height), glyphs_(glyphs) {}

    InkBox Measure(int pixels, int glyph) {
        if (pixels != fontPixels_) {
            sized_ = AtPixels(font_, pixels);
            fontPixels_ = pixels;
        }
        return rasterizer_.MeasureInk(sized_, glyphs_.at(glyph).text, style_, width_, height_);
    }

    // Every glyph at `pixels`, each box kept; on several threads, each with
    // its own rasteriser and a font built there, so no QFont data is shared.
    const QVector<InkBox>& MeasureAll(int pixels) {
        auto found = all_.find(pixels);
        if (found != all_.end()) return *found;
        QVector<InkBox> boxes(glyphs_.size());
        const int threads =
            std::max(1, std::min({QThread::idealThreadCount(), kMaxThreads, glyphs_.size() / 512}));
        const QString description = AtPixels(font_, pixels).toString();
        const int underline = font_.underline();
        auto measureRange = [&](int first, int end) {
            QFont font;
            font.fromString(description);
            font.setUnderline(underline);
            GlyphRasterizer rasterizer;
            for (int i = first; i < end; ++i)
                boxes[i] = rasterizer.MeasureInk(font, glyphs_.at(i).text, style_, width_, height_);
        };
        // QThreads, which free their own font data as they end (see
        // convert/parallel_render.cpp).
        const int chunk = (glyphs_.size() + threads - 1) / threads;
        if (threads == 1)
            measureRange(0, glyphs_.size());
        else
            RunParts(threads, [&](int t) {
                measureRange(t * chunk, std::min(glyphs_.size(), (t + 1) * chunk));
            });
        return *all_.insert(pixels, boxes);
    }

    // A first guess of the glyphs that decide the size: the left-aligned
    // ones, and those the face's metrics at `pixels` put furthest out on
    // each side.
    void WatchLikely(int pixels) {
        QVector<QRect> boxes(glyphs_.size());
        QFont font = AtPixels(font_, pixels);
        for (int i = 0; i < glyphs_.size(); ++i) {
            if (glyphs_.at(i).leftAligned) watched_.insert(i);
            boxes[i] = rasterizer_.MetricBox(font, glyphs_.at(i).text, style_, width_);
        }
        QVector<int> order;
        for (int i = 0; i < boxes.size(); ++i)
            if (!boxes.at(i).isEmpty()) order << i;
        for (int side = 0; side < 4; ++side) {
            auto outward = [&boxes, side](int i) {
                const QRect& b = boxes.at(i);
                return side == 0   ? -b.top()
                       : side == 1 ? b.bottom()
                       : side == 2 ? -b.left()
                                   : b.right();
            };
            const int count = std::min(kLikelyPerSide, order.size());
            std::partial_sort(order.begin(), order.begin() + count, order.end(),
                              [&outward](int a, int b) { return outward(a) > outward(b); });
            for (int k = 0; k < count; ++k) watched_.insert(order.at(k));
        }
    }

    Common CommonOf(const QVector<InkBox>& boxes, const QVector<int>& which) const {
        Common common;
        for (const int i : which) {
            if (unfit_.contains(i)) continue;
            Grow(&common.all, boxes.at(i));
            if (!glyphs_.at(i).leftAligned) Grow(&common.centred, boxes.at(i));
        }
        return common;
    }

    QVector<int> Everyone() const {
        QVector<int> every(glyphs_.size());
        for (int i = 0; i < every.size(); ++i) every[i] = i;
        return every;
    }

    // On each side of the common box, a few of the glyphs that reach it or
    // come within a pixel: those that decide it at neighbouring sizes too.
    void Watch(const QVector<InkBox>& boxes) {
        const Common common = CommonOf(boxes, Everyone());
        if (common.all.isEmpty()) return;
        // How far each glyph stays from each side (top, bottom, left, right
        // of all glyphs; left, right of the centred ones).
        for (int side = 0; side < 6; ++side) {
            QVector<QPair<int, int>> near;  // distance, glyph
            for (int i = 0; i < boxes.size(); ++i) {
                const InkBox& b = boxes.at(i);
                if (b.isEmpty() || unfit_.contains(i)) continue;
                if (side >= 4 && glyphs_.at(i).leftAligned) continue;
                const InkBox& c = side >= 4 ? common.centred : common.all;
                const int distance = side == 0       ? b.top - c.top
                                     : side == 1     ? c.bottom - b.bottom
                                     : side % 2 == 0 ? b.left - c.left
                                                     : c.right - b.right;
                if (distance <= 1) near.append({distance, i});
            }
            std::sort(near.begin(), near.end());
            for (int k = 0; k < near.size() && k < kWatchedPerSide; ++k)
                watched_.insert(near.at(k).second);
        }
    }

    // Whether the watched glyphs fit together at `pixels`: when they do not,
    // no size this large fits. Stops at the first glyph that leaves the cell
    // on its own.
    bool WatchedFit(int pixels) {
        Step();
        QVector<InkBox> boxes(glyphs_.size());
        QVector<int> which;
        for (const int i : watched_) {
            boxes[i] = Measure(pixels, i);
            if (!unfit_.contains(i) && !Inside(boxes.at(i), width_, height_)) return false;
            which << i;
        }
        return Inside(CommonOf(boxes, which).all, width_, height_);
    }

    // Glyphs left out that fit alone at `pixels` after all (the smallest
    // sizes draw some glyphs out of shape) join again when every glyph
    // still fits together there.
    void Reconsider(int pixels) {
        const QVector<InkBox>& boxes = MeasureAll(pixels);
        const QSet<int> before = unfit_;
        for (const int i : before)
            if (Inside(boxes.at(i), width_, height_)) unfit_.remove(i);
        if (unfit_.size() != before.size() && !AllFit(pixels)) unfit_ = before;
    }

    void SetProgress(const FitProgress& progress, int steps) {
        progress_ = progress;
        steps_ = steps;
    }
    void Step() {
        if (progress_) progress_(std::min(++step_, steps_ - 1), steps_);
    }
    void Finish() {
        if (progress_) progress_(steps_, steps_);
    }

    bool AllFit(int pixels) {
        Step();
        return Inside(CommonOf(MeasureAll(pixels), Everyone()).all, width_, height_);
    }

    // Glyphs that do not fit even alone at `pixels` are left out from now on.
    void MarkUnfit(int pixels) {
        const QVector<InkBox>& boxes = MeasureAll(pixels);
        for (int i = 0; i < boxes.size(); ++i)
            if (!Inside(boxes.at(i), width_, height_)) unfit_.insert(i);
    }

    FitResult Result(int pixels) {
        FitResult result;
        result.pixelSize = pixels;
        const Common common = CommonOf(MeasureAll(pixels), Everyone());
        if (!common.all.isEmpty())
            result.y0 = (height_ - (common.all.bottom - common.all.top + 1)) / 2 - common.all.top;
        if (!common.centred.isEmpty()) {
            result.x0 = (width_ - (common.centred.right - common.centred.left + 1)) / 2 -
                        common.centred.left;
        }
        return result;
    }

    QStringList UnfitTexts() const {
        QList<int> sorted = unfit_.values();
        std::sort(sorted.begin(), sorted.end());
        QStringList texts;
        for (const int i : sorted) texts << glyphs_.at(i).text;
        return texts;
    }

  private:
    QFont font_;
    QFont sized_;  // font_ at fontPixels_
    int fontPixels_ = 0;
    RenderOptions style_;
    int width_, height_;
    const QVector<FitGlyph>& glyphs_;
    GlyphRasterizer rasterizer_;
    QHash<int, QVector<InkBox>> all_;
    QSet<int> watched_;
    QSet<int> unfit_;
    FitProgress progress_;
    int steps_ = 1;
    int step_ = 0;
};

// Each text once, blank ones left out; the order of first appearance.
QVector<FitGlyph> Distinct(const QVector<FitGlyph>& glyphs) {
    QVector<FitGlyph> distinct;
    QSet<QString> seen;
    for (const FitGlyph& glyph : glyphs) {
        const QString key = (glyph.leftAligned ? QLatin1Char('L') : QLatin1Char('C')) + glyph.text;
        if (glyph.text.trimmed().isEmpty() || seen.contains(key)) continue;
        seen.insert(key);
        distinct << glyph;
    }
    return distinct;
}

}  // namespace

QVector<int> CandidatePixelSizes(const QFont& font, int largest) {
    QVector<int> sizes;
    const bool outlines = QFontDatabase().isSmoothlyScalable(font.family());
    // Sizes resolve as on the rasteriser's 96-dpi canvas, whatever the screen.
    QImage canvas(1, 1, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(kCanvasDotsPerMeter);
    canvas.setDotsPerMeterY(kCanvasDotsPerMeter);
    for (int pixels = 1; pixels <= largest; ++pixels) {
        if (outlines || QFontInfo(QFont(AtPixels(font, pixels), &canvas)).pixelSize() == pixels)
            sizes << pixels;
    }
    return sizes;
}

FitResult FitGlyphs(const QFont& font, const RenderOptions& style, int width, int height,
                    const QVector<FitGlyph>& glyphs, const FitProgress& progress) {
    const QVector<FitGlyph> distinct = Distinct(glyphs);
    FitResult none;
    none.glyphCount = glyphs.size();
    if (!CellDrawable(width, height)) return none;
    const QVector<int> sizes = CandidatePixelSizes(
        font, int(std::min<qint64>(4 * qint64(std::max(width, height)) + 8, kLargestPixelSize)));
    if (sizes.isEmpty()) return none;
    Fitter fitter(font, style, width, height, distinct);
    int searchSteps = 1;
    while ((1 << searchSteps) < sizes.size()) ++searchSteps;
    fitter.SetProgress(progress, searchSteps + 2 * kTinySizes + 6);

    // The sizes are searched with a sample of the glyphs, the size found is
    // checked with every glyph, and the glyphs found deciding the common box
    // there join the sample until a size is confirmed. Nothing larger fits:
    // the sample, part of the glyphs, already leaves the cell there.
    const int guess = int(std::lower_bound(sizes.begin(), sizes.end(), height) - sizes.begin());
    fitter.WatchLikely(sizes.at(std::min(guess, sizes.size() - 1)));
    const int last = sizes.size() - 1;
    // The smallest sizes can draw a glyph out of shape (a 1-pixel '&' is
    // wider than a 2-pixel one): the search starts at the first of them at
    // which the watched glyphs fit together.
    int low = 0;
    while (low < std::min(last, kTinySizes) && !fitter.WatchedFit(sizes.at(low))) ++low;
    int high = last;
    while (true) {
        int fits = low;
        if (fitter.WatchedFit(sizes.at(low))) {
            int top = high;
            while (fits < top) {
                const int middle = (fits + top + 1) / 2;
                if (fitter.WatchedFit(sizes.at(middle)))
                    fits = middle;
                else
                    top = middle - 1;
            }
        }
        if (fits == low && !fitter.AllFit(sizes.at(low))) {
            fitter.MarkUnfit(sizes.at(low));
            if (!fitter.AllFit(sizes.at(low))) break;
        }
        if (fitter.AllFit(sizes.at(fits))) {
            // Hinting can round a larger size's boxes smaller: take it too.
            while (fits < last && fitter.WatchedFit(sizes.at(fits + 1)) &&
                   fitter.AllFit(sizes.at(fits + 1)))
                ++fits;
            fitter.Reconsider(sizes.at(fits));
            FitResult result = fitter.Result(sizes.at(fits));
            result.glyphCount = glyphs.size();
            result.unfit = fitter.UnfitTexts();
            // Every glyph with ink left out: no size fits any of them.
            if (!result.unfit.isEmpty() && result.unfit.size() == distinct.size())
                result.pixelSize = 0;
            fitter.Finish();
            return result;
        }
        fitter.Watch(fitter.MeasureAll(sizes.at(fits)));
        high = std::max(low, fits - 1);
    }
    fitter.Finish();
    none.unfit = fitter.UnfitTexts();
    return none;
}

QString MissingStrike(const QFont& font, const QString& fontName) {
    if (QFontDatabase().isSmoothlyScalable(font.family())) return QString();
    const int pixels = qRound(font.pointSizeF() * 96.0 / 72.0);
    const QVector<int> strikes = CandidatePixelSizes(font, std::max(pixels, 512));
    if (strikes.contains(pixels) || strikes.isEmpty()) return QString();
    QStringList sizes, points;
    for (const int strike : strikes) {
        sizes << QString::number(strike);
        points << QString::number(strike * 72.0 / 96.0);
    }
    const auto listed = [](QStringList items) {
        const QString last = items.takeLast();
        return items.isEmpty() ? last
                               : items.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    };
    return QStringLiteral("%1 pt is %2 px, a size %3 does not have; its sizes are %4 px (%5 pt)")
        .arg(font.pointSizeF())
        .arg(pixels)
        .arg(fontName, listed(sizes), listed(points));
}

QString FitSummary(const FitResult& result) {
    QString text =
        result.found()
            ? QStringLiteral("%1 pt (%2 px), y0 %3, x0 %4; ")
                  .arg(result.pointSize())
                  .arg(result.pixelSize)
                  .arg(result.y0)
                  .arg(result.x0)
            : QStringLiteral("no size fits the %1 glyphs together").arg(result.glyphCount);
    if (result.unfit.isEmpty())
        return result.found() ? text + QStringLiteral("all %1 glyphs fit").arg(result.glyphCount)
                              : text;
    if (!result.found()) text += QStringLiteral("; ");
    const QStringList named = result.unfit.mid(0, 10);
    return text + QStringLiteral("%1 of %2 glyphs fit at no size: %3%4")
                      .arg(result.unfit.size())
                      .arg(result.glyphCount)
                      .arg(named.join(QLatin1Char(' ')),
                           result.unfit.size() > named.size() ? QStringLiteral(" ...") : QString());
}

}  // namespace runemill
