#include "convert/fit_request.h"

#include "convert/convert_job.h"

namespace runemill {

Refusal FitRequest(const ConvertRequest& request, FitResult* result, const FitProgress& progress) {
    ConvertRequest library = request;
    if (IsHeaderKind(request.kind)) library.kind = ConvertKind::Gb2312;
    ConvertJob job(library);
    if (const Refusal refusal = job.Prepare()) return refusal;
    QVector<FitGlyph> glyphs;
    glyphs.reserve(job.plan().slotCount());
    for (const GlyphSlot& slot : job.plan().glyphSlots())
        glyphs.append({slot.text, slot.leftAligned});
    *result = FitGlyphs(request.Font(), request.Glyph().render, request.cell.width,
                        request.cell.height, glyphs, progress);
    return Refusal();
}

void ApplyFit(const FitResult& result, ConvertRequest* request) {
    if (!result.found()) return;
    request->pointSize = result.pointSize();
    request->x0 = result.x0;
    request->y0 = result.y0;
}

}  // namespace runemill
