// Bytes and numbers as the text of the C and BDF font files, written straight
// into the output: a CJK font's file holds a million of them, and a
// formatting call for each would cost more than drawing the glyphs.
#pragma once

#include <QByteArray>

namespace runemill {

enum class HexDigits { Lower, Upper };

// Each byte as a C initialiser "0xhh,": `perLine` a line, each line started
// by "\n    ", the items of a line parted by one space.
void AppendHexItems(QByteArray* out, const QByteArray& bytes, int perLine, HexDigits digits);

// `value` in decimal, a '-' in front when negative.
void AppendDecimal(QByteArray* out, qint64 value);

// `value` in hex, at least `minDigits` digits (leading zeros).
void AppendHex(QByteArray* out, uint value, int minDigits, HexDigits digits);

}  // namespace runemill
