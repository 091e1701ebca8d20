#include "convert/parallel_render.h"

#include <QFontDatabase>
#include <algorithm>
#include <atomic>
#include <vector>

#include "layout/font_assembler.h"
#include "render/worker_threads.h"

namespace runemill {

namespace {

// Progress is reported every this many glyphs of a thread.
constexpr int kProgressStride = 32;

// Each thread opens its own font engines; more than this only costs memory.
constexpr int kMaxThreads = 64;

// Draws the slots [first, end) with a drawer of its own. The font is built
// here rather than copied, so no QFont data is shared between threads.
bool RenderChunk(const FontPlan& plan, const ConvertRequest& request, int first, int end,
                 uchar* out, int* widths, std::atomic<qint64>* done,
                 const std::function<void()>& onStride) {
    GlyphDrawer drawer(request.Font(), request.Glyph());
    std::vector<uchar> scratch(size_t(plan.bytesPerGlyph()));
    int sinceReport = 0;
    const bool drawn = AssembleSlots(
        plan, out, first, end, scratch.data(),
        [&drawer](const GlyphSlot& slot, uchar* packed) {
            return drawer.Draw(slot.text, slot.leftAligned, slot.measureWidth, packed);
        },
        [&](int index, int width) {
            widths[index] = width;
            if (++sinceReport == kProgressStride) {
                done->fetch_add(sinceReport, std::memory_order_relaxed);
                sinceReport = 0;
                if (onStride) onStride();
            }
        });
    done->fetch_add(sinceReport, std::memory_order_relaxed);
    return drawn;
}

}  // namespace

int ThreadsForRun(int requested, int slotCount) {
    // Qt 5.15 deprecates the question (its answer is always yes there); older
    // Qt builds can still say no.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (!QFontDatabase::supportsThreadedFontRendering()) return 1;
    QT_WARNING_POP
    return std::max(1, std::min({requested, slotCount, kMaxThreads}));
}

bool RenderPlanSlots(const FontPlan& plan, const ConvertRequest& request, int threads, uchar* out,
                     const RenderProgress& progress, QVector<int>* slotWidths) {
    const int count = plan.slotCount();
    QVector<int>& widths = *slotWidths;
    widths.fill(1, count);
    std::atomic<qint64> done{0};
    threads = std::max(1, std::min(threads, count));

    if (threads == 1) {
        // One thread: draw here, reporting as the glyphs pass.
        const bool drawn = RenderChunk(plan, request, 0, count, out, widths.data(), &done, [&] {
            if (progress) progress(done.load(std::memory_order_relaxed));
        });
        if (progress) progress(done.load());
        return drawn;
    }

    {
        // One glyph drawn here first, and thrown away, so the font libraries'
        // lazily built tables (font configuration, shaping languages) are made
        // on this thread before the workers share them.
        GlyphDrawer warmUp(request.Font(), request.Glyph());
        std::vector<uchar> scratch(size_t(plan.bytesPerGlyph()));
        const GlyphSlot& slot = plan.slot(count - 1);
        warmUp.Draw(slot.text, slot.leftAligned, slot.measureWidth, scratch.data());
    }
    std::atomic<bool> allDrawn{true};
    int* widthData = widths.data();  // taken once: the workers must not touch the QVector
    RunParts(
        threads,
        [&](int t) {
            const int first = int(qint64(count) * t / threads);
            const int end = int(qint64(count) * (t + 1) / threads);
            if (!RenderChunk(plan, request, first, end, out, widthData, &done, nullptr))
                allDrawn = false;
        },
        [&] {
            if (progress) progress(done.load(std::memory_order_relaxed));
        });
    if (progress) progress(done.load());
    return allDrawn;
}

}  // namespace runemill
