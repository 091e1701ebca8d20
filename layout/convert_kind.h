// The kinds of file a conversion writes: four libraries, the ASCII font, the
// string font and the two 108-byte font descriptions. What each kind is (its
// name, code range, codec, log lines, glyph layout) is the kind table of
// convert/convert_request.cpp; FontPlan lays out the files of the first six.
#pragma once

namespace runemill {

enum class ConvertKind { Gb2312, Big5, Gbk, Unicode, Ascii, String, Chip, Ttf };

}  // namespace runemill
