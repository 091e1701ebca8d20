#include "messages/run_log.h"

#include "render/codes.h"

namespace runemill {

namespace {

int Row(int code) { return (code >> 8) & 0xFF; }

}  // namespace

QString PageLine(int startCode, int endCode) {
    return QStringLiteral("page:") + HexCodeText(Row(startCode), 2) + QStringLiteral(",endpage:") +
           HexCodeText(Row(endCode), 2);
}

QString MaxPageLine(int startCode, int endCode) {
    return QStringLiteral("maxPage=") + HexCodeText(Row(endCode) + 1, 2) +
           QStringLiteral(",minPage=") + HexCodeText(Row(startCode), 2);
}

QStringList UnicodeLines(int startCode, int endCode) {
    const int start = startCode & 0xFFFF;
    const int end = endCode & 0xFFFF;
    return {QStringLiteral("Unicode start:") + HexCodeText(start, 4),
            QStringLiteral("Unicode end:") + HexCodeText(end, 4),
            QStringLiteral("Unicode nmuber:") + DecimalText(end - start + 1)};
}

QStringList ChipHeaderLines(const QByteArray& header, int pointSize, int x0, int y0,
                            const QString& family, bool ttf) {
    QStringList lines{QStringLiteral("Size:") + DecimalText(pointSize)};
    if (!ttf && header.size() > 28) {
        lines << QStringLiteral("Font_x0,y0:") + DecimalText(x0) + QLatin1Char(',') +
                     DecimalText(y0);
        lines << QStringLiteral("fontText[28]:") + HexCodeText(uchar(header.at(28)), 2) +
                     QLatin1Char(',') + HexCodeText(y0, 8);
    }
    lines << QStringLiteral("family:") + family;
    return lines;
}

}  // namespace runemill
