#include "convert/convert_request.h"

#include "render/codes.h"
#include "render/font_families.h"

namespace runemill {

ConvertRequest ConvertRequest::Defaults(ConvertKind kind) {
    ConvertRequest request;
    request.kind = kind;
    const CodeRange range = DescriptionOf(kind).range;
    request.startCode = range.start;
    request.endCode = range.end;
    return request;
}

QFont ConvertRequest::Font() const {
    QFont font(family, 12, QFont::Normal, false);
    font.setPointSizeF(pointSize);
    font.setUnderline(underline);
    return font;
}

GlyphSettings ConvertRequest::Glyph() const {
    GlyphSettings glyph;
    glyph.cell = cell;
    glyph.render.bold = bold;
    glyph.render.italic = italic;
    glyph.render.crisp = crisp;
    glyph.render.fallbackFamilies = fallbackFamilies;
    glyph.render.x0 = x0;
    glyph.render.y0 = y0;
    glyph.transform.reverseX = reverseX;
    glyph.transform.reverseY = reverseY;
    glyph.transform.rotation = rotation;
    return glyph;
}

ChipHeaderFields ConvertRequest::HeaderFields() const {
    ChipHeaderFields fields;
    fields.cell = cell;
    fields.startCode = startCode;
    fields.endCode = endCode;
    fields.italic = italic;
    fields.bold = bold;
    fields.underline = underline;
    fields.pointSize = int(pointSize);
    fields.x0 = x0;
    fields.y0 = y0;
    fields.family = FamilyName(family);
    return fields;
}

}  // namespace runemill
