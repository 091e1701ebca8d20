// Character codes of the four encodings and the texts numbers are printed as.
#pragma once

#include <QString>

#include "render/encodings.h"

class QTextCodec;

namespace runemill {

// Value 0..255 of two hexadecimal digits; any non-digit counts 0 for its half.
int HexPairValue(char high, char low);
// Whether `text` is one or more ASCII hexadecimal digits and nothing else.
bool IsHexDigits(const QString& text);

// The first four characters of a code field as two hex pairs, high byte first.
// Characters outside Latin-1 read as '?', missing ones as non-digits.
int ParseHexCode(const QString& text);

// Name of the codec of a two-byte encoding ("GB2312", "BIG5" or "GBK"); any
// index but 1 and 2 means GB2312.
const char* CodecName(int encoding);

// The codec a two-byte library decodes its codes with: the table of
// render/code_table_codec.h, the same on every system; nullptr when it is missing.
QTextCodec* CodecFor(int encoding);

// The string the rasteriser draws for a code. UniCode: one UTF-16 unit (0 gives
// ""). Two-byte encodings: bytes high, low, 0 decoded up to the first zero byte;
// "" when the codec is missing.
QString CodeToChar(int encoding, int code);
QString CodeToChar(QTextCodec* codec, int code);

// Upper-case hex, left-padded with '0' to `width`; never cut. The value is read
// as unsigned 32 bits, so -7 prints as FFFFFFF9.
QString HexCodeText(int code, int width);

QString DecimalText(int n);

}  // namespace runemill
