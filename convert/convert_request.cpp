#include "convert/convert_request.h"

#include "render/codes.h"
#include "render/font_families.h"
#include "render/packers.h"

namespace runemill {

ConvertRequest ConvertRequest::Defaults(ConvertKind kind) {
    ConvertRequest request;
    request.kind = kind;
    const CodeRange range = DefaultRange(kind);
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
    glyph.pack.width = width;
    glyph.pack.height = height;
    glyph.pack.pixFormat = NormalizePixelFormat(pixFormat);
    glyph.pack.grayLimit = grayLimit;
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

CellSettings ConvertRequest::Cell() const {
    CellSettings cell;
    cell.width = width;
    cell.height = height;
    cell.pixFormat = NormalizePixelFormat(pixFormat);
    cell.spaceDivisor = spaceDivisor;
    return cell;
}

ChipHeaderFields ConvertRequest::HeaderFields() const {
    ChipHeaderFields fields;
    fields.width = width;
    fields.height = height;
    fields.startCode = startCode;
    fields.endCode = endCode;
    fields.pixFormat = NormalizePixelFormat(pixFormat);
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
