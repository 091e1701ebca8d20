// The text a string font is made of, read from a UTF-8 command file.
#pragma once

#include <QByteArray>
#include <QString>

namespace runemill {

// A text file larger than this is refused rather than read.
constexpr qint64 kMaxCommandTextBytes = qint64(256) << 20;

// The whole of the text file `path`; false with the reason in *problem when
// it cannot be opened or is larger than kMaxCommandTextBytes.
bool ReadCommandBytes(const QString& path, QByteArray* bytes, QString* problem);

// Reads `bytes` as UTF-8 line by line; each line simplified (blanks at both
// ends dropped, inner runs made one space), joined with nothing between, so
// line breaks never reach the font. C0 control characters other than blanks
// (NUL, ESC...) and DEL are left out.
QString ReadCommandText(const QByteArray& bytes);

// The offset of the first byte that is not well-formed UTF-8 (a stray
// continuation byte, a truncated or overlong sequence, a surrogate, a code
// point above U+10FFFF); -1 when the whole text is UTF-8. A GBK or BIG5 text
// fails here within its first Chinese character.
qint64 FirstInvalidUtf8Byte(const QByteArray& bytes);

// The warning of the window and the refusal of runemill-cli for such a text.
QString NotUtf8Message(const QString& fileName, qint64 offset);

}  // namespace runemill
