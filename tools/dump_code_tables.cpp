// Writes resources/codes/gbk.table and big5.table from the codecs of the Qt it
// is linked with (Debian's Qt decodes through ICU, where "GB2312" is the GBK
// table):
//   cmake --build <build> --target runemill_dump_code_tables
//   <build>/tools/runemill_dump_code_tables resources/codes
// Entry (lead - 0x80) * 256 + trail holds what the codec makes of the bytes
// lead, trail (trail 0: the lead byte alone), as two UTF-16 units, little-endian,
// 0 where there are fewer.
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTextCodec>
#include <cstdio>

namespace {

bool Dump(const char* codecName, const QString& path) {
    QTextCodec* codec = QTextCodec::codecForName(codecName);
    if (codec == nullptr) {
        std::fprintf(stderr, "no %s codec\n", codecName);
        return false;
    }
    QByteArray table;
    table.reserve(128 * 256 * 4);
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const char bytes[3] = {char(lead), char(trail), 0};
            const QString text = codec->toUnicode(bytes);
            if (text.size() > 2) {
                std::fprintf(stderr, "%s %02X%02X decodes to %d units\n", codecName, lead, trail,
                             int(text.size()));
                return false;
            }
            for (int i = 0; i < 2; ++i) {
                const ushort unit = i < text.size() ? text.at(i).unicode() : 0;
                table.append(char(unit & 0xFF));
                table.append(char(unit >> 8));
            }
        }
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(table) == table.size() && file.commit();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: runemill_dump_code_tables <directory>\n");
        return 1;
    }
    const QDir dir(arguments.at(1));
    return Dump("GBK", dir.filePath(QStringLiteral("gbk.table"))) &&
                   Dump("BIG5", dir.filePath(QStringLiteral("big5.table")))
               ? 0
               : 1;
}
